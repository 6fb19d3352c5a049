// A new user's first minutes, under the virtual X server: every tool button and toolbar item
// shows its picture; a new or opened design is in view; a design saved on the second floor opens
// there; gestures that change nothing store no undo step; SIGTERM ends the program under any
// alert of its launch without touching the saved design.
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <functional>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "ui/tool_palettes.h"
#include "ui/tool_pictures.h"
#include "window/window_support.h"

namespace {

QString gShot, gProgram;

// Pixels the ink covers at least half.
int Inked(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) >= 128;
    return n;
}

class Services {
public:
    explicit Services(const char* name) : folders(dvxtest::FreshTempFolder(name)) {
        AppController::destroyShared(), dvxtest::ResetAllGlobals();
        port::setFolders(&folders), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
    }
    ~Services() { AppController::destroyShared(), dvxtest::ResetAllGlobals(); }
    dvxtest::TempFolders folders;
    dvxtest::RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
};

// Every cell of the three palettes (the plan palette's nine toolsets) and every toolbar item
// with an action has a picture that draws something at 16 and at 32 pixels, in dark ink for a
// light theme and light ink for a dark one; the palettes on the screen show them.
TEST(Pictures, EveryToolAndToolbarItemHasOneLegibleAtBothSizes) {
    Services services("pictures");
    QMDWindowController* w = OpenDocumentWindow();
    std::vector<std::pair<QString, QString>> named;  // (what, picture)
    for (PaletteController* palette : std::initializer_list<PaletteController*>{
             ToolPaletteController::shared(), SnapPaletteController::shared(), PlanToolPaletteController::shared()})
        for (PaletteCellButton* b : palette->window()->findChildren<PaletteCellButton*>())
            named.emplace_back(QString::number(b->tag()), b->property("image").toString());
    for (const char* locked : {"SPNoneLock", "SPOnSegmentLock"}) named.emplace_back(locked, locked);
    for (QAction* a : w->findChild<QToolBar*>()->actions())
        if (a->objectName().startsWith("Document Toolbar") && !a->objectName().contains("Active Floor"))
            named.emplace_back(a->objectName(), a->icon().isNull() ? QString() : a->objectName());
    ASSERT_EQ(named.size(), 6u + 9 + 87 + 2 + 4);  // edit, snap, the nine toolsets, two locks, toolbar

    // The sheet kept for review: each picture at 16 and 32 pixels, twelve to a row, on light
    // and (below) on dark.
    constexpr int kPerRow = 12, kCellW = 56, kCellH = 38;
    const int rows = int(named.size() + kPerRow - 1) / kPerRow;
    QImage sheet(kPerRow * kCellW, 2 * rows * kCellH, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.fillRect(0, rows * kCellH, sheet.width(), rows * kCellH, QColor(40, 40, 40));
    int column = 0;
    for (const auto& [what, picture] : named) {
        SCOPED_TRACE(what.toStdString() + " " + picture.toStdString());
        if (what.startsWith("Document Toolbar")) {
            EXPECT_FALSE(picture.isEmpty()) << "a toolbar item without its picture";
            continue;
        }
        ASSERT_TRUE(HasToolPicture(picture));
        for (int size : {16, 32}) {
            const QImage dark = RenderToolPicture(picture, size, Qt::black), light = RenderToolPicture(picture, size, Qt::white);
            // Something drawn, not a blot: a line drawing covers some of its square.
            EXPECT_GT(Inked(dark), size * size / 20) << size;
            EXPECT_LT(Inked(dark), size * size * 3 / 5) << size;
            EXPECT_EQ(Inked(light), Inked(dark));  // the same lines in the other ink
            const QPoint at((column % kPerRow) * kCellW + (size == 16 ? 2 : 20), (column / kPerRow) * kCellH + 3);
            painter.drawImage(at, dark);
            painter.drawImage(at + QPoint(0, rows * kCellH), light);
        }
        ++column;
    }
    painter.end();
    sheet.save(gShot + ".pictures.png");

    // On the screen: each cell shows its picture, not letters.
    int y = 600;
    for (PaletteController* palette : std::initializer_list<PaletteController*>{
             ToolPaletteController::shared(), SnapPaletteController::shared(), PlanToolPaletteController::shared()})
        palette->showWindow(), palette->window()->move(0, y), y += 120;
    for (PaletteController* palette : std::initializer_list<PaletteController*>{
             ToolPaletteController::shared(), SnapPaletteController::shared(), PlanToolPaletteController::shared()}) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
        QTest::qWait(100);
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(palette->window()->winId()).toImage();
        shot.save(gShot + "." + palette->window()->objectName() + ".png");
        for (PaletteCellButton* b : palette->window()->findChildren<PaletteCellButton*>()) {
            if (!b->isVisible()) continue;
            EXPECT_TRUE(b->text().isEmpty()) << b->tag();
            const QImage cell = shot.copy(QRect(b->mapTo(palette->window(), QPoint(0, 0)), b->size()));
            int dark = 0;
            for (int y = 0; y < cell.height(); ++y)
                for (int x = 0; x < cell.width(); ++x) dark += qGray(cell.pixel(x, y)) < 110;
            EXPECT_GT(dark, 20) << "no picture on cell " << b->tag();
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: test_window_first <screenshot.png> <dovranix>\n");
        return 2;
    }
    gShot = QString::fromLocal8Bit(argv[1]);
    gProgram = QString::fromLocal8Bit(argv[2]);
    return RUN_ALL_TESTS();
}
