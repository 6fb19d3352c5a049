// The stock plants, materials and trims the build generated, used with the server's mouse as a
// new user would: a maple dragged from the palette onto the plan stands in the live view as a
// keyed billboard, and fills an outline; a plant search for "oak" finds the oaks; a wainscot and
// brick dragged from the palette onto a wall in the live view add a trim piece and change its
// face, one undo step each; a colour dragged onto a four-point roof's underside shows there.
// The screen is kept beside the test.
#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "content/core/content_category_item.h"
#include "content/core/preview_grid.h"
#include "model/convert_curves.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/sym_entry.h"
#include "model/transforms.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/plant_bounds.h"
#include "model/selection_ops.h"
#include "port/images.h"
#include "scene/plane_object.h"
#include "support/build.h"
#include "support/stock_root.h"
#include "tools/wall_construction.h"
#include "tracking/tracking_state.h"
#include "ui/sheets/sheet_dialog.h"
#include "window/window_support.h"

namespace {

QString gShot;

// The palette's section chosen in its pop-up, then the category in the outline's row.
bool ChooseCategory(ContentPaletteController* p, const char* section, int row) {
    QComboBox* popUp = p->categoryPopUpButton();
    if (popUp->currentText() != section && !ChoosePopUpItem(popUp, section)) return false;
    const ContentCategoryItem* wanted = (*p->treeOfSection(p->selectedCategory()))[size_t(row)].get();
    QTreeView* outline = p->categoryOutlineView();
    ClickAt(outline->viewport(), outline->visualRect(outline->model()->index(row, 0)).center());
    return QTest::qWaitFor([p, wanted] { return p->selectedCategoryItem() == wanted && p->contentView()->previewCount() > 0; });
}

// Entry `index`'s preview on the screen.
QPoint Preview(ContentPaletteController* p, size_t index) {
    ContentView* view = p->contentView();
    const double side = view->previewAt(0).width();
    const content::GridCell cell = content::CellOfIndex(index, view->width(), side, side);
    return view->mapToGlobal(QPoint(int(cell.x + cell.width / 2), int(cell.y + cell.height / 2)));
}

int Plants() {
    int n = 0;
    for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) n += o->type == objtype::kPlant;
    return n;
}

// Pixels of the picture's upper half that are leaf green, and of all of it that are nearly
// black (a key colour left showing).
std::pair<int, int> GreenAboveAndBlack(const QImage& image) {
    int green = 0, black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            green += y < image.height() / 2 && c.green() > c.red() + 12 && c.green() > c.blue() + 12;
            black += c.red() < 12 && c.green() < 12 && c.blue() < 12;
        }
    return {green, black};
}

QColor Mean(const QImage& image, const QRect& r) {
    double red = 0, green = 0, blue = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red(), green += c.green(), blue += c.blue();
        }
    const double n = double(r.width()) * r.height();
    return QColor(int(red / n), int(green / n), int(blue / n));
}

// The document window on the left, the live view on its right, both clear of each other.
struct Desk {
    explicit Desk(const char* folder) : services(folder) {
        dvxtest::UseStockRoot(DVX_STOCK_DIR);
        port::setImageDecoder(&images);
        w = OpenDocumentWindow();
        w->setGeometry(0, 30, 820, 940);
    }
    ~Desk() {
        LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
        port::setImageDecoder(nullptr);
    }
    bool openLiveView() {
        live = LiveViewController::sharedLiveViewController();
        live->showWindow();
        if (!QTest::qWaitForWindowExposed(live->window())) return false;
        live->window()->setGeometry(840, 60, 420, 420);
        return QTest::qWaitFor([this] { return live->glSurface().window()->isValid(); });
    }
    // The camera at (h, d) looking along -d at eye height, the scene rebuilt and drawn.
    QImage look(float h, float d) {
        DocState* ds = w->document()->model()->itsDocState;
        ds->cameraMode = 1, ds->navigationFlag = 0, ds->cameraHeading = 0, ds->cameraPosition = {h, d};
        ds->elevationView = 0, ds->eyeHeight = 60;
        RebuildLiveViewScene();
        SetUpLiveViewCamera(ds);
        QTest::qWait(600);
        return liveView();
    }
    QImage liveView() const {
        QWidget* v = live->liveViewOGLWidget();
        return v->screen()->grabWindow(live->window()->winId(), v->x(), v->y(), v->width(), v->height()).toImage();
    }
    // A point of the live view's picture on the screen.
    QPoint onScreen(QPoint at) const { return live->liveViewOGLWidget()->mapToGlobal(at); }
    WindowTestServices services;
    port::qt::QtImageDecoder images;
    QMDWindowController* w = nullptr;
    LiveViewController* live = nullptr;
};

TEST(StockContentWindow, AMapleStandsAsABillboardFillsAnOutlineAndTheOaksAreFound) {
    Desk desk("stockplants");
    QMDWindowController* w = desk.w;
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible() && p->actionsPopUpButton()->isEnabled(); }));
    ASSERT_TRUE(ChooseCategory(p, "Plants", 0));  // Trees: the sugar maple first
    ASSERT_EQ(p->selectedSymEntry() ? p->selectedSymEntry()->objectDescription : "", "Sugar Maple");

    QWidget* plan = w->docScrollView()->viewport();
    const QImage before = OnScreen(plan);
    DragOnScreen(Preview(p, 0), plan->mapToGlobal(plan->rect().center() - QPoint(150, 0)));
    QUndoStack* undo = w->document()->undoStack();
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo->count() > 0; }, 5000)) << "no drop";
    EXPECT_EQ(std::tuple(Plants(), undo->undoText()), std::tuple(1, QString("Insert Plant")));
    Objex* maple = gCurDocument->itsCurLayer->firstObject;
    ASSERT_TRUE(maple && maple->type == objtype::kPlant);
    EXPECT_EQ(maple->firstPoint->texture1, 7000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return OnScreen(plan) != before; })) << "no plant drawn";

    // In 3D: green above the horizon where there was only sky, and no black around it.
    float width = 0, height = 0;
    GetPlantBounds(maple, &width, &height, 0);
    ASSERT_GT(height, 0);
    const float h = (maple->bounds3D.floatLeft + maple->bounds3D.floatRight) / 2;
    const float d = (maple->bounds3D.floatBack + maple->bounds3D.floatFront) / 2;
    ASSERT_TRUE(desk.openLiveView());
    const QImage aside = desk.look(h + 3 * height, d + 1.4f * height);  // the tree out of sight
    const QImage facing = desk.look(h, d + 1.4f * height);
    const auto [skyGreen, skyBlack] = GreenAboveAndBlack(aside);
    const auto [treeGreen, treeBlack] = GreenAboveAndBlack(facing);
    const int pixels = facing.width() * facing.height();
    EXPECT_LT(skyGreen, pixels / 200);
    EXPECT_GT(treeGreen, pixels / 20) << "no crown in the live view";
    EXPECT_LT(treeBlack, pixels / 200) << "the billboard's key shows";
    facing.save(QString(gShot).replace(".png", "-maple.png"));

    // Fill with Plants: the maple chosen in the palette fills a selected rectangle.
    const float left = h + 200, top = d - 300;
    Objex* bed = dvxtest::Shape(gCurDocument->itsCurLayer, objtype::kRectangle,
                                {{left, top}, {left + 160, top}, {left + 160, top + 160}, {left, top + 160}}, true);
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    w->docView()->update();
    QTest::qWait(300);
    const QImage unplanted = OnScreen(plan);
    dvxtest::Make(bed).select();
    ASSERT_TRUE(ChooseMenuItem(w, "Plan", "fillObjectWithPlants") && QTest::qWaitFor([w] { return ShownSheet(w) != nullptr; }));
    ASSERT_TRUE(PressSheetButton(w, "okButton"));
    EXPECT_EQ(undo->undoText(), "Fill Object with Plants");
    EXPECT_GT(Plants(), 4);
    for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (o->type == objtype::kPlant) {
            EXPECT_EQ(o->firstPoint->texture1, 7000);
        }
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    w->docView()->update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return OnScreen(plan) != unplanted; })) << "no plants drawn";

    // Find Plant by Name... "oak": the two oaks, shown in the palette.
    ASSERT_TRUE(FindPlantByName(w, p, "oak"));
    ASSERT_EQ(p->selectedCategoryItem(), p->plantSearchResultsItem());
    std::set<std::string> found;
    for (const SymEntryInfo& e : p->plantSearchResultsItem()->symEntries()) found.insert(e.objectDescription);
    EXPECT_EQ(found, (std::set<std::string>{"Red Oak", "White Oak"}));
    EXPECT_EQ(p->contentView()->previewCount(), 2u);
    QTest::qWait(300);
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
}

TEST(StockContentWindow, AWainscotAndBrickDroppedOnAWallInTheLiveView) {
    Desk desk("stockwall");
    QMDWindowController* w = desk.w;
    DocState* ds = w->document()->model()->itsDocState;
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-200, -300}, {200, -300}});
    wall->planBits = ds->visiblePlans;
    // As the exterior wall tool leaves it: a trim record on each side of each point, no moulding.
    for (Poinz* pt = wall->firstPoint; pt; pt = pt->next) {
        objfield::wall_segment::kFirstHeight(*pt) = objfield::wall_segment::kSecondHeight(*pt) = 96;
        DeleteTrimRecord(pt->trim1), DeleteTrimRecord(pt->trim2);
        pt->trim1 = NewWallTrimRecord(false), pt->trim2 = NewWallTrimRecord(false);
    }
    Update3DWall(wall);
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible() && p->contentView()->previewCount() > 0; }));
    ASSERT_TRUE(desk.openLiveView());
    const QImage plain = desk.look(0, 0);
    // The wall fills the view down to the lawn: a band at the top of the view, above where a
    // wainscot reaches, and one just above the lawn.
    int lawn = plain.height() / 2;
    while (lawn < plain.height() && !(plain.pixelColor(plain.width() / 2, lawn).green() >
                                      plain.pixelColor(plain.width() / 2, lawn).red() + 20))
        ++lawn;
    ASSERT_LT(lawn, plain.height() - 10);
    const QRect upper(plain.width() / 2 - 20, 10, 40, 30), lower(plain.width() / 2 - 20, lawn - 50, 40, 30);

    QUndoStack* undo = w->document()->undoStack();
    const auto trims = [wall] {
        int n = 0;
        for (const PlaneObject* o = gGLPlaneObjects; o; o = o->next)
            if (o->baseObject == wall)
                for (const PlaneObject* t = o->trims; t; t = t->next) ++n;
        return n;
    };
    const int trimsBefore = trims();

    // Trim > Wainscot: 60 inches, onto the wall; a panel in the wainscot's own material stands
    // before the wall's lower part.
    ASSERT_TRUE(ChooseCategory(p, "Trim", 3));
    ASSERT_EQ(p->selectedCategoryItem()->categoryName(), "Wainscot");
    DragOnScreen(Preview(p, 3), desk.onScreen(lower.center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo->count() == 1; }, 5000)) << "no drop";
    EXPECT_EQ(undo->undoText(), "Moulding/Wainscot");
    EXPECT_GT(trims(), trimsBefore) << "no trim piece";
    const auto differs = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 40;
    };
    QImage panelled;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        panelled = desk.liveView();
        return differs(Mean(panelled, lower), Mean(plain, lower)) && !differs(Mean(panelled, upper), Mean(plain, upper));
    })) << "no wainscot";

    // Materials > Brick: Red Brick onto the wall above it.
    ASSERT_TRUE(ChooseCategory(p, "Materials", 0));
    ASSERT_EQ(p->selectedSymEntry()->objectDescription, "Red Brick");
    DragOnScreen(Preview(p, 0), desk.onScreen(upper.center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo->count() == 2; }, 5000)) << "no drop";
    EXPECT_EQ(undo->undoText(), "Material");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QColor c = Mean(desk.liveView(), upper);
        return c.red() > c.green() + 25;
    })) << "the wall is not brick: " << Mean(desk.liveView(), upper).name().toStdString();
    desk.liveView().save(QString(gShot).replace(".png", "-wall.png"));
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-desk.png"));
}

// A four-point roof dragged off a wall, seen from below and beyond its high edge: its underside
// shows no colour of its own (grey, not the plan's red), and a colour dragged from the palette
// onto it shows there, one step, while the plan's fill colour stays.
TEST(StockContentWindow, AColourDroppedOnAFourPointRoofsUndersideShowsThere) {
    Desk desk("stockpanel");
    QMDWindowController* w = desk.w;
    DocState* ds = w->document()->model()->itsDocState;
    ds->zoomFactor = 1, ds->snapToGrid = 0, ds->roofPitch = 6, ds->soffitInclude = 0;
    ASSERT_TRUE(ShowFocused(w));
    QMDDocumentView* view = w->docView();
    const PlatformRect shown = view->visibleRect();
    const int x0 = int(shown.x) + 100, y0 = int(shown.y) + 150;
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{float(x0), float(y0)}, {float(x0 + 300), float(y0)}});
    wall->planBits = ds->visiblePlans;
    for (Poinz* pt = wall->firstPoint; pt; pt = pt->next)
        objfield::wall_segment::kFirstHeight(*pt) = objfield::wall_segment::kSecondHeight(*pt) = 96;
    Update3DWall(wall);
    view->update();
    // The roof dragged 120 inches off the wall toward +D: its eave on the wall's top, 96 inches
    // up, rising 6 in 12 to 156 inches at its far edge.
    const float run = ConvertWorldToScreen(120, ds, 0);
    gCurTool = 7307;
    ASSERT_TRUE(DragInPlan(view, {x0 + 150, y0}, {{x0 + 150, y0 + 40}, {x0 + 150, y0 + int(run)}}));
    Objex* panel = wall->next;
    ASSERT_TRUE(panel && panel->type == objtype::kFreehandRoof) << "no four-point roof";
    EXPECT_TRUE(panel->fillColor.red == 0xFFFF && panel->fillColor.green == 0 && panel->fillColor.blue == 0);

    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible() && p->contentView()->previewCount() > 0; }));
    ASSERT_TRUE(desk.openLiveView());
    // From 480 inches in front of the eave at the eye height of 60 plan units (30 inches),
    // looking back at it: the eave (96 inches up, 480 away) and the far edge (156 up, 360 away)
    // lie at these tangents above the middle row; a patch halfway between them.
    const float eye = 60, at = ConvertWorldToScreen(480, ds, 0);
    const QImage before = desk.look(float(x0 + 150), float(y0) + at);
    const double eave = (ConvertWorldToScreen(96, ds, 0) - eye) / at;
    const double far = (ConvertWorldToScreen(156, ds, 0) - eye) / ConvertWorldToScreen(360, ds, 0);
    const double perTan = before.height() / 2.0 / std::tan(22.5 * M_PI / 180);
    const int row = int(before.height() / 2.0 - (eave + far) / 2 * perTan);
    const QRect underside(before.width() / 2 - 15, row - 8, 30, 16);
    const QColor plain = Mean(before, underside);
    before.save(QString(gShot).replace(".png", "-panel-before.png"));
    EXPECT_LT(std::max({std::abs(plain.red() - plain.green()), std::abs(plain.red() - plain.blue())}), 24)
        << "the underside is coloured: " << plain.name().toStdString();
    EXPECT_GT(plain.value(), 40) << "no underside lit: " << plain.name().toStdString();

    // Colors > the first set: its first swatch in sight whose green or blue stands well above
    // the other channels.
    ASSERT_TRUE(ChoosePopUpItem(p->categoryPopUpButton(), "Colors"));
    QTreeView* outline = p->categoryOutlineView();
    ClickAt(outline->viewport(), outline->visualRect(outline->model()->index(0, 0)).center());
    const ContentCategoryItem* set = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (set = p->selectedCategoryItem()) && set->categoryName() == "Winter Colors"; }));
    ContentView* swatches = p->contentView();
    const double side = ContentView::previewSizeFromUserDefaults();
    const auto swatch = [&](size_t i) {
        const content::GridCell c = content::CellOfIndex(i, swatches->optimalViewSize().width, side, side);
        return QPoint(int(c.x + c.width / 2), int(c.y + c.height / 2));
    };
    const auto strong = [](const RGBColor& c) {
        const int r = c.red, g = c.green, b = c.blue;
        return std::max(g, b) > r && std::max({r, g, b}) - std::min({r, g, b}) > 100;
    };
    const std::vector<SymEntryInfo>& colours = set->symEntries();
    size_t pick = 0;
    while (pick < colours.size() && !(strong(colours[pick].textureColor) && swatches->visibleRegion().contains(swatch(pick))))
        ++pick;
    ASSERT_LT(pick, colours.size()) << "no strong colour in sight";
    const RGBColor want = colours[pick].textureColor;
    QUndoStack* undo = w->document()->undoStack();
    const int steps = undo->count();
    DragOnScreen(swatches->mapToGlobal(swatch(pick)), desk.onScreen(underside.center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo->count() == steps + 1; }, 5000)) << "no drop";
    EXPECT_EQ(undo->undoText(), "Color");
    EXPECT_TRUE(panel->color4.red == want.red * 257 && panel->color4.green == want.green * 257 &&
                panel->color4.blue == want.blue * 257)
        << "the underside's slot did not take the colour";
    EXPECT_TRUE(panel->fillColor.red == 0xFFFF && panel->fillColor.green == 0 && panel->fillColor.blue == 0)
        << "the plan's fill colour changed";
    // The patch's strongest channel is the colour's, and it moved toward it.
    const auto strongest = [](int r, int g, int b) { return r >= g && r >= b ? 0 : g >= b ? 1 : 2; };
    QColor painted;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        painted = Mean(desk.liveView(), underside);
        return strongest(painted.red(), painted.green(), painted.blue()) == strongest(want.red, want.green, want.blue) &&
               std::abs(painted.red() - plain.red()) + std::abs(painted.green() - plain.green()) +
                       std::abs(painted.blue() - plain.blue()) > 40;
    })) << "the underside shows " << painted.name().toStdString() << " for " << want.red << " " << want.green << " "
        << want.blue;
    desk.liveView().save(QString(gShot).replace(".png", "-panel-after.png"));
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_stock_textures <screenshot.png>"); }
