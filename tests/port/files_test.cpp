#include "port/files.h"

#include "support/doubles.h"
#include "support/fixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using port::JoinPath;

class Files : public dvxtest::ServicesTest {};

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> readBack(const std::string& path) {
    std::vector<uint8_t> data;
    EXPECT_TRUE(port::ReadWholeFile(path, data)) << path;
    return data;
}

bool write(const std::string& path, const std::string& s) {
    return port::WriteWholeFile(path, s.data(), s.size());
}

mode_t modeOf(const std::string& path) {
    struct stat st{};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST_F(Files, WholeFileRoundTrip) {
    const std::string dir = dvxtest::FreshTempFolder("rt");
    const std::string path = JoinPath(dir, "a.pro");
    std::vector<uint8_t> data(200000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + (i >> 9));
    ASSERT_TRUE(port::WriteWholeFile(path, data.data(), data.size()));
    EXPECT_EQ(readBack(path), data);

    ASSERT_TRUE(port::WriteWholeFile(path, nullptr, 0));
    EXPECT_TRUE(readBack(path).empty());
    EXPECT_EQ(port::ListFolder(dir), std::vector<std::string>{"a.pro"});

    std::vector<uint8_t> out{1, 2, 3};
    EXPECT_FALSE(port::ReadWholeFile(JoinPath(dir, "missing"), out));
    EXPECT_TRUE(out.empty());
    out = {1};
    EXPECT_FALSE(port::ReadWholeFile(dir, out));
    EXPECT_TRUE(out.empty());
}

TEST_F(Files, FailedWriteLeavesTargetByteIdenticalAndNoTemporary) {
    const std::string dir = dvxtest::FreshTempFolder("fail");
    const std::string path = JoinPath(dir, "design.pro");
    const std::string original("original\0bytes\xff", 15);
    ASSERT_TRUE(write(path, original));

    for (auto step : {port::WriteStep::Create, port::WriteStep::Write, port::WriteStep::Sync,
                      port::WriteStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        port::FailNextWriteAt(step);
        EXPECT_FALSE(write(path, std::string(5000, 'n')));
        EXPECT_EQ(readBack(path), bytesOf(original));
        EXPECT_EQ(port::ListFolder(dir), std::vector<std::string>{"design.pro"});

        // A new file that fails to be written does not appear at all.
        port::FailNextWriteAt(step);
        EXPECT_FALSE(write(JoinPath(dir, "new.pro"), "x"));
        EXPECT_EQ(port::ListFolder(dir), std::vector<std::string>{"design.pro"});
    }
    // The fault is used up: the next write goes through.
    EXPECT_TRUE(write(path, "next"));
    EXPECT_EQ(readBack(path), bytesOf("next"));
}

TEST_F(Files, WritesThatCannotSucceedFailCleanly) {
    const std::string dir = dvxtest::FreshTempFolder("bad");
    const std::string file = JoinPath(dir, "plain");
    ASSERT_TRUE(write(file, "keep"));
    EXPECT_FALSE(write(JoinPath(file, "inside"), "x"));          // folder is a file
    EXPECT_FALSE(write(JoinPath(dir, "nowhere/x.pro"), "x"));    // folder missing
    const std::string sub = JoinPath(dir, "sub");
    ASSERT_TRUE(port::MakeFolder(sub));
    EXPECT_FALSE(write(sub, "x"));                               // target is a folder
    EXPECT_TRUE(port::FolderExists(sub));
    const std::string loop = JoinPath(dir, "loop");
    ASSERT_EQ(::symlink("loop", loop.c_str()), 0);
    EXPECT_FALSE(write(loop, "x"));
    EXPECT_EQ(port::ListFolder(dir), (std::vector<std::string>{"loop", "plain", "sub"}));
    EXPECT_EQ(readBack(file), bytesOf("keep"));
}

TEST_F(Files, WriteKeepsPermissionsAndWritesThroughLinks) {
    const std::string dir = dvxtest::FreshTempFolder("keep");
    const std::string real = JoinPath(dir, "real.pro");
    ASSERT_TRUE(write(real, "one"));
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    ASSERT_TRUE(write(real, "two"));
    EXPECT_EQ(modeOf(real), 0640u);
    EXPECT_EQ(readBack(real), bytesOf("two"));

    // Root hands a rewritten file back to its owner.
    if (::geteuid() == 0 && ::chown(real.c_str(), 4321, 4321) == 0) {
        ASSERT_TRUE(write(real, "owned"));
        struct stat st{};
        ::stat(real.c_str(), &st);
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4321u);
    }

    const std::string link = JoinPath(dir, "link.pro");
    ASSERT_EQ(::symlink("real.pro", link.c_str()), 0);
    ASSERT_TRUE(write(link, "three"));
    struct stat st{};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readBack(real), bytesOf("three"));
    EXPECT_EQ(modeOf(real), 0640u);

    // A link whose file does not exist yet creates that file.
    const std::string dangling = JoinPath(dir, "later.pro");
    ASSERT_EQ(::symlink(JoinPath(dir, "target.pro").c_str(), dangling.c_str()), 0);
    ASSERT_TRUE(write(dangling, "four"));
    EXPECT_EQ(readBack(JoinPath(dir, "target.pro")), bytesOf("four"));
    EXPECT_EQ(port::ListFolder(dir),
              (std::vector<std::string>{"later.pro", "link.pro", "real.pro", "target.pro"}));

    const mode_t old = ::umask(022);
    const bool made = write(JoinPath(dir, "fresh.pro"), "5");
    ::umask(old);
    ASSERT_TRUE(made);
    EXPECT_EQ(modeOf(JoinPath(dir, "fresh.pro")), 0644u);
}

TEST_F(Files, FolderOperations) {
    const std::string dir = dvxtest::FreshTempFolder("ops");
    EXPECT_TRUE(port::ListFolder(JoinPath(dir, "missing")).empty());
    for (const char* name : {"b", ".hidden", "a", "C"}) ASSERT_TRUE(write(JoinPath(dir, name), ""));
    ASSERT_TRUE(port::MakeFolder(JoinPath(dir, "d")));
    EXPECT_TRUE(port::MakeFolder(JoinPath(dir, "d")));
    EXPECT_FALSE(port::MakeFolder(JoinPath(dir, "a")));
    EXPECT_EQ(port::ListFolder(dir), (std::vector<std::string>{".hidden", "C", "a", "b", "d"}));
    EXPECT_TRUE(port::FileExists(JoinPath(dir, "a")));
    EXPECT_FALSE(port::FileExists(JoinPath(dir, "d")));
    EXPECT_TRUE(port::FolderExists(JoinPath(dir, "d")));
    EXPECT_FALSE(port::FolderExists(JoinPath(dir, "a")));
    EXPECT_TRUE(port::RemoveFile(JoinPath(dir, "a")));
    EXPECT_FALSE(port::RemoveFile(JoinPath(dir, "a")));
    EXPECT_FALSE(port::FileExists(JoinPath(dir, "a")));
    // A tree is made whole above its last folder, and not through a file.
    EXPECT_TRUE(port::MakeFolderTree(JoinPath(dir, "e/f/g")));
    EXPECT_TRUE(port::FolderExists(JoinPath(dir, "e/f/g")));
    EXPECT_TRUE(port::MakeFolderTree(JoinPath(dir, "e/f/g")));
    EXPECT_FALSE(port::MakeFolderTree(JoinPath(dir, "b/h")));

    EXPECT_EQ(JoinPath("/tmp", "x"), "/tmp/x");
    EXPECT_EQ(JoinPath("/tmp/", "x"), "/tmp/x");
    EXPECT_EQ(JoinPath("/tmp/", "/x"), "/tmp/x");
    EXPECT_EQ(JoinPath("/", "x"), "/x");
    EXPECT_EQ(JoinPath("", "x"), "x");
    EXPECT_EQ(JoinPath("a", ""), "a");
}

TEST_F(Files, PrivateFolderIsMadeTightenedOrRefused) {
    const std::string dir = dvxtest::FreshTempFolder("private");
    std::string why;
    const std::string fresh = JoinPath(dir, "fresh");
    ASSERT_TRUE(port::MakePrivateFolder(fresh, &why)) << why;
    EXPECT_EQ(modeOf(fresh), 0700u);
    EXPECT_TRUE(port::MakePrivateFolder(fresh, &why)) << why;

    const std::string open = JoinPath(dir, "open");
    ASSERT_EQ(::mkdir(open.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(open.c_str(), 0755), 0);
    EXPECT_TRUE(port::MakePrivateFolder(open, &why)) << why;
    EXPECT_EQ(modeOf(open), 0700u);

    // A link to a private folder is refused and its target left alone.
    const std::string link = JoinPath(dir, "link");
    ASSERT_EQ(::symlink(open.c_str(), link.c_str()), 0);
    ASSERT_EQ(::chmod(open.c_str(), 0755), 0);
    EXPECT_FALSE(port::MakePrivateFolder(link, &why));
    EXPECT_NE(why.find("symbolic link"), std::string::npos) << why;
    EXPECT_EQ(modeOf(open), 0755u);

    const std::string file = JoinPath(dir, "file");
    ASSERT_TRUE(write(file, ""));
    EXPECT_FALSE(port::MakePrivateFolder(file, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(port::MakePrivateFolder(JoinPath(dir, "no/such"), &why));
    EXPECT_FALSE(why.empty());

    if (::geteuid() == 0) {
        const std::string theirs = JoinPath(dir, "theirs");
        ASSERT_EQ(::mkdir(theirs.c_str(), 0700), 0);
        ASSERT_EQ(::chown(theirs.c_str(), 4321, 4321), 0);
        EXPECT_FALSE(port::MakePrivateFolder(theirs, &why));
        EXPECT_NE(why.find("another user"), std::string::npos) << why;
    }
}

// A file the user protected against writing is not replaced: the write fails and the file
// keeps its bytes, its inode and its mode, with nothing left beside it. The check goes by its
// permission bits even where privileges would allow the write (root saving over a 0444 file).
TEST_F(Files, AFileWithoutWritePermissionIsRefusedAndLeftAsItWas) {
    const std::string dir = dvxtest::FreshTempFolder("readonly");
    const std::string path = JoinPath(dir, "d.pro");
    ASSERT_TRUE(write(path, "protected"));
    struct Row { mode_t mode; bool written; };
    for (const Row& r : {Row{0444, false}, Row{0400, false}, Row{0555, false}, Row{0644, true}, Row{0200, true}}) {
        SCOPED_TRACE(r.mode);
        ASSERT_EQ(::chmod(path.c_str(), r.mode), 0);
        struct stat before{};
        ::stat(path.c_str(), &before);
        EXPECT_EQ(write(path, "replaced"), r.written);
        struct stat after{};
        ::stat(path.c_str(), &after);
        EXPECT_EQ(::chmod(path.c_str(), 0644), 0);
        EXPECT_EQ(readBack(path), bytesOf(r.written ? "replaced" : "protected"));
        EXPECT_EQ(std::pair(after.st_mode & 07777, r.written ? 0u : after.st_ino),
                  std::pair(r.mode, r.written ? 0u : before.st_ino));
        EXPECT_EQ(port::ListFolder(dir), std::vector<std::string>{"d.pro"});
        ASSERT_TRUE(write(path, "protected"));
    }
}

// A reader may look at a file's first bytes before taking it whole: a 100 MB file (sparse, so
// the test writes nothing) gives its head only, and one longer than a reader allows is refused
// before a byte is read.
TEST_F(Files, AHeadIsReadAloneAndATooLongFileIsRefusedUnread) {
    const std::string dir = dvxtest::FreshTempFolder("head");
    const std::string path = JoinPath(dir, "large.bin");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "HEAD", 4), 4);
    ASSERT_EQ(::ftruncate(fd, 100 << 20), 0);
    ::close(fd);
    std::vector<uint8_t> out;
    port::ResetFileProbeCount();
    ASSERT_TRUE(port::ReadFileHead(path, 6, out));
    EXPECT_EQ(out, (std::vector<uint8_t>{'H', 'E', 'A', 'D', 0, 0}));
    EXPECT_EQ(port::FileBytesRead(), 6u);
    EXPECT_FALSE(port::ReadWholeFile(path, out, (100 << 20) - 1));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(port::FileBytesRead(), 6u);
    // A short file gives what it has; a missing one nothing.
    ASSERT_TRUE(write(JoinPath(dir, "short"), "ab"));
    ASSERT_TRUE(port::ReadFileHead(JoinPath(dir, "short"), 6, out));
    EXPECT_EQ(out, bytesOf("ab"));
    EXPECT_FALSE(port::ReadFileHead(JoinPath(dir, "missing"), 6, out));
}

}  // namespace
