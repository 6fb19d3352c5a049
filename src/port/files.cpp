#include "port/files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <random>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "port/session_folders.h"
#include "port/session_identity.h"

namespace port {
namespace {

WriteStep sFailAt = WriteStep::None;
std::string sServedPath;
const uint8_t* sServedData = nullptr;
size_t sServedSize = 0;
uint64_t sProbes = 0;
uint64_t sBytesRead = 0;

// Consumes the injected fault when it names `step`.
bool injectedFault(WriteStep step) {
    if (sFailAt != step) return false;
    sFailAt = WriteStep::None;
    return true;
}

std::string dirName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links at the last component so that the file they name is the one
// replaced, not the link. Empty when the chain does not end (a loop).
std::string followLinks(const std::string& path) {
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        char buf[4096];
        const ssize_t n = ::readlink(p.c_str(), buf, sizeof buf);
        if (n <= 0 || static_cast<size_t>(n) >= sizeof buf) return {};
        std::string target(buf, static_cast<size_t>(n));
        p = target[0] == '/' ? target : JoinPath(dirName(p), target);
    }
    return {};
}

// The start of the names of a save's temporaries beside the file named `base`. Cut short to
// leave room for the writer's tag within the longest file name a folder allows.
std::string temporaryStem(const std::string& base) { return "." + base.substr(0, 140) + ".tmp-"; }

// What follows the stem: the writing session's tag, '-' and eight hex digits. The tag of the
// session it names when it is one.
bool parseTemporaryTail(const std::string& tail, SessionIdentity& writer) {
    const size_t dash = tail.rfind('-');
    if (dash == std::string::npos || tail.size() - dash != 9) return false;
    for (size_t i = dash + 1; i < tail.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(tail[i]))) return false;
    return ParseSessionTag(tail.substr(0, dash), writer);
}

int openTemporary(const std::string& folder, const std::string& base, std::string& tempPath) {
    static std::mt19937 gen{std::random_device{}()};
    // The name tells which session writes it, so a later look can tell a dead writer's.
    const std::string stem = temporaryStem(base) + SessionTag(ThisSession()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(gen()));
        tempPath = JoinPath(folder, stem + suffix);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, const uint8_t* p, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

void FailNextWriteAt(WriteStep step) { sFailAt = step; }

void ServeFileFromMemory(const std::string& path, const uint8_t* data, size_t size) {
    sServedPath = path;
    sServedData = data;
    sServedSize = size;
}

uint64_t FileProbeCount() { return sProbes; }
uint64_t FileBytesRead() { return sBytesRead; }
void ResetFileProbeCount() { sProbes = 0, sBytesRead = 0; }

namespace {

// Reads up to `count` bytes of the file (all of it with SIZE_MAX), refusing one longer than
// `most`.
bool ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t count, uint64_t most) {
    out.clear();
    ++sProbes;
    if (!sServedPath.empty() && path == sServedPath) {
        if (sServedSize > most) return false;
        out.assign(sServedData, sServedData + std::min(sServedSize, count));
        sBytesRead += out.size();
        return true;
    }
    // O_NONBLOCK keeps a FIFO from hanging the open; it is refused just below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) <= most;
    try {
        if (ok && st.st_size > 0) out.reserve(std::min(static_cast<size_t>(st.st_size), count));
        uint8_t buf[65536];
        while (ok && out.size() < count) {
            const ssize_t n = ::read(fd, buf, std::min(sizeof buf, count - out.size()));
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                ok = false;
                break;
            }
            out.insert(out.end(), buf, buf + n);
            sBytesRead += static_cast<uint64_t>(n);
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, uint64_t most) {
    return ReadFile(path, out, SIZE_MAX, most);
}

bool ReadFileHead(const std::string& path, size_t count, std::vector<uint8_t>& out) {
    return ReadFile(path, out, count, UINT64_MAX);
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size, Durability durability) {
    if (path.empty() || (size > 0 && data == nullptr)) return false;
    const std::string target = followLinks(path);
    if (target.empty()) return false;
    const std::string folder = dirName(target);
    const std::string base = baseName(target);
    if (base.empty() || base == "." || base == "..") return false;

    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;
    // The rename would replace a file the user may not write, undoing its protection: one
    // without any write permission is refused even where privileges would allow the write.
    if (exists && ((old.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)) {
        errno = EACCES;
        return false;
    }

    std::string temp;
    const int fd = injectedFault(WriteStep::Create) ? -1 : openTemporary(folder, base, temp);
    if (fd < 0) return false;
    // A temporary outside the session's own folder is noted there until it is renamed or
    // removed, so a launch after a crash mid-write removes it.
    const bool noted = folder != SessionFolder();
    if (noted) NoteTemporaryFile(temp);

    bool ok = true;
    if (exists) {
        ::fchmod(fd, old.st_mode & 0777);
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
                // Only root may hand the file back to its owner; for others it becomes theirs.
            }
        }
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (injectedFault(WriteStep::Write)) {
        writeAll(fd, bytes, size / 2);
        ok = false;
    }
    ok = ok && writeAll(fd, bytes, size);
    const bool sync = durability == Durability::Synced;
    ok = ok && (!sync || (!injectedFault(WriteStep::Sync) && ::fsync(fd) == 0));
    ok = ::close(fd) == 0 && ok;
    ok = ok && !injectedFault(WriteStep::Rename) && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    if (noted) ForgetTemporaryFile(temp);
    if (!ok) return false;
    if (!sync) return true;
    // Make the rename itself durable; a folder that cannot be synced changes nothing.
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool IsSaveTemporaryName(const std::string& name) {
    // The tail holds no '.': the name's last one starts ".tmp-".
    const size_t at = name.rfind('.');
    SessionIdentity writer;
    return name.size() > 1 && name[0] == '.' && at != std::string::npos && at >= 2 &&
           name.compare(at, 5, ".tmp-") == 0 && parseTemporaryTail(name.substr(at + 5), writer);
}

int RemoveDeadSaveTemporaries(const std::string& path) {
    const std::string target = followLinks(path);
    if (target.empty()) return 0;
    const std::string folder = dirName(target), stem = temporaryStem(baseName(target));
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    std::vector<std::string> dead;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        SessionIdentity writer;
        if (name.compare(0, stem.size(), stem) == 0 && parseTemporaryTail(name.substr(stem.size()), writer) &&
            SessionGone(writer))
            dead.push_back(JoinPath(folder, name));
    }
    ::closedir(dir);
    int removed = 0;
    for (const std::string& file : dead) {
        struct stat st;
        if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::unlink(file.c_str()) == 0)
            ++removed;
    }
    return removed;
}

bool FileExists(const std::string& path) {
    ++sProbes;
    if (!sServedPath.empty() && path == sServedPath) return true;
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    ++sProbes;
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    return errno == EEXIST && FolderExists(path);
}

bool MakeFolderTree(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        if (!FolderExists(path.substr(0, slash))) MakeFolder(path.substr(0, slash));
    return MakeFolder(path);
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::vector<std::string> ListFolder(const std::string& path) {
    ++sProbes;
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        names.emplace_back(e->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    const bool slashEnd = folder.back() == '/';
    const bool slashStart = name.front() == '/';
    if (slashEnd && slashStart) return folder + name.substr(1);
    if (slashEnd || slashStart) return folder + name;
    return folder + "/" + name;
}

bool MakePrivateFolder(const std::string& path, std::string* why) {
    auto fail = [&](const std::string& reason) {
        if (why) *why = "\"" + path + "\" " + reason;
        return false;
    };
    if (path.empty()) return fail("is no folder name");
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return fail(std::string("could not be created: ") + std::strerror(errno));
    // Check and tighten through a descriptor so a link swapped in meanwhile cannot be followed.
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            return fail("is a symbolic link");
        if (err == ENOTDIR) return fail("is not a folder");
        return fail(std::string("could not be opened: ") + std::strerror(err));
    }
    struct stat st;
    std::string reason;
    if (::fstat(fd, &st) != 0)
        reason = std::string("could not be examined: ") + std::strerror(errno);
    else if (!S_ISDIR(st.st_mode))
        reason = "is not a folder";
    else if (st.st_uid != ::geteuid())
        reason = "belongs to another user";
    else if ((st.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0)
        reason = std::string("could not be made private: ") + std::strerror(errno);
    ::close(fd);
    if (!reason.empty()) return fail(reason);
    if (why) why->clear();
    return true;
}

} // namespace port
