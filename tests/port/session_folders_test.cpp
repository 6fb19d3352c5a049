// Session folders in a private parent: real processes open them, note a save's temporary beside a
// design and die (or live on); a launch afterwards removes what the dead left and nothing else.
#include "port/session_folders.h"

#include "port/files.h"
#include "support/doubles.h"
#include "support/fixture.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using port::JoinPath;

class SessionFolders : public dvxtest::ServicesTest {};

bool Exists(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

// A process that opens its session folder in `parent`, notes `temporary` (made beside a
// design) and then either exits at once without forgetting it, as a killed session would, or
// waits for `release` to be closed. Gives its process number once its folder is open.
struct Session {
    pid_t pid = -1;
    int release[2] = {-1, -1};

    Session(const std::string& parent, const std::string& temporary, bool dies) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]), ::close(release[1]);
            const bool opened = port::OpenSessionFolder(parent) && port::WriteWholeFile(temporary, "part", 4);
            if (opened) port::NoteTemporaryFile(temporary);
            char c = opened ? 1 : 0;
            (void)!::write(ready[1], &c, 1);
            if (!dies) (void)!::read(release[0], &c, 1);
            ::_exit(0);  // no clean-up: the way a killed session ends
        }
        ::close(ready[1]), ::close(release[0]);
        char c = 0;
        if (::read(ready[0], &c, 1) != 1 || c != 1) pid = -1;
        ::close(ready[0]);
        if (dies && pid > 0) ::waitpid(pid, nullptr, 0);
    }
    ~Session() {
        ::close(release[1]);
        if (pid > 0) ::waitpid(pid, nullptr, 0);
    }
    std::string folder(const std::string& parent) const { return JoinPath(parent, "session-" + std::to_string(pid)); }
};

TEST_F(SessionFolders, ALaunchRemovesWhatDeadSessionsLeftAndKeepsTheLiving) {
    const std::string root = dvxtest::FreshTempFolder("sessions");
    const std::string parent = JoinPath(root, "private"), designs = JoinPath(root, "designs");
    ASSERT_TRUE(port::MakePrivateFolder(parent) && port::MakeFolder(designs));
    const std::string deadTemp = JoinPath(designs, ".house.pro.tmp0a1b2c3d");
    const std::string liveTemp = JoinPath(designs, ".barn.pro.tmp99887766");
    Session dead(parent, deadTemp, true);
    Session live(parent, liveTemp, false);
    ASSERT_TRUE(dead.pid > 0 && live.pid > 0);
    // The dead one's snapshots, a folder still being made by a process long gone, and what is no
    // session's at all (a plug-in tool's folder, a file).
    ASSERT_TRUE(port::WriteWholeFile(JoinPath(dead.folder(parent), "com.dedarovozurev.dovranix_1100_0_1_3.dat"), "s", 1));
    ASSERT_TRUE(port::MakeFolder(JoinPath(parent, "starting-" + std::to_string(dead.pid) + "-Ab12Cd")));
    ASSERT_TRUE(port::MakeFolder(JoinPath(parent, "powertool-120")));
    ASSERT_TRUE(port::WriteWholeFile(JoinPath(parent, "notes.txt"), "n", 1));
    ASSERT_TRUE(Exists(deadTemp) && Exists(liveTemp));

    EXPECT_EQ(port::RemoveDeadSessionFolders(parent), 2);
    EXPECT_FALSE(Exists(dead.folder(parent)));
    EXPECT_FALSE(Exists(deadTemp));
    EXPECT_TRUE(Exists(live.folder(parent)));
    EXPECT_TRUE(Exists(liveTemp));
    EXPECT_EQ(port::ListFolder(parent),
              (std::vector<std::string>{"notes.txt", "powertool-120", "session-" + std::to_string(live.pid)}));

    // This process's own folder: opened once, kept by its own sweep, gone when it closes.
    ASSERT_TRUE(port::OpenSessionFolder(parent));
    const std::string own = port::SessionFolder();
    EXPECT_EQ(own, JoinPath(parent, "session-" + std::to_string(::getpid())));
    EXPECT_EQ(port::RemoveDeadSessionFolders(parent), 0);
    EXPECT_TRUE(Exists(own));
    port::CloseSessionFolder();
    EXPECT_FALSE(Exists(own));
    EXPECT_EQ(port::SessionFolder(), "");
    ::unlink(liveTemp.c_str());
}

// A save beside a design notes its temporary in the session's folder only while it writes: a
// finished save and a failed one both leave the folder as they found it, and a failed one
// leaves nothing beside the design.
TEST_F(SessionFolders, ASaveNotesItsTemporaryOnlyWhileItWrites) {
    const std::string root = dvxtest::FreshTempFolder("notes");
    const std::string parent = JoinPath(root, "private"), design = JoinPath(root, "d.pro");
    ASSERT_TRUE(port::MakePrivateFolder(parent) && port::OpenSessionFolder(parent));
    const std::string own = port::SessionFolder();
    const std::vector<std::string> lockOnly{"lock"};
    ASSERT_TRUE(port::WriteWholeFile(design, "one", 3));
    EXPECT_EQ(port::ListFolder(own), lockOnly);
    for (auto step : {port::WriteStep::Write, port::WriteStep::Sync, port::WriteStep::Rename}) {
        port::FailNextWriteAt(step);
        EXPECT_FALSE(port::WriteWholeFile(design, "two", 3));
        EXPECT_EQ(port::ListFolder(own), lockOnly);
        EXPECT_EQ(port::ListFolder(root), (std::vector<std::string>{"d.pro", "private"}));
    }
    port::CloseSessionFolder();
}

// A process number that no process has any more.
pid_t GonePid() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

// Binds a socket at `path`; listening on it, its descriptor, otherwise closed at once (the
// socket file stays, as a killed listener leaves it).
int BindSocket(const std::string& path, bool listening) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), std::min(path.size() + 1, sizeof address.sun_path - 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return -1;
    if (listening && ::listen(fd, 4) == 0) return fd;
    ::close(fd);
    return listening ? -1 : 0;
}

// Start-up's sweep of the plug-in tools' sockets: only a socket whose process is gone and on
// which nobody listens goes.
TEST_F(SessionFolders, DeadSessionsSocketsGoAndEveryOtherEntryStays) {
    // A socket's path is short: the build tree's folders are too deep for one.
    char made[] = "/tmp/dvx-sockets-XXXXXX";
    ASSERT_NE(::mkdtemp(made), nullptr);
    const std::string folder = made;
    struct Cleanup {
        std::string folder;
        ~Cleanup() { std::filesystem::remove_all(folder); }
    } cleanup{folder};
    const std::string gone = std::to_string(GonePid()), goneToo = std::to_string(GonePid());
    struct Row { std::string name; enum { Socket, Listening, File } kind; bool removed; };
    const Row rows[] = {
        {"powertool-" + gone, Row::Socket, true},
        {"powertool-" + std::to_string(::getpid()), Row::Socket, false},  // its process runs
        {"powertool-" + goneToo, Row::Listening, false},                  // someone answers
        {"powertool-" + std::to_string(GonePid()), Row::File, false},
        {"powertool-" + gone + "-1", Row::Socket, false},
        {"powertool-x" + gone, Row::Socket, false},
        {"session-" + goneToo, Row::Socket, false},
    };
    std::vector<int> listening;
    for (const Row& r : rows) {
        const std::string path = JoinPath(folder, r.name);
        if (r.kind == Row::File) ASSERT_TRUE(port::WriteWholeFile(path, "f", 1)) << r.name;
        else {
            const int fd = BindSocket(path, r.kind == Row::Listening);
            ASSERT_GE(fd, 0) << r.name;
            if (r.kind == Row::Listening) listening.push_back(fd);
        }
    }
    EXPECT_EQ(port::RemoveDeadSessionSockets(folder, "powertool-"), 1);
    for (const Row& r : rows) EXPECT_EQ(Exists(JoinPath(folder, r.name)), !r.removed) << r.name;
    for (int fd : listening) ::close(fd);
}

}  // namespace
