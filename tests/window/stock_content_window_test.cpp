// The stock content on the virtual X server, used with the server's mouse: an object dragged
// from the Living Room previews lands in the plan and stands in the live view at its real
// size; every fixture tool of the electrical, plumbing and HVAC palettes places its symbol,
// drawn in the plan and built in 3D; the photo-view PowerTool inserts a photo from an image
// file, which stands in the live view; a placed ceiling light glows in a final render and
// lights the floor in a shadow render, and a wall between it and the eye hides its glow; a
// ceiling light in a room shows no glow in any view from outside, and over low walls glows at
// its height; a light of the electrical plan is picked on the floor plan.
#include <QAbstractItemView>
#include <QApplication>
#include <QGuiApplication>
#include <QComboBox>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "content/content_category_model.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "files/content_folders.h"
#include "files/symbol_lists.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/selection_queries.h"
#include "model/tool_state.h"
#include "model/transforms.h"
#include "model/command_ids.h"
#include "plan/plan_symbols.h"
#include "model/render_state.h"
#include "port/folders.h"
#include "powertools/power_tool_launcher.h"
#include "render/frame_camera.h"
#include "scene/plane_object.h"
#include "tools/wall_construction.h"
#include "support/build.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

QImage Screen(QWidget* w) { return w->screen()->grabWindow(0).copy(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())).toImage(); }

// The window test's services with the stock content the build made as the program's own.
struct StockServices : WindowTestServices {
    explicit StockServices(const char* name) : WindowTestServices(name), stock(port::StockContentFolder(), folders) {
        port::setFolders(&stock), port::setImageDecoder(&images);
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
    port::qt::QtImageDecoder images;  // the stock pictures and textures are PNG files
    ~StockServices() { port::setImageDecoder(nullptr), port::setFolders(nullptr); }
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
    DragOnScreen(from, to);
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

// The outline's leaf rows below `parent` (its search results node left out), depth first.
void Leaves(const QAbstractItemModel* model, const QModelIndex& parent, const ContentPaletteController* p,
            std::vector<QModelIndex>& into) {
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex i = model->index(row, 0, parent);
        const ContentCategoryItem* item = ContentCategoryModel::itemAt(i);
        if (item == p->objectSearchResultsItem() || item == p->plantSearchResultsItem()) continue;
        if (model->rowCount(i) > 0) Leaves(model, i, p, into);
        else into.push_back(i);
    }
}

// A preview that shows a picture: decoded (an unreadable file shows as a blank square) and of
// more than one colour.
bool IsPicture(const QImage& image) {
    if (image.isNull()) return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0)) return true;
    return false;
}

// What the content palette shows of the stock content, counted as the palette shows it: each
// section chosen with its pop-up, each category of its outline selected in turn, and the
// pictures of the preview grid counted.
TEST(StockContentWindow, EachPaletteSectionShowsTheStockContentWithPictures) {
    StockServices services("stockpalette");
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible(); }));
    struct Row {
        const char* section;  // as the pop-up names it
        size_t categories;    // leaf categories the outline shows
        size_t each, all;     // pictures at least in each category and in the whole section
    };
    // Sky's numbered range holds two textures, so it cannot show a third.
    const Row rows[] = {
        {"Objects", 7, 4, 40},
        {"Plants", 12, 1, 24},
        {"Materials", 18, 2, 17 * 3 + 2},
        {"Trim", 4, 3, 12},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.section);
        ASSERT_TRUE(ChoosePopUpItem(p->categoryPopUpButton(), r.section));
        QTreeView* outline = p->categoryOutlineView();
        std::vector<QModelIndex> leaves;
        Leaves(outline->model(), {}, p, leaves);
        EXPECT_EQ(leaves.size(), r.categories);
        size_t all = 0;
        for (const QModelIndex& leaf : leaves) {
            const ContentCategoryItem* item = ContentCategoryModel::itemAt(leaf);
            outline->selectionModel()->setCurrentIndex(leaf, QItemSelectionModel::ClearAndSelect);
            ASSERT_TRUE(QTest::qWaitFor([&] { return p->contentView()->cacheSource() == item; })) << item->categoryName();
            size_t pictures = 0;
            for (size_t i = 0; i < p->contentView()->previewCount(); ++i) pictures += IsPicture(p->contentView()->previewAt(i));
            EXPECT_EQ(pictures, p->contentView()->previewCount()) << item->categoryName() << ": a preview without its picture";
            EXPECT_GE(pictures, r.each) << item->categoryName();
            all += pictures;
        }
        EXPECT_GE(all, r.all);
    }
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
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
    QWidget* view = w->docScrollView()->viewport();  // the plan on screen

    struct Row {
        int16_t plan, tool, symbol;
    };
    const Row rows[] = {{2, 7102, 68}, {2, 7104, 71}, {2, 7109, 80}, {1, 7065, 80}, {2, 7111, 88}, {3, 7202, 110}, {3, 7211, 98},
                        {5, 7401, 118}, {5, 7402, 119}, {5, 7403, 120}, {5, 7404, 121}, {5, 7405, 122}, {5, 7406, 123}};
    int column = 0;
    std::vector<std::pair<Objex*, int>> placed;
    for (const Row& r : rows) {
        ASSERT_TRUE(ChooseToolCell(r.tool, r.plan)) << r.tool;
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

Objex* LastChild(const Objex* o) {
    Objex* c = o->firstChild;
    while (c && c->next) c = c->next;
    return c;
}

// The plan point's place in the widget (zoom 1: plan units are the plan view's pixels).
QPoint InView(QMDDocumentView* plan, QWidget* widget, float h, float d) {
    const QPoint at(std::lround(h - plan->boundsOrigin().x), std::lround(d - plan->boundsOrigin().y));
    return widget->mapFromGlobal(plan->mapToGlobal(at));
}

// The server's pointer moved onto the widget's point.
void PointerTo(QWidget* on, QPoint at) {
    const QPoint g = on->mapToGlobal(at);
    XDo({"mousemove", QString::number(g.x()), QString::number(g.y())}), QTest::qWait(60);
}

// A press, moves and the release with the server's mouse, each a step of the pointer.
void Drag(QWidget* on, std::initializer_list<QPoint> path) {
    PointerTo(on, *path.begin()), XDo({"mousedown", "1"}), QTest::qWait(60);
    for (auto at = path.begin() + 1; at != path.end(); ++at) PointerTo(on, *at);
    XDo({"mouseup", "1"}), QTest::qWait(100);
}

// A document window at zoom 1 (plan units are pixels), the plan palette below it and interior
// walls 900 pixels long dragged with the wall tool, one at each height; metric on asking.
struct WallsWindow {
    QMDWindowController* w = nullptr;
    QMDDocumentView* plan = nullptr;
    QWidget* view = nullptr;
    std::vector<Objex*> walls;
};
void OpenWallsWindow(WallsWindow* out, std::initializer_list<int> heights, bool metric = false) {
    QMDWindowController* w = out->w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    if (metric) ds->units = kMetricUnits, SetDocStateMetricDefaults(ds);
    ds->zoomFactor = 1, ds->snapToGrid = 0, ds->visiblePlans = -1;
    ASSERT_TRUE(ShowFocused(w));
    w->setGeometry(0, 0, 1270, 800);
    ASSERT_NE(gSymbol3DList, nullptr) << "no built-in symbols were loaded";
    PlanToolPaletteController* palette = PlanToolPaletteController::shared();
    palette->showWindow(), palette->window()->move(0, 950);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
    out->plan = w->docView();
    QWidget* view = out->view = w->docScrollView()->viewport();
    QTest::qWait(200);
    ASSERT_GT(view->width(), 980);
    ASSERT_GT(view->height(), 500);
    ASSERT_TRUE(ChooseToolCell(7052, 1));
    for (int y : heights) {
        Drag(view, {QPoint(60, y), QPoint(300, y), QPoint(960, y)});
        Objex* last = gCurDocument->itsCurLayer->firstObject;
        while (last && last->next) last = last->next;
        ASSERT_TRUE(QTest::qWaitFor([&] { return last && last->type == objtype::kWall && (out->walls.empty() || last != out->walls.back()); }))
            << "no wall at " << y;
        out->walls.push_back(last);
    }
}

// The box of the pixels from row `from` on (to row `to`) that differ from `before` (only the
// pure reds with `red`).
QRect Drawn(const QImage& now, const QImage& before, bool red, int from, int to = 1 << 20) {
    QRect box;
    for (int y = from; y < std::min(to, now.height()); ++y)
        for (int x = 0; x < now.width(); ++x) {
            const QRgb c = now.pixel(x, y);
            if (c != before.pixel(x, y) && (!red || (qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60))) box |= QRect(x, y, 1, 1);
        }
    return box;
}

// The widest curve of a placed wall component's plan symbol, placed as the plan places it
// (against the wall's face on its side, turned with the wall, stretched to a tub's size): the curve's point midway between
// its two ends, the middle of the straight line between them, and how far apart they lie.
struct Curve {
    FloatPoint mid, chord;
    float bulge = 0;
};
Curve WidestCurve(const Objex* component) {
    const AttachmentRecord* r = component->typeData.attachment;
    const Poinz *s = r->segmentStart, *e = r->segmentEnd;
    const Poinz *p1 = component->firstPoint, *p2 = p1->next;
    const float w = std::atan2(-(e->position[2] - s->position[2]), e->position[0] - s->position[0]);
    const float f = r->sideFlag ? w + float(M_PI / 2) : w - float(M_PI / 2);
    const float reach = ConvertWorldToScreen(component->parent->penWidth, CurrentDocState(), 0) / 2;
    const float qh = (p1->position[0] + p2->position[0]) / 2 + reach * std::cos(f);
    const float qd = (p1->position[2] + p2->position[2]) / 2 - reach * std::sin(f);
    const float c = std::cos(f + float(M_PI / 2)), sn = std::sin(f + float(M_PI / 2));
    float sh = 1, sd = 1;  // tubs stretch their symbol to their size
    FixtureSymbolScale(component->subtype, r->width, r->height, &sh, &sd);
    const auto turned = [&](const float* v) {
        const float x = v[0] * sh, z = v[2] * sd;
        return FloatPoint{x * c + z * sn, -x * sn + z * c};
    };
    Curve widest;
    const auto segment = [&](const Poinz* a, const Poinz* b) {
        const FloatPoint m0 = turned(a->outTangent), m1 = turned(b->inTangent);
        if (m0.floatH == 0 && m0.floatV == 0 && m1.floatH == 0 && m1.floatV == 0) return;
        const FloatPoint pa = turned(a->position), pb = turned(b->position);
        const FloatPoint chord{qh + (pa.floatH + pb.floatH) / 2, qd + (pa.floatV + pb.floatV) / 2};
        // The cubic at its middle: the ends' mean plus an eighth of the tangents' difference.
        const FloatPoint mid{chord.floatH + (m0.floatH - m1.floatH) / 8, chord.floatV + (m0.floatV - m1.floatV) / 8};
        const float bulge = std::hypot(mid.floatH - chord.floatH, mid.floatV - chord.floatV);
        if (bulge > widest.bulge) widest = Curve{mid, chord, bulge};
    };
    const auto piece = [&](const Objex* o) {
        if (o->rows != 1 || !o->firstPoint) return;
        const Poinz* last = o->firstPoint;
        for (; last->next; last = last->next) segment(last, last->next);
        if (o->closed) segment(last, o->firstPoint);
    };
    for (const Objex* top = FindSymbolEntry(gSymbol2DList, component->subtype)->firstChild; top; top = top->next) {
        piece(top);
        for (const Objex* child = top->firstChild; child; child = child->next) piece(child);
    }
    return widest;
}

// The scene's pieces built for a wall component's parts: how many, the height of the lowest in
// inches, and their plan centre in model units.
struct Built {
    int pieces = 0;
    float low = 1e9f, h = 0, d = 0;
};
Built BuiltFor(const Objex* component) {
    Built b;
    float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f};
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if (p->object3D != component) continue;
        ++b.pieces;
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i) {
                const Float3DPoint v{plane->vertices[i].H, plane->vertices[i].V, plane->vertices[i].D};
                b.low = std::min(b.low, -v.floatV);
                lo[0] = std::min(lo[0], v.floatH), hi[0] = std::max(hi[0], v.floatH);
                lo[1] = std::min(lo[1], v.floatD), hi[1] = std::max(hi[1], v.floatD);
            }
    }
    const DocState* ds = CurrentDocState();
    b.low = ConvertScreenToWorld(b.low, ds, 0);
    b.h = (lo[0] + hi[0]) / 2, b.d = (lo[1] + hi[1]) / 2;
    return b;
}

// Every tool of the electrical, plumbing and HVAC toolsets that hangs its symbol on a wall,
// picked from its cell and placed as a user does: pressed on a wall drawn with the wall tool,
// dragged along it and let go on one side. Each is drawn in the plan where it was put and
// built in 3D from its model, at its mounting height.
TEST(StockContentWindow, EveryWallComponentToolPlacesItsSymbolInThePlanAndIn3D) {
    StockServices services("stockwall");
    WallsWindow walled;
    ASSERT_NO_FATAL_FAILURE(OpenWallsWindow(&walled, {60, 200, 320}));
    QMDDocumentView* plan = walled.plan;
    QWidget* view = walled.view;

    struct Row {
        int16_t toolset, tool, symbol;
        int wall, at;  // the wall, and the pixels along it from its start
        float low;     // the height of its lowest piece in 3D, inches: its mounting height
    };
    const Row rows[] = {
        {2, 7100, 55, 0, 40, 12}, {2, 7101, 65, 0, 115, 12}, {2, 7103, 70, 0, 190, 12}, {2, 7105, 73, 0, 265, 42},
        {2, 7106, 74, 0, 340, 42}, {2, 7107, 77, 0, 415, 42}, {2, 7110, 83, 0, 495, 84}, {2, 7112, 84, 0, 580, 12},
        {2, 7113, 85, 0, 650, 12}, {2, 7114, 86, 0, 720, 82.1f}, {2, 7115, 87, 0, 800, 54},
        {3, 7200, 99, 1, 30, 16.5f}, {3, 7201, 109, 1, 90, 18}, {3, 7203, 90, 1, 170, 0}, {3, 7204, 91, 1, 270, 28},
        {3, 7205, 92, 1, 370, 28}, {3, 7206, 93, 1, 470, 28}, {3, 7207, 94, 1, 560, 25}, {5, 7407, 124, 1, 700, 6},
        {3, 7208, 95, 2, 100, 0}, {3, 7209, 96, 2, 320, 0}, {3, 7210, 97, 2, 540, 0},
    };
    std::vector<std::pair<const Row*, Objex*>> placed;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tool);
        ASSERT_TRUE(ChooseToolCell(r.tool, r.toolset));
        Objex* wall = walled.walls[size_t(r.wall)];
        const Poinz* start = wall->firstPoint;
        const QPoint on = InView(plan, view, start->position[0] + float(r.at), start->position[2]);
        const QImage before = Screen(view);
        Objex* previous = LastChild(wall);
        Drag(view, {on + QPoint(-8, 0), on + QPoint(-4, 4), on + QPoint(0, 6)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return LastChild(wall) && LastChild(wall) != previous; })) << "nothing placed";
        ASSERT_TRUE(services.alerts.shown.empty()) << services.alerts.shown.front().alert.message;
        Objex* component = LastChild(wall);
        EXPECT_EQ(std::pair(component->type, component->subtype), std::pair(int16_t(objtype::kComponent), int32_t(r.symbol)));
        // Its plan box: the wall line between its ends and the third point off the wall.
        QRect box;
        for (const Poinz* p = component->firstPoint; p; p = p->next)
            box |= QRect(InView(plan, view, p->position[0], p->position[2]), QSize(1, 1));
        box.adjust(-3, -3, 3, 3);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Differing(Screen(view).copy(box), before.copy(box)) > 10; }))
            << "nothing drawn where it was put";
        int parts = 0, modelled = 0;
        for (const Objex* part = component->firstPart; part; part = part->next) ++parts;
        for (const Objex* c = FindSymbolEntry(gSymbol3DList, r.symbol)->firstChild; c; c = c->next) ++modelled;
        EXPECT_EQ(parts, modelled) << "the 3D model is not attached";
        placed.push_back({&r, component});
    }
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-wall.png"));

    ASSERT_TRUE(OpenLiveView());
    for (const auto& [r, component] : placed) {
        const Built b = BuiltFor(component);
        int parts = 0;
        for (const Objex* part = component->firstPart; part; part = part->next) ++parts;
        EXPECT_GE(b.pieces, parts) << "symbol " << r->symbol << ": not built in 3D";
        EXPECT_NEAR(b.low, r->low, 0.6) << "symbol " << r->symbol << ": not at its mounting height";
        const Poinz* start = component->firstPoint;
        EXPECT_NEAR(b.h, (start->position[0] + start->next->position[0]) / 2, 3) << "symbol " << r->symbol << ": not where it was put";
    }
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// A bath tub and a shower pressed on a wall and dragged along it, in an imperial and a metric
// design: the red outline shown while the button is held has the size and the place of the
// symbol drawn once it is let go; fixtures with curves show them while held.
TEST(StockContentWindow, ABathFixtureIsPreviewedAtTheSizeItIsBuiltAndEveryFixtureWithItsCurves) {
    for (const bool metric : {false, true}) {
        SCOPED_TRACE(metric ? "metric" : "imperial");
        StockServices services("stockbath");
        WallsWindow walled;
        ASSERT_NO_FATAL_FAILURE(OpenWallsWindow(&walled, {200}, metric));
        QWidget* view = walled.view;
        const Poinz* start = walled.walls[0]->firstPoint;
        const int below = InView(walled.plan, view, 0, start->position[2]).y() + 8;  // past the wall's lower face
        for (const auto& [tool, symbol, at] : {std::tuple(7208, 95, 200), std::tuple(7210, 97, 600)}) {
            SCOPED_TRACE(tool);
            ASSERT_TRUE(ChooseToolCell(int16_t(tool), 3));
            const QPoint on = InView(walled.plan, view, start->position[0] + float(at), start->position[2]);
            const QImage before = Screen(view);
            PointerTo(view, on), XDo({"mousedown", "1"}), QTest::qWait(60);
            PointerTo(view, on + QPoint(4, 3)), PointerTo(view, on + QPoint(8, 6));
            // Its reach from the wall, and its span along the wall next to it (its labels lie further off).
            QRect held, heldSpan;
            EXPECT_TRUE(QTest::qWaitFor([&] {
                const QImage now = Screen(view);
                heldSpan = Drawn(now, before, true, below, below + 3);
                return !(held = Drawn(now, before, true, below)).isEmpty();
            })) << "no outline while the button is held";
            XDo({"mouseup", "1"});
            ASSERT_TRUE(QTest::qWaitFor([&] { return LastChild(walled.walls[0]) && LastChild(walled.walls[0])->subtype == symbol; }));
            QRect built, builtSpan;
            EXPECT_TRUE(QTest::qWaitFor([&] {
                const QImage now = Screen(view);
                builtSpan = Drawn(now, before, false, below, below + 3);
                return Drawn(now, before, true, below).isEmpty() && !(built = Drawn(now, before, false, below)).isEmpty();
            })) << "the outline stays, or nothing was drawn";
            EXPECT_NEAR(heldSpan.width(), builtSpan.width(), 3);
            EXPECT_NEAR(held.height(), built.height(), 3);
            EXPECT_NEAR(heldSpan.center().x(), builtSpan.center().x(), 2);
        }
        // A toilet, an oval sink and a spa tub held the same way show their curves as the
        // placed ones draw them: red on the widest curve midway between its ends, none on the
        // straight line between them (a hose bib's circle bulges too little to tell).
        const auto red = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; };
        const auto reds = [&](const QImage& image, FloatPoint p) {
            const QPoint at = InView(walled.plan, view, p.floatH, p.floatV);
            int n = 0;
            for (int y = at.y() - 1; y <= at.y() + 1; ++y)
                for (int x = at.x() - 1; x <= at.x() + 1; ++x) n += red(image.pixel(x, y));
            return n;
        };
        for (const auto& [tool, symbol, at] :
             {std::tuple(7203, 90, 330), std::tuple(7207, 94, 420), std::tuple(7209, 96, 760)}) {
            SCOPED_TRACE(tool);
            ASSERT_TRUE(ChooseToolCell(int16_t(tool), 3));
            const QPoint on = InView(walled.plan, view, start->position[0] + float(at), start->position[2]);
            PointerTo(view, on), XDo({"mousedown", "1"}), QTest::qWait(60);
            PointerTo(view, on + QPoint(4, 3)), PointerTo(view, on + QPoint(8, 6)), QTest::qWait(200);
            const QImage held = Screen(view);
            held.save(QString(gShot).replace(".png", QStringLiteral("-held-%1%2.png").arg(tool).arg(metric ? "-metric" : "")));
            XDo({"mouseup", "1"});
            ASSERT_TRUE(QTest::qWaitFor([&] { return LastChild(walled.walls[0]) && LastChild(walled.walls[0])->subtype == symbol; }));
            const Curve curve = WidestCurve(LastChild(walled.walls[0]));
            ASSERT_GT(curve.bulge, 3.0f);
            EXPECT_GT(reds(held, curve.mid), 0) << "no curve while the button is held";
            EXPECT_EQ(reds(held, curve.chord), 0) << "a straight stroke across the curve";
        }
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", metric ? "-bath-metric.png" : "-bath.png"));
        AppController::destroyShared(), dvxtest::ResetAllGlobals();
    }
}

// Window > PowerTools...: the stock photo-view tool listed with its picture; Launch asks for an
// image, and the photo it inserts stands in the live view.
TEST(StockContentWindow, ThePhotoViewToolInsertsAPhotoThatStandsIn3D) {
    StockServices services("stockphoto");
    dvxtest::ScriptedFileDialogs dialogs;
    port::setFileDialogs(&dialogs);
    const std::string photo = dvxtest::FreshTempFolder("photo") + "/porch.png";
    QImage porch(64, 48, QImage::Format_RGB32);
    porch.fill(QColor(200, 60, 40));
    ASSERT_TRUE(porch.save(QString::fromStdString(photo)));
    dialogs.choose(photo);
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));

    QString row;
    ASSERT_TRUE(LaunchFirstPowerTool(w, &row, false));
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
    port::setFileDialogs(nullptr);
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// The pixels of the rows [top, bottom) whose grey level `brighter` rose by more than `by` over
// `than`, and their mean column.
std::pair<int, double> Brightened(const QImage& brighter, const QImage& than, int top, int bottom, int by) {
    int n = 0;
    double columns = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < brighter.width(); ++x)
            if (PixelGrey(brighter.pixel(x, y)) > PixelGrey(than.pixel(x, y)) + by) ++n, columns += x;
    return {n, n ? columns / n : -1};
}

// A ceiling light placed with the Fixture Light tool's cell by a click in the middle of the
// plan; null when the tool or the light never came.
Objex* PlaceLightInTheMiddle(QMDWindowController* w) {
    if (!ChooseToolCell(7109, 2)) return nullptr;
    QWidget* view = w->docScrollView()->viewport();
    ClickAt(view, view->rect().center());
    if (!QTest::qWaitFor([&] { return gCurDocument->itsCurLayer->firstObject != nullptr; })) return nullptr;
    return gCurDocument->itsCurLayer->firstObject;
}

// A ceiling light placed with the Fixture Light tool over a floor, at night in a dim room:
// a final render shows its glow round the lamp (and none with its glow switched off), and a
// shadow render throws a pool of its light on the floor under it, leaving the rest as it was;
// behind a wall the glow is gone.
TEST(StockContentWindow, APlacedCeilingLightGlowsInAFinalRenderAndLightsTheFloorInAShadowRender) {
    StockServices services("stocklight");
    QMDWindowController* w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    ds->zoomFactor = 1, ds->visiblePlans = -1;
    ASSERT_TRUE(ShowFocused(w));
    Objex* light = PlaceLightInTheMiddle(w);
    ASSERT_NE(light, nullptr) << "no light placed";
    ASSERT_EQ(light->texture, 80) << "the default light style is the recessed can";

    // A floor drawn round it with the Floor tool, corner by corner, closed on its first corner.
    QWidget* view = w->docScrollView()->viewport();
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ASSERT_TRUE(ChooseToolCell(7062, 1));
    const QPoint centre = view->rect().center();
    for (QPoint corner : {QPoint(-200, -200), QPoint(200, -200), QPoint(200, 200), QPoint(-200, 200), QPoint(-200, -200)}) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        ClickAt(view, centre + corner);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return light->next && light->next->type == objtype::kFloor; })) << "no floor drawn";
    const Float3DRect& b = light->bounds3D;
    const float h = (b.floatLeft + b.floatRight) / 2, d = (b.floatBack + b.floatFront) / 2;
    ds->sunOn = 0, ds->lightIntensity = 0.5f;
    ASSERT_TRUE(OpenLiveView());
    LookAt(ds, h, d);
    ds->navigationFlag = 1, ds->cameraValue = 15, ds->eyeHeight = 200;  // eye 100 inches up, looking down
    SetUpLiveViewCamera(ds);
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    const QImage plain = LiveView();
    const int middle = plain.height() / 2;  // the lamp above, the floor below

    c->renderFinal();
    const QImage final = LiveView();
    final.save(QString(gShot).replace(".png", "-light.png"));
    for (Objex* lamp = light->firstChild; lamp; lamp = lamp->next) objfield::light::kGlow(*lamp) = 1;
    c->renderFinal();
    const QImage glowOff = LiveView();
    const auto [glow, glowColumn] = Brightened(final, glowOff, 0, middle, 60);
    EXPECT_GT(glow, 3000) << "no glow round the light";
    EXPECT_NEAR(glowColumn, final.width() / 2, 10) << "the glow is not round the light";

    for (Objex* lamp = light->firstChild; lamp; lamp = lamp->next) objfield::light::kGlow(*lamp) = 0;
    c->renderShadows();
    const QImage shadows = LiveView();
    shadows.save(QString(gShot).replace(".png", "-light-shadows.png"));
    const auto [pool, poolColumn] = Brightened(shadows, plain, middle, shadows.height(), 40);
    EXPECT_GT(pool, 2000) << "no light on the floor";
    EXPECT_NEAR(poolColumn, shadows.width() / 2, 10) << "the light is not under the lamp";
    EXPECT_EQ(Brightened(plain, shadows, middle, shadows.height(), 8).first, 0) << "the shadow render darkened the floor";
    const QRect near(shadows.width() / 5, 0, shadows.width() * 3 / 5, shadows.height());
    EXPECT_EQ(Brightened(shadows, plain, middle, shadows.height(), 8).first,
              Brightened(shadows.copy(near), plain.copy(near), middle, shadows.height(), 8).first)
        << "the light reaches the floor far from the lamp";

    // A wall across the room, 10 feet from the eye and higher than the ceiling, hides the lamp:
    // its glow no longer shows, on the wall or anywhere.
    const float across = d + ConvertWorldToScreen(120, ds, 0), wide = ConvertWorldToScreen(300, ds, 0);
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{h - wide, across}, {h + wide, across}});
    wall->planBits = ds->visiblePlans;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 150;
    Update3DWall(wall);
    RebuildLiveViewScene();
    c->renderFinal();
    const QImage behind = LiveView();
    for (Objex* lamp = light->firstChild; lamp; lamp = lamp->next) objfield::light::kGlow(*lamp) = 1;
    c->renderFinal();
    EXPECT_EQ(Brightened(behind, LiveView(), 0, behind.height(), 8).first, 0) << "the glow shows through the wall";
    behind.save(QString(gShot).replace(".png", "-light-behind-wall.png"));
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// The pixels whose grey level rose by more than `by` from `than` to `brighter`, and their mean
// row.
std::pair<int, double> BrightenedRows(const QImage& brighter, const QImage& than, int by) {
    int n = 0;
    double rows = 0;
    for (int y = 0; y < brighter.height(); ++y)
        for (int x = 0; x < brighter.width(); ++x)
            if (PixelGrey(brighter.pixel(x, y)) > PixelGrey(than.pixel(x, y)) + by) ++n, rows += y;
    return {n, n ? rows / n : -1};
}

// A ceiling light placed with the Fixture Light tool, switched on, in the middle of a square
// room 1600 across whose walls reach an inch over the lamp, a door in the wall in front of it
// (the lamp stands over the door's middle). The view from the lot's bottom edge and the four
// elevations, each chosen from the LiveView menu, see the room from outside: the walls hide
// the lamp, so its glow shows nowhere, neither over a wall's top nor at the door's foot. With
// the walls lowered to 60 inches the lamp is seen over them in every view, and its glow stands
// at the lamp's height, above the walls' top.
TEST(StockContentWindow, ACeilingLightBehindAWallGlowsInNoViewAndOverLowWallsAtItsHeight) {
    StockServices services("stockhidden");
    QMDWindowController* w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    ds->zoomFactor = 1, ds->visiblePlans = -1;
    ASSERT_TRUE(ShowFocused(w));
    Objex* light = PlaceLightInTheMiddle(w);
    ASSERT_NE(light, nullptr) << "no light placed";
    for (Objex* lamp = light->firstChild; lamp; lamp = lamp->next)
        ASSERT_EQ(objfield::light::kOff(*lamp), 0) << "the light is not switched on";
    const Float3DRect& b = light->bounds3D;
    const float h = (b.floatLeft + b.floatRight) / 2, d = (b.floatBack + b.floatFront) / 2, half = 800;
    // One wall round the room, its first segment the near one from the door's side of the lamp.
    Objex* walls = dvxtest::Wall(gCurDocument->itsCurLayer, {{h - 25, d + half}, {h + half, d + half}, {h + half, d - half},
                                                            {h - half, d - half}, {h - half, d + half}, {h - 25, d + half}});
    walls->planBits = ds->visiblePlans;
    ASSERT_NE(dvxtest::Opening(walls, objtype::kDoor, 500, 0), nullptr);
    const auto raise = [&](float inches) {
        for (Poinz* p = walls->firstPoint; p; p = p->next)
            objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = inches;
        Update3DWall(walls);
        dvxtest::StoreBoundsDeep(walls);
        RebuildLiveViewScene();
    };
    // Plain colours under a dark sky: a glow stands out wherever it is.
    ds->renderValue |= hideflag::kMaterials, ds->backgroundTexture = 0, ds->skyColor = {0, 0, 0};
    ds->sunOn = 0, ds->lightIntensity = 0.5f;  // at night
    ASSERT_TRUE(OpenLiveView());
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    c->window()->move(500, 350);  // clear of the document window's menu bar
    const auto glowing = [&](bool on) {
        for (Objex* lamp = light->firstChild; lamp; lamp = lamp->next) objfield::light::kGlow(*lamp) = on ? 0 : 1;
    };
    // A final render with the glow and one without: the pixels the glow brightened.
    const auto glow = [&](const QString& name) {
        glowing(true), c->renderFinal();
        const QImage with = LiveView();
        glowing(false), c->renderFinal();
        const QImage without = LiveView();
        glowing(true);
        with.save(QString(gShot).replace(".png", "-" + name + ".png"));
        return std::tuple(BrightenedRows(with, without, 40), without);
    };
    const float lampHeight = ConvertWorldToScreen(light->elevation, ds, 0);
    struct View { const char* title; const char* action; int tag; const char* submenu; int16_t elevation; } views[] = {
        {"View from Lot's Bottom Edge", "setViewpoint", 5153, "Viewpoint", 0},
        {"Bottom Side Elevation", "setElevationView", cmd::kElevationViewFirst, "Elevation View", 1},
        {"Left Side Elevation", "setElevationView", cmd::kElevationViewFirst + 1, "Elevation View", 2},
        {"Top Side Elevation", "setElevationView", cmd::kElevationViewFirst + 2, "Elevation View", 3},
        {"Right Side Elevation", "setElevationView", cmd::kElevationViewFirst + 3, "Elevation View", 4}};
    for (const View& v : views) {
        SCOPED_TRACE(v.title);
        raise(light->elevation + 1);
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        ASSERT_TRUE(ChooseMenuItem(w, "LiveView", v.action, v.tag, v.submenu));
        ASSERT_EQ(ds->elevationView, v.elevation);
        const QString name = "hidden-light-" + QString::number(v.elevation);
        const auto [hidden, tall] = glow(name);
        EXPECT_EQ(hidden.first, 0) << "the glow shows round row " << hidden.second << " of " << tall.height();

        raise(60);
        const auto [seen, low] = glow(name + "-low-walls");
        ASSERT_GT(seen.first, 300) << "no glow over the low walls";
        // The low walls' top: the first row, from the top, that is not all sky.
        int wallTop = -1;
        for (int y = 0; y < low.height() && wallTop < 0; ++y)
            for (int x = 0; x < low.width() && wallTop < 0; ++x)
                if (PixelGrey(low.pixel(x, y)) > 12) wallTop = y;
        EXPECT_LT(seen.second, wallTop) << "the glow stands below the walls' top";
        if (v.elevation == 0) continue;
        // An elevation is orthographic: the lamp's centre lies on the row its height gives.
        const ElevationRange r = ComputeElevationRange(v.elevation, low.width(), low.height());
        const double row = low.height() / 2.0 * (1 - (lampHeight + r.verticalShift) / r.halfHeight);
        EXPECT_NEAR(seen.second, row, 4) << "the glow is not round the lamp";
    }
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// A ceiling light placed on the electrical plan shows on the floor plan too, which shows every
// plan; a click on its outline there selects it.
TEST(StockContentWindow, ALightOfTheElectricalPlanIsPickedOnTheFloorPlan) {
    StockServices services("stockpick");
    QMDWindowController* w = OpenDocumentWindow();
    w->document()->model()->itsDocState->zoomFactor = 1;
    ASSERT_TRUE(ShowFocused(w));
    QTabBar* tabs = w->docTabView();
    const auto chooseTab = [&](int16_t plan) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        ClickAt(tabs, tabs->tabRect(plan).center());
        return QTest::qWaitFor([&] { return gCurToolSet == plan; });
    };
    ASSERT_TRUE(chooseTab(2));
    Objex* light = PlaceLightInTheMiddle(w);
    ASSERT_NE(light, nullptr) << "no light placed";
    ASSERT_EQ(light->planBits, 4) << "the light is not the electrical plan's";

    ASSERT_TRUE(chooseTab(1));
    ASSERT_EQ(gCurTool, toolid::kSelect);
    ASSERT_FALSE(IsObjectSelected(light));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ClickObject(w, light->firstChild);
    EXPECT_TRUE(QTest::qWaitFor([&] { return IsObjectSelected(light); })) << "the light was not picked on the floor plan";
    QTest::qWait(300);
    Screen(w).save(QString(gShot).replace(".png", "-picked.png"));
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_stock_content <screenshot.png>"); }
