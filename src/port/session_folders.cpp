#include "port/session_folders.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "port/files.h"

namespace port {
namespace {

constexpr const char* kSessionPrefix = "session-";
constexpr const char* kStartingPrefix = "starting-";
constexpr const char* kLockName = "lock";
constexpr const char* kNotePrefix = "temp-";
constexpr size_t kLongestPath = 4096;

// Read by another thread on the way out, so kept in plain storage that only opening writes.
char sFolder[kLongestPath] = {};
std::atomic<bool> sOpen{false};
int sLockFd = -1;
uint64_t sNextNote = 0;
std::map<std::string, std::string> sNotes;  // temporary file -> its note's name

bool StartsWith(const std::string& s, const char* prefix) { return s.compare(0, std::strlen(prefix), prefix) == 0; }

// The process number after the prefix: digits up to the end or a '-'; 0 when there are none.
long ProcessOf(const std::string& name, const char* prefix) {
    const std::string rest = name.substr(std::strlen(prefix));
    size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
    if (digits == 0 || digits > 9 || (digits < rest.size() && rest[digits] != '-')) return 0;
    return std::strtol(rest.substr(0, digits).c_str(), nullptr, 10);
}

bool Running(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

bool ReadSmallFile(const std::string& path, std::string& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    char buf[kLongestPath];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    ::close(fd);
    if (n <= 0) return false;
    out.assign(buf, static_cast<size_t>(n));
    return true;
}

// A save's temporary beside a design, as port::WriteWholeFile names them (or named them
// before they told their writer: ".<name>.tmp" and eight hex digits), a plain file of this
// user's.
bool IsOurTemporary(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    bool named = IsSaveTemporaryName(base);
    if (!named && base.size() >= 14 && base[0] == '.') {
        const std::string tail = base.substr(base.size() - 12);
        named = tail.compare(0, 4, ".tmp") == 0;
        for (size_t i = 4; named && i < tail.size(); ++i) named = std::isxdigit(static_cast<unsigned char>(tail[i]));
    }
    if (!named) return false;
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

// Removes the temporaries the folder's notes name, then every file in it, then the folder.
void RemoveFolderAndTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name);
    ::closedir(dir);
    for (const std::string& name : names) {
        if (!StartsWith(name, kNotePrefix)) continue;
        std::string noted;
        if (ReadSmallFile(folder + "/" + name, noted) && IsOurTemporary(noted)) ::unlink(noted.c_str());
    }
    for (const std::string& name : names) ::unlink((folder + "/" + name).c_str());
    ::rmdir(folder.c_str());
}

// Removes the folder when no running session holds it. Its lock is taken first, so two
// launches never clear the same folder, and one whose owner is only starting is left alone.
bool RemoveIfDead(const std::string& folder, long pid, bool starting) {
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
    const int fd = ::open((folder + "/" + kLockName).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;  // held: the session runs
    }
    // A folder still being made is locked only once its lock file exists: its process decides.
    const bool dead = !starting || !Running(pid);
    if (dead) RemoveFolderAndTemporaries(folder);
    if (fd >= 0) ::close(fd);
    return dead;
}

// Nobody listens on the socket: a connection is refused outright. A full backlog, or any
// other answer, counts as someone there.
bool RefusesConnection(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool refused = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
                         errno == ECONNREFUSED;
    ::close(fd);
    return refused;
}

}  // namespace

bool OpenSessionFolder(const std::string& parent, std::string* why) {
    auto fail = [&](const std::string& reason) {
        if (why) *why = reason;
        return false;
    };
    if (sOpen.load()) return true;
    if (parent.empty()) return fail("no folder for the session");
    const std::string pid = std::to_string(static_cast<long>(::getpid()));
    const std::string folder = JoinPath(parent, kSessionPrefix + pid);
    if (folder.size() + 64 >= kLongestPath) return fail("the folder's name is too long");
    // A folder of this name belonged to a dead session whose process number came round again.
    RemoveIfDead(folder, 0, false);
    // Made and locked under a name no launch removes while this process runs, then renamed:
    // a session folder is never seen unlocked while its process lives.
    std::string starting = JoinPath(parent, kStartingPrefix + pid + "-XXXXXX");
    std::vector<char> name(starting.begin(), starting.end());
    name.push_back(0);
    if (!::mkdtemp(name.data())) return fail(std::string("could not be created: ") + std::strerror(errno));
    starting = name.data();
    const int fd = ::open((starting + "/" + kLockName).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(starting.c_str(), folder.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        if (fd >= 0) ::close(fd);
        RemoveFolderAndTemporaries(starting);
        return fail("could not be locked: " + reason);
    }
    sLockFd = fd;
    std::memcpy(sFolder, folder.c_str(), folder.size() + 1);
    sOpen.store(true);
    return true;
}

std::string SessionFolder() { return sOpen.load() ? std::string(sFolder) : std::string(); }

void CloseSessionFolder() {
    if (!sOpen.exchange(false)) return;
    RemoveFolderAndTemporaries(sFolder);
    // The main thread may still use these; only the thread that ends the process gets here
    // while it runs, and the process ends right after.
    if (sLockFd >= 0) ::close(sLockFd);
    sLockFd = -1;
}

int RemoveDeadSessionFolders(const std::string& parent) {
    const std::string own = SessionFolder();
    int removed = 0;
    for (const std::string& name : ListFolder(parent)) {
        const bool session = StartsWith(name, kSessionPrefix), starting = StartsWith(name, kStartingPrefix);
        if (!session && !starting) continue;
        const long pid = ProcessOf(name, session ? kSessionPrefix : kStartingPrefix);
        const std::string folder = JoinPath(parent, name);
        if (pid == 0 || folder == own) continue;
        if (RemoveIfDead(folder, pid, starting)) ++removed;
    }
    return removed;
}

int RemoveDeadSessionSockets(const std::string& folder, const std::string& prefix) {
    int removed = 0;
    for (const std::string& name : ListFolder(folder)) {
        if (prefix.empty() || !StartsWith(name, prefix.c_str())) continue;
        const long pid = ProcessOf(name, prefix.c_str());
        if (pid == 0 || name.find('-', prefix.size()) != std::string::npos || Running(pid)) continue;
        const std::string path = JoinPath(folder, name);
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (RefusesConnection(path) && ::unlink(path.c_str()) == 0) ++removed;
    }
    return removed;
}

void NoteTemporaryFile(const std::string& path) {
    if (!sOpen.load() || path.empty() || path.size() >= kLongestPath) return;
    const std::string note = kNotePrefix + std::to_string(sNextNote++);
    const int fd = ::open(JoinPath(sFolder, note).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    const bool written = ::write(fd, path.data(), path.size()) == static_cast<ssize_t>(path.size());
    ::close(fd);
    if (written) sNotes[path] = note;
    else ::unlink(JoinPath(sFolder, note).c_str());
}

void ForgetTemporaryFile(const std::string& path) {
    const auto it = sNotes.find(path);
    if (it == sNotes.end()) return;
    if (sOpen.load()) ::unlink(JoinPath(sFolder, it->second).c_str());
    sNotes.erase(it);
}

}  // namespace port
