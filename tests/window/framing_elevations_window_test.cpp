// The View menu's framing view and the LiveView menu's four elevations, chosen with the
// server's mouse while the live view shows the design: the framing view's studs in place of
// the wall's faces, each elevation an orthographic view from its side of the lot, and colours
// dragged from the palette or auto-clicked there landing on the face under the pointer. Each
// frame is kept beside the test (framing-elevations.png.<view>.png).
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QComboBox>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document.h"
#include "app/live_view_controller.h"
#include "app/live_view_ogl_view.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "content/core/content_category_item.h"
#include "content/core/preview_grid.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/render_state.h"
#include "model/sym_entry.h"
#include "model/transforms.h"
#include "app/core/document_window.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "window/window_support.h"

namespace {

QString gShot;

class FramingAndElevations : public ::testing::Test {
protected:
    void SetUp() override {
        w = OpenDocumentWindow(), ds = w->document()->model()->itsDocState;
        ASSERT_TRUE(ShowFocused(w));
        // Clear of the palettes, which float over it: its menu bar stays within reach.
        w->setGeometry(180, 40, 900, 600);
        // Plain colours on a black backdrop, so what is drawn stands out.
        ds->renderValue |= hideflag::kMaterials, ds->backgroundTexture = 0, ds->skyColor = {0, 0, 0};
        ds->cameraMode = 1, ds->navigationFlag = 0, ds->cameraHeading = 0, ds->cameraPosition = {0, 0};
        ds->elevationView = 0, ds->eyeHeight = 60;
    }
    void TearDown() override { LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals(); }
    // A wall from (h1, d1) to (h2, d2), `height` inches high.
    Objex* wall(float h1, float d1, float h2, float d2, float height) {
        Objex* o = dvxtest::Wall(gCurDocument->itsCurLayer, {{h1, d1}, {h2, d2}});
        o->planBits = ds->visiblePlans;
        for (Poinz* p = o->firstPoint; p; p = p->next)
            objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = height;
        Update3DWall(o);
        dvxtest::StoreBoundsDeep(o);
        return o;
    }
    bool open() {
        c = LiveViewController::sharedLiveViewController();
        if (!c->isVisible()) c->showWindow();
        // Clear of the document window's menu bar.
        c->window()->move(500, 350);
        if (!QTest::qWaitForWindowExposed(c->window()) || !QTest::qWaitFor([&] { return c->glSurface().window()->isValid(); }))
            return false;
        RebuildLiveViewScene();
        SetUpLiveViewCamera(ds);
        return true;
    }
    QImage grab() const { return LiveViewOnScreen(c); }
    // Waits for a frame for which `shows` holds; null when none came.
    QImage frameWhere(const std::function<bool(const QImage&)>& shows) {
        QImage image;
        const bool came = QTest::qWaitFor([&] {
            image = grab();
            return !image.isNull() && shows(image);
        }, 10000);
        return came ? image : QImage();
    }
    // Changes of shade along the row: a solid wall has its two ends, a frame its studs too.
    static int Edges(const QImage& image, int row) {
        int n = 0;
        for (int x = 1; x < image.width(); ++x) n += std::abs(PixelGrey(image.pixel(x, row)) - PixelGrey(image.pixel(x - 1, row))) > 20;
        return n;
    }
    bool choose(const char* menu, const char* action, int tag, const char* submenu = nullptr) {
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        return ChooseMenuItem(w, menu, action, tag, submenu);
    }
    // Elevation `view` (1-4) chosen from the LiveView menu: its first frame other than
    // `previous`, kept as framing-elevations.png.<name>.png; null when none came.
    QImage elevation(int16_t view, const QImage& previous, const QString& name) {
        const int tag = cmd::kElevationViewFirst + view - 1;
        if (!choose("LiveView", "setElevationView", tag, "Elevation View") || ds->elevationView != view) return {};
        const QImage image = frameWhere([&](const QImage& i) {
            // No lot in an elevation: the backdrop at the top and bottom.
            return i != previous && i.pixel(0, 0) == i.pixel(0, i.height() - 1);
        });
        if (!image.isNull()) image.save(gShot + "." + name + ".png");
        return image;
    }
    // The ring of walls 600 across round the lot, 18 inches high, and two walls 100 long across
    // its middle, `tall` inches high: across x at z 0 from x 150 to 250, across z at x 0 from
    // z 150 to 250.
    std::pair<Objex*, Objex*> ringAndTallWalls(float tall) {
        wall(-300, -300, 300, -300, 18), wall(300, -300, 300, 300, 18), wall(300, 300, -300, 300, 18);
        wall(-300, 300, -300, -300, 18);
        return {wall(150, 0, 250, 0, tall), wall(0, 150, 0, 250, tall)};
    }
    // The wall's pieces in the scene: framing members and others.
    std::pair<int, int> pieces(const Objex* of) const {
        int framing = 0, other = 0;
        for (PlaneObject* p = gGLPlaneObjects; p; p = p->next)
            if (p->baseObject == of) (p->surfaceKind == kFramingMember ? framing : other)++;
        return {framing, other};
    }

    WindowTestServices services{"framingelevations"};
    QMDWindowController* w = nullptr;
    DocState* ds = nullptr;
    LiveViewController* c = nullptr;
};

TEST_F(FramingAndElevations, FramingShowsStudsAndEachElevationIsOrthographicFromItsSide) {
    // One wall 200 long, 96 inches high, straight ahead of the eye.
    Objex* front = wall(-100, -300, 100, -300, 96);
    ASSERT_TRUE(open());
    // Above the eye, on the wall: the sky at both ends.
    auto row = [](const QImage& image) { return image.height() / 2 - 10; };
    const QImage plain = frameWhere([&](const QImage& image) { return Edges(image, row(image)) >= 2; });
    ASSERT_FALSE(plain.isNull()) << "the live view shows no wall";
    plain.save(gShot + ".plain.png");
    EXPECT_EQ(pieces(front).first, 0);

    ASSERT_TRUE(choose("View", "toggleFramingView", cmd::kFramingView));
    EXPECT_EQ(ds->framingView, 1);
    // Studs at both ends and every spacing between, two plates: four faces each; the wall's
    // own flat faces are gone.
    const float spacing = ConvertWorldToScreen(ds->studSpacing, ds, 0);
    const int studs = int(std::trunc(200 / spacing + 0.5f)) + 1;
    const auto [framing, other] = pieces(front);
    EXPECT_EQ(framing, 4 * (studs + 2)) << studs << " studs";
    EXPECT_LT(other, framing / 4) << "the wall's faces are still there";
    // The gaps between the studs show across the wall.
    const QImage framed =
        frameWhere([&](const QImage& image) { return Edges(image, row(image)) >= Edges(plain, row(plain)) + 2 * (studs - 2); });
    ASSERT_FALSE(framed.isNull()) << "no studs across the wall";
    framed.save(gShot + ".framing.png");
    QAction* item = w->commandRouter()->action("toggleFramingView", cmd::kFramingView);
    CommandRouter::validateMenuItem(item);
    EXPECT_TRUE(item->isCheckable() && item->isChecked());

    ASSERT_TRUE(choose("View", "toggleFramingView", cmd::kFramingView));
    EXPECT_EQ(std::pair(ds->framingView, pieces(front).first), std::pair(uint8_t(0), 0));

    // The lot's four sides for the elevations: a ring of walls 600 across, 18 inches high, and
    // two taller walls. The first wall lowered into the ring's top side.
    for (Poinz* p = front->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 18;
    Update3DWall(front);
    ringAndTallWalls(90);
    RebuildLiveViewScene();
    // Where the tall face-on wall stands across the view, as fractions of its width: the
    // elevation's range is the design's, 600 wide, and the wall 100 of it.
    struct Side { const char* title; int16_t view; float from, to; } sides[] = {
        {"Bottom Side Elevation", 1, 450 / 600.0f, 550 / 600.0f}, {"Left Side Elevation", 2, 450 / 600.0f, 550 / 600.0f},
        {"Top Side Elevation", 3, 50 / 600.0f, 150 / 600.0f}, {"Right Side Elevation", 4, 50 / 600.0f, 150 / 600.0f}};
    QImage previous = plain;
    for (const Side& s : sides) {
        SCOPED_TRACE(s.title);
        const int tag = cmd::kElevationViewFirst + s.view - 1;
        EXPECT_EQ(w->commandRouter()->action("setElevationView", tag)->text(), QString::fromLatin1(s.title));
        const QImage image = elevation(s.view, previous, "elevation-" + QString::number(s.view));
        ASSERT_FALSE(image.isNull()) << "no new frame";
        previous = image;
        // The columns lit above the ring's top: the tall wall face-on, and the other tall wall
        // edge-on in the middle.
        const int iw = image.width(), ih = image.height(), sky = PixelGrey(image.pixel(0, 0));
        auto lit = [&](int x, int y) { return std::abs(PixelGrey(image.pixel(x, y)) - sky) > 12; };
        int ringTop = ih;
        for (int y = 0; y < ih && ringTop == ih; ++y)
            if (lit(iw / 2 - iw / 5, y)) ringTop = y;
        ASSERT_LT(ringTop, ih) << "no ring of walls";
        int first = -1, last = -1, widest = 0;
        for (int x = 0, run = 0; x < iw; ++x) {
            run = lit(x, ringTop - 6) ? run + 1 : 0;
            if (run > widest) widest = run, last = x, first = x - run + 1;
        }
        EXPECT_NEAR(first / float(iw), s.from, 0.02f) << first;
        EXPECT_NEAR(last / float(iw), s.to, 0.02f) << last;
        // Orthographic, its range the design's: the ring runs from edge to edge just above the
        // base, the design's heights (the ground to the tall walls' tops) centred on the view.
        const int base = ih / 2 + int(std::lround(ConvertWorldToScreen(90, ds, 0) / 2 * iw / 600.0));
        EXPECT_TRUE(lit(1, base - 4) && lit(iw - 2, base - 4)) << "the ring does not fill the width";
        EXPECT_FALSE(lit(iw / 2 - iw / 5, base + 4)) << "something below the base";
        QAction* chosen = w->commandRouter()->action("setElevationView", tag);
        CommandRouter::validateMenuItem(chosen);
        EXPECT_TRUE(chosen->isChecked());
    }
}

// Walls much taller than wide show whole in every elevation, their tops inside the view: over
// a ring wide enough to leave room above them, and then taller than the ring's width leaves
// room for, the range widening about its middle.
TEST_F(FramingAndElevations, EveryElevationShowsTallWallsWhole) {
    const auto [across, along] = ringAndTallWalls(200);
    ASSERT_TRUE(open());
    QImage previous;
    for (float inches : {200.0f, 600.0f}) {
        for (Objex* o : {across, along}) {
            // Blue on both sides: it stays apart from the white backdrop however brightly lit.
            for (Poinz* p = o->firstPoint; p; p = p->next) {
                objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = inches;
                p->color1 = p->color2 = {0, 0, 0xFFFF};
            }
            Update3DWall(o);
        }
        RebuildLiveViewScene();
        const float height = ConvertWorldToScreen(inches, ds, 0);  // in plan units, as the 100 long
        for (int16_t view = 1; view <= 4; ++view) {
            SCOPED_TRACE(QString("%1 inches, elevation %2").arg(inches).arg(view).toStdString());
            const QImage image = elevation(view, previous, QString("tall-%1-%2").arg(inches).arg(view));
            ASSERT_FALSE(image.isNull()) << "no new frame";
            previous = image;
            const int iw = image.width(), ih = image.height();
            const QRgb sky = image.pixel(0, 0);
            auto lit = [&](int x, int y) {
                const QRgb c = image.pixel(x, y);
                return std::abs(qRed(c) - qRed(sky)) + std::abs(qGreen(c) - qGreen(sky)) + std::abs(qBlue(c) - qBlue(sky)) > 24;
            };
            // Each column's highest lit row; the face-on tall wall is the widest run of columns
            // reaching the highest.
            std::vector<int> tops(iw, ih);
            for (int x = 0; x < iw; ++x)
                for (int y = 0; y < ih && tops[x] == ih; ++y)
                    if (lit(x, y)) tops[x] = y;
            const int top = *std::min_element(tops.begin(), tops.end());
            int first = -1, widest = 0;
            for (int x = 0, run = 0; x < iw; ++x) {
                run = tops[x] <= top + 2 ? run + 1 : 0;
                if (run > widest) widest = run, first = x - run + 1;
            }
            const int middle = first + widest / 2;
            int base = top;
            for (int y = top; y < ih; ++y)
                if (lit(middle, y)) base = y;
            // Seen whole: as tall against its width as it is, the ground inside the view too.
            EXPECT_NEAR((base - top + 1) / float(widest), height / 100.0f, height / 100.0f * 0.06f)
                << "top " << top << ", base " << base << ", " << widest << " wide";
            EXPECT_LT(base, ih);
            // With room to spare, the backdrop above its top.
            if (height < 600 * ih / float(iw)) EXPECT_GT(top, 4);
        }
    }
}

// A room of four walls 200 across, 96 inches high, and outside each wall a post 40 inches high
// off to one side, nearer the elevation that faces that wall. In each elevation a colour from
// the palette dropped on the middle of the view, and another auto-clicked there with Alt held,
// paint the facing wall's outer face, each one step; no post and no other wall changes.
TEST_F(FramingAndElevations, ADropOrAnAutoClickInAnElevationPaintsTheFaceUnderThePointer) {
    // Seen from below (+z), from the left (-x), from above (-z) and from the right (+x).
    Objex* const walls[] = {wall(100, 100, -100, 100, 96), wall(-100, 100, -100, -100, 96),
                            wall(-100, -100, 100, -100, 96), wall(100, -100, 100, 100, 96)};
    Objex* const posts[] = {wall(50, 160, 90, 160, 40), wall(-160, 50, -160, 90, 40), wall(50, -160, 90, -160, 40),
                            wall(160, 50, 160, 90, 40)};
    ASSERT_TRUE(open());
    c->window()->setGeometry(0, 640, 600, 360);
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible(); }));
    ASSERT_TRUE(ChoosePopUpItem(p->categoryPopUpButton(), "Colors"));
    QTreeView* outline = p->categoryOutlineView();
    ClickAt(outline->viewport(), outline->visualRect(outline->model()->index(0, 0)).center());
    ASSERT_TRUE(QTest::qWaitFor([p] {
        const ContentCategoryItem* shown = p->contentView()->cacheSource();
        return shown && shown->numberOfSymEntries() >= 12;
    }));
    // Entry `index`'s preview on the screen, its colour, and the entry chosen there.
    const auto preview = [p](size_t index) {
        ContentView* view = p->contentView();
        const double side = ContentView::previewSizeFromUserDefaults();
        const content::GridCell cell = content::CellOfIndex(index, view->width(), side, side);
        return view->mapToGlobal(QPoint(int(cell.x + cell.width / 2), int(cell.y + cell.height / 2)));
    };
    const auto colourOf = [p](size_t index) {
        const RGBColor k = p->contentView()->cacheSource()->symEntryAtIndex(index)->textureColor;
        return RGBColor{uint16_t((k.red & 0xFF) * 257), uint16_t((k.green & 0xFF) * 257), uint16_t((k.blue & 0xFF) * 257)};
    };
    const auto choose = [&](size_t index) {
        const QPoint at = preview(index);
        XDo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1"});
        const SymEntryInfo* chosen = p->contentView()->cacheSource()->symEntryAtIndex(index);
        const bool taken = QTest::qWaitFor([p, chosen] { return p->selectedSymEntry() == chosen; });
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        return taken;
    };
    // The colours of both sides of every point of each wall and post.
    const auto colours = [&] {
        std::vector<RGBColor> all;
        for (Objex* const* list : {walls, posts})
            for (int i = 0; i < 4; ++i)
                for (const Poinz* q = list[i]->firstPoint; q; q = q->next) all.insert(all.end(), {q->color1, q->color2});
        return all;
    };
    const auto onPosts = [&](RGBColor k) {
        for (const Objex* post : posts)
            for (const Poinz* q = post->firstPoint; q; q = q->next)
                if (q->color1 == k || q->color2 == k) return true;
        return false;
    };
    QUndoStack* undo = w->document()->undoStack();
    QWindow* gl = c->glSurface().window();
    QImage previous;
    size_t entry = 0;
    for (int16_t view = 1; view <= 4; ++view) {
        SCOPED_TRACE(view);
        previous = elevation(view, previous, "paint-" + QString::number(view));
        ASSERT_FALSE(previous.isNull()) << "no new frame";
        const QPoint middle = gl->mapToGlobal(QPoint(gl->width() / 2, gl->height() / 2));
        struct Way { bool drop; const char* step; } ways[] = {{true, "Color"}, {false, "Auto-click Color"}};
        for (const Way& way : ways) {
            SCOPED_TRACE(way.step);
            // The next of the first six entries (those in view) whose colour neither the facing
            // wall nor a post has.
            const Poinz* q = walls[view - 1]->firstPoint;
            const std::vector<RGBColor> before = colours();
            const auto fresh = [&](RGBColor k) { return !(k == q->color1 || k == q->color2) && !onPosts(k); };
            int tries = 0;
            do entry = (entry + 1) % 6;
            while (!fresh(colourOf(entry)) && ++tries < 6);
            ASSERT_LT(tries, 6);
            const RGBColor colour = colourOf(entry);
            ASSERT_TRUE(choose(entry));
            const int steps = undo->count();
            if (way.drop) {
                DragOnScreen(preview(entry), middle);
            } else {
                // The view has the keyboard, the pointer on its middle.
                XDo({"windowfocus", "--sync", QString::number(gl->winId())});
                XDo({"mousemove", "--sync", QString::number(middle.x()), QString::number(middle.y())});
                XDo({"keydown", "alt"});
                EXPECT_TRUE(QTest::qWaitFor([this] { return c->liveViewOGLView()->autoClick3DActive(); })) << "no auto-click";
                XDo({"click", "1"}), QTest::qWait(200), XDo({"keyup", "alt"});
            }
            ASSERT_TRUE(QTest::qWaitFor([&] { return undo->count() == steps + 1; }, 5000)) << "no step";
            EXPECT_EQ(undo->undoText().toStdString(), way.step);
            // The facing wall's outer face took the colour; nothing else changed.
            EXPECT_TRUE(q->color1 == colour || q->color2 == colour) << "the facing wall kept its colour";
            const std::vector<RGBColor> after = colours();
            int changed = 0;
            for (size_t i = 0; i < after.size(); ++i) changed += !(after[i] == before[i]);
            EXPECT_EQ(changed, 1) << "more than the one face changed";
            EXPECT_FALSE(onPosts(colour)) << "a post took the colour";
        }
    }
    if (!gShot.isEmpty()) grab().save(gShot + ".painted.png");
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_framing_elevations <screenshot.png>"); }
