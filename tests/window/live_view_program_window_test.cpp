// The live view of the running program, started on a one-wall design written here: Ctrl+1
// shows the wall ahead of the eye, a drag in the view walks, and the panel comes back where it
// was left after the program is started again. The grab of the panel is kept as the screenshot.
// A furnished house made in the program, opened and saved at once with Ctrl+S, keeps its bytes
// with the live view hidden and shown.
#include <algorithm>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "files/design_file.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/fixture.h"
#include "support/records.h"
#include "window/window_support.h"

namespace {

QString gProgram, gShot;

bool WaitFor(const std::function<bool()>& done, int ms = 15000) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (done()) return true;
        QThread::msleep(100);
    }
    return done();
}

int Grey(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

// The columns of the row that differ from the sky at the row's left end: the wall's span.
std::pair<int, int> WallSpan(const QImage& image, int row) {
    if (image.isNull() || row >= image.height()) return {-1, -1};
    const int sky = Grey(image.pixel(2, row));
    int first = -1, last = -1;
    for (int x = 2; x < image.width() - 2; ++x)
        if (std::abs(Grey(image.pixel(x, row)) - sky) > 6) last = x, first = first < 0 ? x : first;
    return {first, last};
}

// The program on the design, with its settings in `config` so a second start reads the first's.
struct Program {
    Program(const QString& design, const QString& config) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DVX_NO_SPLASH", "1"), env.insert("XDG_CONFIG_HOME", config);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(gProgram, {design});
    }
    ~Program() {
        process.terminate();
        if (!process.waitForFinished(15000)) process.kill(), process.waitForFinished(5000);
    }
    // Ctrl+1 in the design's window; the panel's window id once it shows.
    QString openLiveView() {
        QString main, panel;
        if (!WaitFor([&] { return !(main = ShownWindow("house.pro")).isEmpty(); })) return {};
        XDo({"windowfocus", "--sync", main}), XDo({"key", "--window", main, "ctrl+1"});
        WaitFor([&] { return !(panel = ShownWindow("Live View")).isEmpty(); });
        return panel;
    }
    QProcess process;
};

QImage Grab(const QString& window) {
    const QRect f = WindowFrame(window);
    return QGuiApplication::primaryScreen()->grabWindow(0, f.x(), f.y(), f.width(), f.height()).toImage();
}

class LiveViewProgram : public dvxtest::DocumentTest {};

TEST_F(LiveViewProgram, Ctrl1ShowsTheWallADragWalksAndThePanelReturnsWhereItWasLeft) {
    // The eye at the origin looking along -y; the wall 300 ahead, 200 wide and 96 high.
    DocState* ds = doc->itsDocState;
    Objex* wall = dvxtest::Wall(doc->itsCurLayer, {{-100, -300}, {100, -300}});
    wall->planBits = ds->visiblePlans;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 96;
    ds->cameraMode = 1, ds->navigationFlag = 0, ds->cameraHeading = 0, ds->cameraPosition = {0, 0};
    ds->elevationView = 0, ds->eyeHeight = 60, ds->navigationSpeed = 8;
    // Plain colours: the wall is found against an even sky, which the stock sky picture is not.
    ds->renderValue |= hideflag::kMaterials;
    const QString dir = QString::fromStdString(dvxtest::FreshTempFolder("liveviewprogram"));
    const QString design = dir + "/house.pro", config = dir + "/config";
    ASSERT_NE(KeyFileWrite(design.toUtf8().constData()), 0);

    {
        Program program(design, config);
        ASSERT_TRUE(program.process.waitForStarted(10000));
        const QString panel = program.openLiveView();
        ASSERT_FALSE(panel.isEmpty()) << "Ctrl+1 showed no live view";
        // The wall straight ahead: its span holds the middle of the panel with sky on both sides.
        QImage shot;
        const auto wallAhead = [&] {
            shot = Grab(panel);
            const auto [l, r] = WallSpan(shot, shot.height() / 2);
            return l > 0 && l < shot.width() / 2 && r > shot.width() / 2 && r < shot.width() - 3;
        };
        ASSERT_TRUE(WaitFor(wallAhead)) << "no wall ahead in the live view";
        if (!gShot.isEmpty()) shot.save(gShot);
        const int row = shot.height() / 2, left = WallSpan(shot, row).first;

        // Held right of the press, the walk turns right: the wall slides left during the drag.
        const QRect f = WindowFrame(panel);
        const QString x = QString::number(f.center().x()), y = QString::number(f.center().y());
        XDo({"mousemove", "--sync", x, y}), XDo({"mousedown", "1"});
        XDo({"mousemove", "--sync", QString::number(f.center().x() + 120), y});
        EXPECT_TRUE(WaitFor([&] { return WallSpan(Grab(panel), row).first < left - 20; }, 5000))
            << "the wall never moved during the drag";
        XDo({"mouseup", "1"});

        // Moved, then closed with Ctrl+1 in the design's window: the frame is remembered.
        XDo({"windowmove", "--sync", panel, "140", "120"});
        ASSERT_TRUE(WaitFor([&] { return WindowFrame(panel).topLeft() == QPoint(140, 120); }));
        const QString main = ShownWindow("house.pro");
        XDo({"windowfocus", "--sync", main}), XDo({"key", "--window", main, "ctrl+1"});
        EXPECT_TRUE(WaitFor([] { return ShownWindow("Live View").isEmpty(); })) << "Ctrl+1 left the panel open";
    }
    Program again(design, config);
    ASSERT_TRUE(again.process.waitForStarted(10000));
    const QString panel = again.openLiveView();
    ASSERT_FALSE(panel.isEmpty());
    EXPECT_TRUE(WaitFor([&] { return WindowFrame(panel).topLeft() == QPoint(140, 120); }, 5000))
        << "the panel opened at " << WindowFrame(panel).x() << "," << WindowFrame(panel).y();
}

ino_t Inode(const QString& path) {
    struct stat st {};
    return ::stat(path.toUtf8().constData(), &st) == 0 ? st.st_ino : 0;
}

// A two-floor house drawn and furnished with the program's tools and stock content (walls,
// openings, a hip roof, a stair, a deck with railing, a fence, terrain, plants, furniture, a
// fixture light, a receptacle), read and saved with no edit: the save writes what the file held,
// its object and point counters among them, whether the live view was hidden or shown. The
// second start reads what the first saved, so a second round holds too.
TEST(FurnishedHouse, OpenedAndSavedAtOnceItKeepsItsBytesWithTheLiveViewHiddenOrShown) {
    const std::string original = DVX_TEST_DESIGNS "/furnished-house.pro";
    const std::vector<uint8_t> bytes = dvxtest::ReadWholeFile(original);
    ASSERT_GT(bytes.size(), 1672u);
    const QString dir = QString::fromStdString(dvxtest::FreshTempFolder("furnishedhouse"));
    const QString design = dir + "/house.pro", config = dir + "/config";
    ASSERT_TRUE(QFile::copy(QString::fromStdString(original), design));
    QFile::setPermissions(design, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "the live view shown" : "the live view hidden");
        Program program(design, config);
        ASSERT_TRUE(program.process.waitForStarted(10000));
        QString main;
        ASSERT_TRUE(WaitFor([&] { return !(main = ShownWindow("house.pro")).isEmpty(); }));
        if (shown) {
            ASSERT_FALSE(program.openLiveView().isEmpty()) << "Ctrl+1 showed no live view";
        }
        // Saved twice: the save replaces the file, so each is seen by its new inode.
        for (int save = 0; save < 2; ++save) {
            const ino_t before = Inode(design);
            XDo({"windowfocus", "--sync", main}), XDo({"key", "--window", main, "ctrl+s"});
            ASSERT_TRUE(WaitFor([&] { return Inode(design) != before; })) << "Ctrl+S wrote nothing";
            const std::vector<uint8_t> saved = dvxtest::ReadWholeFile(design.toStdString());
            ASSERT_EQ(saved.size(), bytes.size());
            // The counters first, by name; then every other byte.
            EXPECT_EQ(std::vector(saved.begin() + 1666, saved.begin() + 1674),
                      std::vector(bytes.begin() + 1666, bytes.begin() + 1674))
                << "nextObjectID and nextPointID";
            const auto differs = std::mismatch(saved.begin(), saved.end(), bytes.begin());
            EXPECT_TRUE(differs.first == saved.end()) << "first differing byte " << (differs.first - saved.begin());
        }
        if (shown && !gShot.isEmpty()) QGuiApplication::primaryScreen()->grabWindow(0).save(gShot.chopped(4) + "-furnished-house.png");
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) return fprintf(stderr, "usage: test_window_live_view_program <dovranix> <screenshot.png>\n"), 2;
    gProgram = QString::fromLocal8Bit(argv[1]), gShot = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}
