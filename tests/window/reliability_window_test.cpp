// The program as a user meets it on a bad day, each run a real process on the virtual X server:
// SIGTERM ends it within a second while it reads a design (at launch, before its event loop
// runs, and from File > Open, with the loop blocked) and leaves no scratch folder behind; a
// design the user made read-only is not replaced by Ctrl+S, the save alert says so; under a
// file size limit (ulimit -f) a write too large fails with an alert and the session goes on,
// an edit whose snapshot fails is still unsaved and Quit asks; the plug-in tools' sockets of
// killed sessions go at the next launch.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <tuple>
#include <vector>

#include "app/app_controller.h"
#include "files/docstate_io.h"
#include "files/design_file.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "window/window_support.h"

namespace {

QString gShot, gProgram;

// One run of the program with its own runtime folder (where its session keeps its snapshots),
// optionally under a command that limits it first.
class Program {
public:
    explicit Program(const std::string& dir, const QStringList& args, const QStringList& limit = {})
        : runtime(QString::fromStdString(dir) + "/runtime") {
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DVX_NO_SPLASH", "1"), env.insert("XDG_RUNTIME_DIR", runtime);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        if (limit.isEmpty()) process.start(gProgram, args);
        else process.start(limit.front(), limit.mid(1) + QStringList{gProgram} + args);
    }
    ~Program() {
        if (process.state() != QProcess::NotRunning) process.kill(), process.waitForFinished(5000);
    }
    bool started() { return process.waitForStarted(10000); }
    enum class Kind { Document, Dialog, Palette };
    // The program's shown windows: the document window, dialogs (alerts, panels) and the tool
    // palettes, which show before a design named at launch is read.
    std::vector<std::pair<QString, Kind>> windows() const {
        std::vector<std::pair<QString, Kind>> out;
        const QString pid = QString::number(process.processId());
        for (const QString& id : XDo({"search", "--onlyvisible", "--pid", pid, "--name", "."}).split('\n', Qt::SkipEmptyParts)) {
            QProcess xprop;
            xprop.start("xprop", {"-id", id, "WM_TRANSIENT_FOR", "_NET_WM_WINDOW_TYPE"}), xprop.waitForFinished(5000);
            const QString text = QString::fromLatin1(xprop.readAllStandardOutput());
            // A palette is over the document window too, once that shows.
            const Kind kind = text.contains("_UTILITY")                                    ? Kind::Palette
                              : text.contains("_DIALOG") || text.contains("window id # ") ? Kind::Dialog
                              : text.contains("_NORMAL")                                 ? Kind::Document
                                                                                         : Kind::Palette;
            out.emplace_back(id, kind);
        }
        return out;
    }
    int count(Kind kind) const {
        int n = 0;
        for (const auto& w : windows()) n += w.second == kind;
        return n;
    }
    // The document window, once shown; empty when it never shows.
    QString mainWindow(int ms = 20000) const {
        QString main;
        (void)QTest::qWaitFor([&] {
            for (const auto& [id, kind] : windows())
                if (kind == Kind::Document) main = id;
            return !main.isEmpty();
        }, ms);
        return main;
    }
    bool dialogShown(int ms = 15000) const {
        return QTest::qWaitFor([&] { return count(Kind::Dialog) > 0; }, ms);
    }
    // Milliseconds from SIGTERM to the process's end; -1 when it outlived 10 s.
    qint64 terminate() {
        QElapsedTimer took;
        took.start();
        process.terminate();
        return process.waitForFinished(10000) ? took.elapsed() : -1;
    }
    // What the program's sessions left in its private folder.
    QStringList sessionFolders() const {
        return QDir(runtime + "/com.dedarovozurev.dovranix").entryList({"session-*", "starting-*"}, QDir::Dirs);
    }
    // The plug-in tools' socket of the session with this process number.
    QString socket(qint64 pid) const { return runtime + "/com.dedarovozurev.dovranix/powertool-" + QString::number(pid); }
    // Presses Return (the default button) in each dialog shown until none shows for a second;
    // gives how many were answered.
    int answerDialogs() const {
        int answered = 0;
        for (int rounds = 0; rounds < 10; ++rounds) {
            QString dialog;
            (void)QTest::qWaitFor([&] {
                for (const auto& [id, kind] : windows())
                    if (kind == Kind::Dialog) dialog = id;
                return !dialog.isEmpty();
            }, 1000);
            if (dialog.isEmpty()) break;
            XDo({"windowfocus", "--sync", dialog}), XDo({"key", "Return"}), ++answered;
            (void)QTest::qWaitFor([&] {
                for (const auto& w : windows())
                    if (w.first == dialog) return false;
                return true;
            }, 5000);
        }
        return answered;
    }

    QString runtime;
    QProcess process;
};

struct Designs {
    Designs() : dir(dvxtest::FreshTempFolder("reliability")), folders(dir) {
        AppController::destroyShared(), dvxtest::ResetAllGlobals();
        port::setFolders(&folders), port::setAlerts(&alerts);
        doc = QMDDocumentModel::alloc()->init();
    }
    ~Designs() {
        doc->dealloc();
        dvxtest::ResetAllGlobals();
    }
    std::string write(const char* name) {
        const std::string path = dir + "/" + name;
        EXPECT_NE(KeyFileWrite(path.c_str()), 0) << name;
        return path;
    }
    std::string dir;
    dvxtest::TempFolders folders;
    dvxtest::RecordingAlerts alerts;
    QMDDocumentModel* doc = nullptr;
};

// A design that takes seconds to read: a railing of very many curved segments at the finest
// curve resolution a design keeps, walked chord by chord as it is rebuilt on reading.
std::string SlowDesign(Designs& d) {
    d.doc->itsDocState->curveSegments = kMostCurveSegments;
    Objex* rail = dvxtest::Make(objtype::kRailing).on(d.doc->itsCurLayer).line(60000, 40).rows(1);
    for (Poinz* p = rail->firstPoint; p; p = p->next) p->outTangent[2] = p->inTangent[2] = 30;
    objfield::railing::kHeight(*rail) = 36, objfield::railing::kBalusterSpacing(*rail) = 1000;
    return d.write("slow.pro");
}

TEST(Terminate, EndsTheProgramWithinASecondWhileADesignIsReadAndLeavesNoScratchFolder) {
    Designs d;
    const QString slow = QString::fromStdString(SlowDesign(d));
    {
        SCOPED_TRACE("at launch, before the event loop runs");
        Program program(d.dir, {slow});
        ASSERT_TRUE(program.started());
        QTest::qWait(700);
        EXPECT_EQ(program.count(Program::Kind::Document), 0) << "the design was read already: make it slower";
        const qint64 took = program.terminate();
        EXPECT_GE(took, 0);
        EXPECT_LT(took, 1000);
        EXPECT_TRUE(program.sessionFolders().isEmpty()) << program.sessionFolders().join(' ').toStdString();
    }
    {
        SCOPED_TRACE("from File > Open, the event loop blocked");
        Program program(d.dir, {});
        ASSERT_TRUE(program.started());
        const QString main = program.mainWindow();
        ASSERT_FALSE(main.isEmpty());
        XDo({"windowfocus", "--sync", main}), XDo({"key", "ctrl+o"});
        ASSERT_TRUE(program.dialogShown()) << "no open panel";
        QTest::qWait(300);
        // The panel's end starts the read inside the loop's own call: the loop, blocked, does
        // not even take the panel off the screen until the read is done.
        XDo({"type", "--delay", "5", slow}), XDo({"key", "Return"});
        QTest::qWait(700);
        EXPECT_EQ(program.count(Program::Kind::Document), 1);
        const qint64 took = program.terminate();
        EXPECT_GE(took, 0);
        EXPECT_LT(took, 1000);
        EXPECT_TRUE(program.sessionFolders().isEmpty()) << program.sessionFolders().join(' ').toStdString();
    }
}

struct FileFacts {
    std::vector<uint8_t> bytes;
    ino_t inode = 0;
    mode_t mode = 0;
    bool operator==(const FileFacts&) const = default;
};
FileFacts FactsOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {dvxtest::ReadWholeFile(path), st.st_ino, mode_t(st.st_mode & 07777)};
}

// chmod 444, open, change, Ctrl+S: the save alert, and the file as it was.
TEST(ReadOnlyDesign, CtrlSIsRefusedWithTheSaveAlertAndTheFileKept) {
    Designs d;
    dvxtest::Wall(d.doc->itsCurLayer, {{0, 0}, {240, 0}});
    const std::string path = d.write("protected.pro");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const FileFacts before = FactsOf(path);
    Program program(d.dir, {QString::fromStdString(path)});
    ASSERT_TRUE(program.started());
    const QString main = program.mainWindow();
    ASSERT_FALSE(main.isEmpty());
    XDo({"windowfocus", "--sync", main}), XDo({"key", "ctrl+a", "Delete"}), QTest::qWait(300);
    XDo({"key", "ctrl+s"});
    EXPECT_TRUE(program.dialogShown()) << "no save alert";
    QTest::qWait(300);
    EXPECT_TRUE(FactsOf(path) == before);
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
    EXPECT_GE(program.terminate(), 0);
    EXPECT_TRUE(FactsOf(path) == before);
}

// Under a file size limit smaller than the design, the first snapshot of the opened design
// cannot be written: an alert says so and the program runs on (the signal the system sends
// for such a write would otherwise end it).
TEST(FileSizeLimit, AWriteTooLargeIsRefusedWithAnAlertAndTheSessionGoesOn) {
    Designs d;
    for (int i = 0; i < 40; ++i) dvxtest::TrimmedWall(d.doc->itsCurLayer, 12);
    const std::string path = d.write("large.pro");
    ASSERT_GT(QFileInfo(QString::fromStdString(path)).size(), 64 * 1024);
    Program program(d.dir, {QString::fromStdString(path)}, {"prlimit", "--fsize=65536"});
    ASSERT_TRUE(program.started());
    EXPECT_TRUE(program.dialogShown(20000)) << "no alert about the failed write";
    QTest::qWait(1000);
    EXPECT_EQ(program.process.state(), QProcess::Running);
    EXPECT_GE(program.terminate(), 0);
    EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
}

// Under a file size limit smaller than the design no snapshot can be written: an edit still
// marks the design unsaved, Undo (with no earlier snapshot to go back to) says it cannot and
// leaves it so, and Quit asks before anything is thrown away; the file keeps its bytes.
TEST(FileSizeLimit, AnEditWhoseSnapshotCannotBeWrittenIsUnsavedAndQuitAsks) {
    Designs d;
    for (int i = 0; i < 40; ++i) dvxtest::TrimmedWall(d.doc->itsCurLayer, 12);
    const std::string path = d.write("large.pro");
    const std::vector<uint8_t> bytes = dvxtest::ReadWholeFile(path);
    ASSERT_GT(bytes.size(), 64u * 1024);
    Program program(d.dir, {QString::fromStdString(path)}, {"prlimit", "--fsize=65536"});
    ASSERT_TRUE(program.started());
    const QString main = program.mainWindow();
    ASSERT_FALSE(main.isEmpty());
    auto title = [&] { return XDo({"getwindowname", main}); };
    ASSERT_TRUE(program.dialogShown()) << "no alert about the opened design's first snapshot";
    ASSERT_GE(program.answerDialogs(), 1);
    EXPECT_EQ(title().toStdString(), "large.pro");

    XDo({"windowfocus", "--sync", main}), XDo({"key", "ctrl+a", "Right"});
    ASSERT_TRUE(program.dialogShown()) << "no alert about the edit's snapshot";
    ASSERT_EQ(program.answerDialogs(), 1);
    EXPECT_EQ(title().toStdString(), "large.pro*");

    XDo({"windowfocus", "--sync", main}), XDo({"key", "ctrl+z"});
    ASSERT_TRUE(program.dialogShown()) << "no alert about the snapshot Undo could not restore";
    ASSERT_EQ(program.answerDialogs(), 1);
    EXPECT_EQ(title().toStdString(), "large.pro*");

    XDo({"windowfocus", "--sync", main}), XDo({"key", "ctrl+q"});
    EXPECT_TRUE(program.dialogShown(5000)) << "Quit did not ask about the unsaved edit";
    EXPECT_EQ(program.process.state(), QProcess::Running);
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot.chopped(4) + "-quit.png");
    EXPECT_GE(program.terminate(), 0);
    EXPECT_EQ(dvxtest::ReadWholeFile(path), bytes);
}

// Sessions ended by SIGKILL and SIGTERM leave their plug-in tools' sockets; the next launch
// removes them and listens on its own.
TEST(KilledSessions, TheNextLaunchRemovesTheirToolSockets) {
    // A socket's path is short: the build tree's folders are too deep for one.
    QTemporaryDir dir(QDir::tempPath() + "/dvx-sockets-XXXXXX");
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    QStringList left;
    for (const bool kill : {true, false}) {
        Program program(folder, {});
        ASSERT_TRUE(program.started());
        ASSERT_FALSE(program.mainWindow().isEmpty());
        left << program.socket(program.process.processId());
        if (kill) program.process.kill(), program.process.waitForFinished(5000);
        else EXPECT_GE(program.terminate(), 0);
        EXPECT_TRUE(QFileInfo::exists(left.back())) << "nothing left to remove: " << left.back().toStdString();
    }
    Program next(folder, {});
    ASSERT_TRUE(next.started());
    ASSERT_FALSE(next.mainWindow().isEmpty());
    for (const QString& socket : left) EXPECT_FALSE(QFileInfo::exists(socket)) << socket.toStdString();
    EXPECT_TRUE(QFileInfo::exists(next.socket(next.process.processId())));
    EXPECT_GE(next.terminate(), 0);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) return std::fprintf(stderr, "usage: test_window_reliability <screenshot.png> <dovranix>\n"), 2;
    gShot = QString::fromLocal8Bit(argv[1]), gProgram = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}
