// The stock content on the virtual X server, used with the server's mouse: an object dragged
// from the Living Room previews lands in the plan and stands in the live view at its real
// size; every fixture tool of the electrical, plumbing and HVAC palettes places its symbol,
// drawn in the plan and built in 3D; the photo-view PowerTool inserts a photo from an image
// file, which stands in the live view.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <algorithm>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "files/content_folders.h"
#include "files/symbol_lists.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/object_types.h"
#include "model/tool_state.h"
#include "model/transforms.h"
#include "port/folders.h"
#include "powertools/power_tool_launcher.h"
#include "scene/plane_object.h"
#include "support/build.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

QImage Screen(QWidget* w) { return w->screen()->grabWindow(0).copy(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())).toImage(); }

// The window test's services with the stock content the build made as the program's own.
struct StockServices : WindowTestServices {
    explicit StockServices(const char* name) : WindowTestServices(name), stock(port::StockContentFolder(), folders) {
        port::setFolders(&stock);
    }
    struct Folders : port::Folders {
        Folders(std::string root, dvxtest::TempFolders& user) : root_(std::move(root)), user_(user) {}
        std::string applicationSupport(port::Domain d) override {
            return d == port::Domain::Local ? root_ : user_.applicationSupport(d);
        }
        std::string temporaryBase() override { return user_.temporaryBase(); }
        std::string root_;
        dvxtest::TempFolders& user_;
    } stock;
    ~StockServices() { port::setFolders(nullptr); }
};

// The extent of the scene's pieces built for `base`, in inches: width, depth, height.
struct Extent {
    float width = 0, depth = 0, height = 0;
    float h = 0, d = 0;  // the plan centre, in model units
    int pieces = 0;
};
Extent PiecesOf(const Objex* base) {  // pieces of it or of anything below it
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    Extent e;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if (!p->baseObject || (p->baseObject != base && GetRootObject(const_cast<Objex*>(p->baseObject)) != base)) continue;
        ++e.pieces;
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i) {
                const float v[3] = {plane->vertices[i].H, plane->vertices[i].V, plane->vertices[i].D};
                for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], v[k]), hi[k] = std::max(hi[k], v[k]);
            }
    }
    const DocState* ds = CurrentDocState();
    auto inches = [ds](float units) { return ConvertScreenToWorld(units, ds, 0); };
    if (e.pieces) e.width = inches(hi[0] - lo[0]), e.height = inches(hi[1] - lo[1]), e.depth = inches(hi[2] - lo[2]);
    e.h = (lo[0] + hi[0]) / 2, e.d = (lo[2] + hi[2]) / 2;
    return e;
}

// Opens the live view and shows the scene; false when it never drew.
bool OpenLiveView() {
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    if (!c->isVisible()) c->showWindow();
    if (!QTest::qWaitForWindowExposed(c->window()) || !QTest::qWaitFor([&] { return c->glSurface().window()->isValid(); }))
        return false;
    RebuildLiveViewScene();
    return true;
}

QImage LiveView() {
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    QWidget* v = c->liveViewOGLWidget();
    QTest::qWait(300);
    return v->screen()->grabWindow(c->window()->winId(), v->x(), v->y(), v->width(), v->height()).toImage();
}

// The camera 20 feet in front of the plan point, looking at it from eye height.
void LookAt(DocState* ds, float h, float d) {
    ds->cameraMode = 1, ds->navigationFlag = 0, ds->cameraHeading = 0, ds->elevationView = 0, ds->eyeHeight = 40;
    ds->cameraPosition = {h, d + ConvertWorldToScreen(240, ds, 0)};
    SetUpLiveViewCamera(ds);
}

// Pixels of a warm colour (red well above blue): the leather armchair, the red photo; the live
// view's sky, ground and grey floor have none.
int Warm(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            n += qRed(c) > qBlue(c) + 40 && qRed(c) > qGreen(c) + 20;
        }
    return n;
}

int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(StockContentWindow, AnObjectDragsFromThePaletteAndStandsIn3DAtItsSize) {
    StockServices services("stockobject");
    QMDWindowController* w = OpenDocumentWindow();
    w->document()->model()->itsDocState->zoomFactor = 1;
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible(); }));

    ASSERT_TRUE(ChoosePopUpItem(p->categoryPopUpButton(), "Objects"));
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->selectedCategory() == 4; }));
    QTreeView* outline = p->categoryOutlineView();
    ClickAt(outline->viewport(), outline->visualRect(outline->model()->index(0, 0)).center());  // Living Room
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->contentView()->previewCount() == 8; })) << p->contentView()->previewCount();
    EXPECT_EQ(p->selectedSymEntry()->objectDescription, "Armchair (34 x 34 x 34 in (86 x 86 x 86 cm))");

    QWidget* plan = w->docScrollView()->viewport();
    const QPoint from = p->contentView()->mapToGlobal(QPoint(35, 35));
    const QPoint to = plan->mapToGlobal(plan->rect().center());
    const QImage before = Screen(plan);
    const auto move = [](QPoint at) { XDo({"mousemove", QString::number(at.x()), QString::number(at.y())}); };
    move(from), QTest::qWait(100), XDo({"mousedown", "1"}), QTest::qWait(100);
    for (int i = 1; i <= 4; ++i) QTimer::singleShot(150 * i, [=] { move(from + (to - from) * i / 4); });
    QTimer::singleShot(800, [] { XDo({"mouseup", "1"}); });
    move(from + QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->document()->undoStack()->count() > 0; }, 5000)) << "no drop";
    const QRect around(plan->rect().center() - QPoint(40, 40), QSize(80, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Differing(Screen(plan).copy(around), before.copy(around)) > 200; }))
        << "the armchair is not drawn at the drop";

    Objex* chair = gCurDocument->itsCurLayer->firstObject;
    ASSERT_NE(chair, nullptr);
    ASSERT_TRUE(OpenLiveView());
    const Extent built = PiecesOf(chair);
    LookAt(CurrentDocState(), built.h, built.d);
    EXPECT_TRUE(dvxtest::Near({built.width, built.depth, built.height}, {34, 34, 34}, 0.01))
        << built.width << " " << built.depth << " " << built.height;
    EXPECT_GT(Warm(LiveView()), 2000) << "the armchair does not show in the live view";
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// Each tool clicked on its palette cell, then in the plan: a group of the symbol's plan drawing
// drawn where the click was, and the 3D model's pieces under it.
TEST(StockContentWindow, EveryFixtureToolPlacesItsSymbolInThePlanAndIn3D) {
    StockServices services("stockfixtures");
    QMDWindowController* w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    ds->zoomFactor = 1;
    ds->visiblePlans = -1;  // the electrical, plumbing and HVAC plans shown with the floor plan
    ASSERT_TRUE(ShowFocused(w));
    ASSERT_NE(gSymbol2DList, nullptr) << "no built-in symbols were loaded";
    PlanToolPaletteController* palette = PlanToolPaletteController::shared();
    palette->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
    QWidget* view = w->docScrollView()->viewport();  // the plan on screen

    struct Row {
        int16_t plan, tool, symbol;
    };
    const Row rows[] = {{2, 7102, 68}, {2, 7104, 71}, {2, 7109, 80}, {2, 7111, 88}, {3, 7202, 110}, {3, 7211, 98},
                        {5, 7401, 118}, {5, 7402, 119}, {5, 7403, 120}, {5, 7404, 121}, {5, 7405, 122}, {5, 7406, 123}};
    int column = 0;
    std::vector<std::pair<Objex*, int>> placed;
    for (const Row& r : rows) {
        palette->loadToolPaletteForPlan(r.plan);
        QWidget* cell = palette->toolButtons(r.plan)->cell(r.tool);
        ASSERT_NE(cell, nullptr) << r.tool;
        ClickAt(cell, cell->rect().center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return gCurTool == r.tool; })) << r.tool;
        const QPoint at(view->width() / 2 - 200 + 90 * (column % 6), view->height() / 2 - 40 + 110 * (column / 6));
        ++column;
        const QImage before = Screen(view);
        Objex* last = nullptr;
        for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) last = o;
        ClickAt(view, at);
        Objex* group = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            Objex* tail = nullptr;
            for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) tail = o;
            return (group = tail) != last;
        })) << "tool " << r.tool << " placed nothing";
        EXPECT_EQ(group->texture, r.symbol) << r.tool;
        ASSERT_NE(group->firstChild, nullptr) << r.tool;
        EXPECT_EQ(group->firstChild->type, r.symbol) << r.tool;
        const QRect around(at - QPoint(30, 30), QSize(60, 60));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Differing(Screen(view).copy(around), before.copy(around)) > 10; }))
            << "tool " << r.tool << ": nothing drawn at the click";
        int parts = 0;
        for (const Objex* part = group->firstChild->firstPart; part; part = part->next) ++parts;
        int modelled = 0;
        for (const Objex* c = FindSymbolEntry(gSymbol3DList, r.symbol)->firstChild; c; c = c->next) ++modelled;
        EXPECT_EQ(parts, modelled) << "tool " << r.tool << ": the 3D model is not attached";
        placed.push_back({group, modelled});
    }
    ASSERT_TRUE(OpenLiveView());
    for (const auto& [group, modelled] : placed)
        EXPECT_GE(PiecesOf(group).pieces, modelled) << "symbol " << group->texture << ": not built in 3D";
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// Window > PowerTools...: the stock photo-view tool listed with its picture; Launch asks for an
// image, and the photo it inserts stands in the live view.
TEST(StockContentWindow, ThePhotoViewToolInsertsAPhotoThatStandsIn3D) {
    StockServices services("stockphoto");
    dvxtest::ScriptedFileDialogs dialogs;
    port::setFileDialogs(&dialogs);
    port::qt::QtImageDecoder images;
    port::setImageDecoder(&images);
    const std::string photo = dvxtest::FreshTempFolder("photo") + "/porch.png";
    QImage porch(64, 48, QImage::Format_RGB32);
    porch.fill(QColor(200, 60, 40));
    ASSERT_TRUE(porch.save(QString::fromStdString(photo)));
    dialogs.choose(photo);
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));

    QString row;
    QTimer driver;
    int step = 0;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        PowerToolLauncherController* l = PowerToolLauncherController::sharedPowerToolLauncherController();
        if (++step > 200) l->done(-2);
        if (!l->isVisible() || !l->windowHandle()->isExposed()) return;
        const PowerToolEntryController* c = l->ptEntryControllers().at(0);
        if (row.isEmpty()) {
            row = c->ptNameText->text() + "|" + (c->ptImageView->pixmap().isNull() ? "no picture" : "picture");
            ClickAt(l->ptEntryTableView->viewport(), l->ptEntryTableView->visualItemRect(l->ptEntryTableView->item(0)).center());
        } else if (l->ptEntryTableView->currentRow() == 0 && l->launchButton->isEnabled()) {
            driver.stop();
            ClickAt(l->launchButton, l->launchButton->rect().center());
        }
    });
    driver.start(100);
    ASSERT_TRUE(ChooseMenuItem(w, "Window", "showPowerToolLauncherWindow"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->document()->undoStack()->count() > 0; }, 20000)) << "no photo inserted";
    EXPECT_EQ(row, "Photo View|picture");
    EXPECT_EQ(w->document()->undoStack()->undoText(), "Insert RorozErud Image");
    Objex* inserted = gCurDocument->itsCurLayer->firstObject;
    ASSERT_TRUE(inserted && inserted->type == objtype::kPhoto);
    EXPECT_EQ(std::string(inserted->typeData.imagePath), photo);

    ASSERT_TRUE(OpenLiveView());
    const Float3DRect& b = inserted->bounds3D;
    LookAt(CurrentDocState(), (b.floatLeft + b.floatRight) / 2, (b.floatBack + b.floatFront) / 2);
    EXPECT_GT(PiecesOf(inserted).pieces, 0) << "the photo is not built in 3D";
    EXPECT_GT(Warm(LiveView()), 500) << "the photo does not show in the live view";
    port::setImageDecoder(nullptr), port::setFileDialogs(nullptr);
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_stock_content <screenshot.png>"); }
