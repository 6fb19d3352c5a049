// A save's temporary beside a design names the session writing it; whoever opens or saves the
// design later removes those whose session is gone (a process killed mid-save, one of an
// earlier boot) and nothing else: never a live session's, another host's, or another file.
#include "port/files.h"
#include "port/session_identity.h"

#include "support/doubles.h"
#include "support/fixture.h"

#include <csignal>
#include <string>
#include <tuple>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using port::JoinPath;
using port::SessionIdentity;

class SaveTemporaries : public dvxtest::ServicesTest {};

bool Exists(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> found;
    for (const std::string& name : port::ListFolder(folder))
        if (port::IsSaveTemporaryName(name)) found.push_back(name);
    return found;
}

// A session killed while it saves: the system ends it half way through writing the temporary
// (its file size limit reached), so the temporary stays as its writer left it.
pid_t KilledMidSave(const std::string& design) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit none{0, 0}, small{4096, 4096};
        ::setrlimit(RLIMIT_CORE, &none), ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        const std::vector<char> bytes(64 * 1024, 'x');
        port::WriteWholeFile(design, bytes.data(), bytes.size());
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? pid : -1;
}

// A session that runs until the test lets it end; it hands over its tag.
struct LiveSession {
    pid_t pid = -1;
    int release[2] = {-1, -1};
    std::string tag;
    LiveSession() {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]), ::close(release[1]);
            const std::string own = port::SessionTag(port::ThisSession());
            (void)!::write(ready[1], own.data(), own.size());
            ::close(ready[1]);
            char c;
            (void)!::read(release[0], &c, 1);
            ::_exit(0);
        }
        ::close(ready[1]), ::close(release[0]);
        char buf[256];
        ssize_t n;
        while ((n = ::read(ready[0], buf, sizeof buf)) > 0) tag.append(buf, static_cast<size_t>(n));
        ::close(ready[0]);
    }
    void end() {
        ::close(release[1]), release[1] = -1;
        if (pid > 0) ::waitpid(pid, nullptr, 0), pid = -1;
    }
    ~LiveSession() { end(); }
};

TEST_F(SaveTemporaries, TheirNamesTellTheWriterAndOnlyDeadWritersTemporariesGo) {
    const SessionIdentity& self = port::ThisSession();
    ASSERT_NE(self.boot, std::string(16, '0')) << "this host's boot cannot be told";
    SessionIdentity parsed;
    ASSERT_TRUE(port::ParseSessionTag(port::SessionTag(self), parsed));
    EXPECT_EQ(parsed, self);
    EXPECT_EQ(std::tuple(self.pid, self.start > 0), std::tuple(long(::getpid()), true));
    for (const char* bad : {"", "a-b-c", "host_1-0123456789abcdef-12-x", "ho.st-0123456789abcdef-12-3",
                            "host-0123456789ABCDEF-12-3", "host-0123456789abcdef-0-3", "host-0123-12-3"})
        EXPECT_FALSE(port::ParseSessionTag(bad, parsed)) << bad;

    const std::string folder = dvxtest::FreshTempFolder("temporaries");
    const std::string design = JoinPath(folder, "d.pro");
    ASSERT_TRUE(port::WriteWholeFile(design, "saved", 5));
    const pid_t killed = KilledMidSave(design);
    ASSERT_GT(killed, 0) << "the save was not killed";
    const std::vector<std::string> left = Temporaries(folder);
    ASSERT_EQ(left.size(), 1u);
    const std::string killedStem = ".d.pro.tmp-" + self.host + "-" + self.boot + "-" + std::to_string(killed) + "-";
    EXPECT_EQ(left[0].compare(0, killedStem.size(), killedStem), 0) << left[0];

    LiveSession live;
    ASSERT_TRUE(live.pid > 0 && !live.tag.empty());
    auto tagged = [](SessionIdentity s) { return port::SessionTag(s); };
    SessionIdentity otherHost = self, earlierBoot = self, reused = self, unknownBoot = self;
    otherHost.host = "otherhost_0a1b2c3d", otherHost.pid = killed;
    earlierBoot.boot = self.boot == "ffffffffffffffff" ? "eeeeeeeeeeeeeeee" : "ffffffffffffffff";
    reused.start = self.start + 1;
    unknownBoot.boot = std::string(16, '0'), unknownBoot.pid = killed;
    struct Row { std::string name; bool removed; bool folder = false; };
    const std::vector<Row> rows = {
        {left[0], true},
        {".d.pro.tmp-" + tagged(earlierBoot) + "-0000abcd", true},
        {".d.pro.tmp-" + tagged(reused) + "-0000abcd", true},  // another process took the number
        {".d.pro.tmp-" + tagged(self) + "-0000abcd", false},
        {".d.pro.tmp-" + live.tag + "-0000abcd", false},
        {".d.pro.tmp-" + tagged(otherHost) + "-0000abcd", false},
        {".d.pro.tmp-" + tagged(unknownBoot) + "-0000abcd", false},
        {".d.pro.tmp0a1b2c3d", false},                                  // no writer named
        {".e.pro.tmp-" + tagged(earlierBoot) + "-0000abcd", false},     // another design's
        {"d.pro.tmp-" + tagged(earlierBoot) + "-0000abcd", false},
        {".d.pro.tmp-" + tagged(earlierBoot) + "-0000abcd.bak", false},
        {".d.pro.tmp-" + tagged(earlierBoot) + "-0000abce", false, true},
    };
    for (const Row& r : rows) {
        const std::string path = JoinPath(folder, r.name);
        if (Exists(path)) continue;
        ASSERT_TRUE(r.folder ? port::MakeFolder(path) : port::WriteWholeFile(path, "t", 1)) << r.name;
    }
    EXPECT_EQ(port::RemoveDeadSaveTemporaries(design), 3);
    for (const Row& r : rows) EXPECT_EQ(Exists(JoinPath(folder, r.name)), !r.removed) << r.name;
    EXPECT_TRUE(Exists(design));

    // Once the live session ends, its temporary is a dead one's; through a link to the design
    // the sweep looks beside the file the link names.
    live.end();
    const std::string link = JoinPath(dvxtest::FreshTempFolder("temporaries-link"), "link.pro");
    ASSERT_EQ(::symlink(design.c_str(), link.c_str()), 0);
    EXPECT_EQ(port::RemoveDeadSaveTemporaries(link), 1);
    EXPECT_FALSE(Exists(JoinPath(folder, ".d.pro.tmp-" + live.tag + "-0000abcd")));
    EXPECT_TRUE(Exists(JoinPath(folder, ".d.pro.tmp-" + tagged(self) + "-0000abcd")));
}

}  // namespace
