// Starts the program on the virtual display, waits until its window shows, keeps a
// screenshot under the build folder, then asks it to quit and expects a clean exit.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QString gProgram;
QString gShot;

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); y += 4)
        for (int x = 0; x < img.width(); x += 4) colours.insert(img.pixel(x, y));
    return colours.size();
}

TEST(Window, StartsShowsAndQuits) {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(gProgram, {});
    ASSERT_TRUE(program.waitForStarted(10000)) << "cannot start " << gProgram.toStdString();

    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    // The bare root window is one colour; a shown window with a menu bar is not.
    QImage shot;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        QThread::msleep(200);
        ASSERT_EQ(program.state(), QProcess::Running) << "the program ended early";
        shot = screen->grabWindow(0).toImage();
        if (!shot.isNull() && DistinctColours(shot) > 4) break;
    }
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(gShot)) << "cannot save " << gShot.toStdString();
    EXPECT_GT(DistinctColours(shot), 4) << "the screen stayed blank";

    program.terminate();
    ASSERT_TRUE(program.waitForFinished(15000)) << "the program did not quit";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: test_window <dovranix> <screenshot.png>\n");
        return 2;
    }
    gProgram = QString::fromLocal8Bit(argv[1]);
    gShot = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}
