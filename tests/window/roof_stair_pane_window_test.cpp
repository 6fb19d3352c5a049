// The roof, panel, staircase, deck step and deck panes in a document window on the virtual X
// server, reached as a user reaches them: a click on the object in the plan (or the deck tool
// chosen from the palette), a value typed there and Return (or a cell clicked), and the Edit
// menu's undo item naming the one step it made.
#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QScreen>

#include "app/document_view.h"
#include "app/command_router.h"
#include "app/widgets.h"
#include "model/docstate.h"
#include "model/transforms.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/view_layers.h"
#include "tools/deck_tools.h"
#include "tools/roof_panels.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

#include <algorithm>
#include <cmath>

namespace {

QString gShot;

using namespace dvxtest;

class PaneWindow : public InspectorWindowTest {
protected:
    void SetUp() override {
        openDesign("roofstairpanes");
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        ASSERT_TRUE(QTest::qWaitFor([this] { return w->isActiveWindow(); }));
        ds->zoomFactor = 1, ds->showDimensions = 1;
        // The deck and its step clear of the panel above them.
        for (Objex* o : {design.deck, design.steps})
            for (Poinz* p = o->firstPoint; p; p = p->next) p->position[0] += 300;
        StoreBoundsDeep(design.deck), StoreBoundsDeep(design.panel);
        design.steps->typeData.attachment->width = ConvertWorldToScreen(36, ds, 0);
        w->docView()->scrollPoint({-60, -60});
    }
    // The floor current and shown, its objects on the plan in view.
    void onFloor(Layer* floor) {
        refreshWith({});
        doc->itsCurLayer = floor;
        // Only the floor worked on takes clicks, as the floor pop-up leaves them.
        for (Layer* l = doc->itsLayers; l; l = l->next) l->active = l == floor;
        Set2DViewLayerVisibility(floor);
        for (Objex* o = floor->firstObject; o; o = o->next) o->planBits = ds->visiblePlans;
        w->docView()->update();
    }
    void clickPlan(float h, float d) {
        const PlatformPoint origin = w->docView()->boundsOrigin();
        ClickAt(w->docView(), QPointF(h - origin.x, d - origin.y).toPoint());
    }
    QLineEdit* shownField(const char* outlet) {
        QLineEdit* f = nullptr;
        // Callers check the field returned, null when none came.
        (void)QTest::qWaitFor([&] {
            f = w->parentInspectorView()->findChild<QLineEdit*>(QLatin1String(outlet));
            return f && f->isVisible();
        });
        return f;
    }
    // Types into the pane's field and waits for the step it makes.
    void typeStep(const char* outlet, const char* text, const char* undo) {
        const int before = steps();
        ASSERT_TRUE(TypeIntoPaneField(w, outlet, QString::fromLatin1(text))) << outlet;
        EXPECT_TRUE(QTest::qWaitFor([&] { return steps() == before + 1; })) << outlet << " " << steps() - before;
        EXPECT_EQ(w->commandRouter()->action("undo")->text(), QString::fromLatin1(undo));
    }
    void clickButton(const char* outlet) {
        auto* b = w->parentInspectorView()->findChild<QPushButton*>(QLatin1String(outlet));
        ASSERT_TRUE(b && QTest::qWaitFor([&] { return b->isVisible(); })) << outlet;
        ClickAt(b, b->rect().center());
    }
    QImage grab(float h, float d, int size) {
        const PlatformPoint o = w->docView()->boundsOrigin();
        const QPoint at = w->docView()->mapToGlobal(QPoint(int(h - o.x) - size / 2, int(d - o.y) - size / 2));
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), size, size).toImage();
    }
};

TEST_F(PaneWindow, RoofAndPanelPitchesAreTypedInTheirPanes) {
    onFloor(design.third);
    ClickObject(w, design.roof);
    ASSERT_TRUE(shownField("pitchRatioText")) << "no roof pane";
    EXPECT_EQ(shownField("pitchRatioText")->text(), QStringLiteral("6"));
    EXPECT_FALSE(shownField("pitchAngleText")->text().isEmpty());
    typeStep("pitchRatioText", "8", "Undo Roof Pitch");
    EXPECT_EQ(objfield::roof::kPitch(*design.roof), 8);

    onFloor(design.second);
    Update3DRoofPanel(design.panel);
    clickPlan(200, 75);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->parentInspectorView()->findChild<QWidget*>("elevationButtons"); }));
    typeStep("pitchRatioText", "9", "Undo Roof Pitch");
    EXPECT_EQ(objfield::freehand_roof::kPitch(*design.panel), 9);
    EXPECT_EQ(objfield::freehand_roof::kPitch(*design.arrow), 9);
}

// A four-point roof dragged off the house's south wall: its pane's chosen elevation cell names
// the point of the panel that lies at the elevation (its eave, the lowest), and the other cell,
// clicked, puts the point it names there.
TEST_F(PaneWindow, ThePanelPanesElevationCellNamesThePointAtTheElevation) {
    onFloor(design.first);
    ASSERT_TRUE(ChooseToolCell(7307));
    ds->soffitInclude = 0;
    // Points snap a foot apart, so the panel's far edge lies where the drag let go and a click
    // there picks the panel (a press inside it that meets no line starts a marquee).
    ds->snapIncrement = ds->gridSpacing;
    const PlatformPoint o = w->docView()->boundsOrigin();
    const QPoint eave = w->docView()->mapToGlobal(QPoint(int(150 - o.x), int(300 - o.y)));
    XDo({"mousemove", "--sync", QString::number(eave.x()), QString::number(eave.y()), "mousedown", "1"});
    for (int d = 20; d <= 100; d += 20) XDo({"mousemove", "--sync", QString::number(eave.x()), QString::number(eave.y() + d)});
    XDo({"mouseup", "1"});
    Objex* panel = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (panel = design.first->firstObject; panel && panel->type != objtype::kFreehandRoof;) panel = panel->next;
        return panel != nullptr;
    })) << "no four-point roof";

    // Which point of the slab's lower ring lies at the elevation (vertical 0; smaller is higher),
    // and the depth of the points there.
    const auto atElevation = [&](float* depth) {
        const Objex* slab = panel->typeData.roofPanels;
        if (!slab) return QStringLiteral("no slab");
        float lowest = -1e9f, highest = 1e9f;
        const Poinz* p = slab->firstPoint;
        for (int32_t i = 0; p && i < slab->pointCount / 2; ++i, p = p->next) {
            lowest = std::max(lowest, p->position[1]), highest = std::min(highest, p->position[1]);
            if (std::abs(p->position[1]) < 0.01f) *depth = p->position[2];
        }
        if (std::abs(lowest) < 0.01f && highest < -1) return QStringLiteral("Lowest point at elevation");
        if (std::abs(highest) < 0.01f && lowest > 1) return QStringLiteral("Highest point at elevation");
        return QStringLiteral("neither");
    };
    QWidget* arrow = ToolPaletteController::shared()->toolButtons()->cell(200);
    ToolPaletteController::shared()->window()->show();
    ClickAt(arrow, arrow->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([] { return gCurTool == toolid::kSelect; }));
    clickPlan(100, 400);  // the far edge
    RadioMatrix* cells = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        cells = w->parentInspectorView()->findChild<RadioMatrix*>("elevationButtons");
        return cells && cells->isVisible() && IsObjectSelected(panel);
    })) << "no panel pane";
    const auto chosen = [&] { return cells->cell(cells->selectedTag()) ? cells->cell(cells->selectedTag())->text() : QString(); };
    float depth = 0;
    EXPECT_EQ(chosen().toStdString(), atElevation(&depth).toStdString());
    EXPECT_EQ(atElevation(&depth).toStdString(), "Lowest point at elevation");
    EXPECT_NEAR(depth, 300, 1.5) << "the eave is not at the elevation";

    // The other cell, clicked.
    QAbstractButton* other = cells->cell(cells->selectedTag() == 0 ? 1 : 0);
    ASSERT_TRUE(other);
    const QString named = other->text();
    const int before = steps();
    ClickAt(other, QPoint(8, other->height() / 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return steps() == before + 1; })) << "no step";
    EXPECT_EQ(w->commandRouter()->action("undo")->text(), QStringLiteral("Undo Roof Elevation"));
    EXPECT_EQ(chosen().toStdString(), named.toStdString());
    EXPECT_EQ(atElevation(&depth).toStdString(), named.toStdString());
    EXPECT_NEAR(depth, 400, 1.5) << "the far edge is not at the elevation";
}

TEST_F(PaneWindow, StaircaseWidthRedrawsItsLabelAndAStepTakesItsWidth) {
    Objex* stair = Make(objtype::kStaircase, objsubtype::kStraightStair).plan({{650, 150}, {650, 300}}).bounds().on(design.first);
    objfield::stair::kWidth(*stair) = 36, objfield::stair::kRiser(*stair) = 7, objfield::stair::kTread(*stair) = 10;
    objfield::stair::kFloorHeight(*stair) = 96;
    onFloor(design.first);
    const QImage before = grab(650, 150, 90);
    ClickObject(w, stair);
    ASSERT_TRUE(shownField("stairWidthText")) << "no staircase pane";
    typeStep("stairWidthText", "4'", "Undo Staircase Width");
    EXPECT_EQ(objfield::stair::kWidth(*stair), 48);
    EXPECT_TRUE(QTest::qWaitFor([&] { return grab(650, 150, 90) != before; })) << "the width label stayed";

    // The deck step, chosen point by point as the fillet tool chooses (the selection tool takes
    // its deck whole): its own pane.
    onFloor(design.second);
    QWidget* edit = ToolPaletteController::shared()->window();
    edit->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QWidget* fillet = ToolPaletteController::shared()->toolButtons()->cell(toolid::kFillet);
    ClickAt(fillet, fillet->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([] { return gCurTool == toolid::kFillet; }));
    clickPlan(400, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsEntireObjectSelected(design.steps) && !IsRootObjectSelected(design.deck); }))
        << "the fillet tool did not take the step alone";
    ASSERT_TRUE(shownField("stepWidthText")) << "no deck step pane";
    typeStep("stepWidthText", "4'", "Undo Step Width");
    EXPECT_FLOAT_EQ(design.steps->typeData.attachment->width, ConvertWorldToScreen(48, ds, 0));
}

TEST_F(PaneWindow, DeckToolPaneDeckEditsStepsAndTheCurveSheet) {
    onFloor(design.second);
    ASSERT_TRUE(ChooseToolCell(7600));
    ASSERT_TRUE(shownField("balusterSpacingText")) << "no deck tool pane";

    // Back to selecting: the deck's east edge, a new height, then steps on that edge.
    QWidget* edit = ToolPaletteController::shared()->window();
    edit->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QWidget* arrow = ToolPaletteController::shared()->toolButtons()->cell(200);
    ClickAt(arrow, arrow->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([] { return gCurTool == toolid::kSelect; }));
    clickPlan(500, 100);
    ASSERT_TRUE(shownField("deckHeightText")) << "no deck pane";
    typeStep("deckHeightText", "5'", "Undo Deck Height");
    EXPECT_EQ(objfield::deck::kHeight(*design.deck), 60);
    const int children = CountObjects(design.deck->firstChild), before = steps();
    clickButton("insertStepsButton");
    EXPECT_TRUE(QTest::qWaitFor([&] { return CountObjects(design.deck->firstChild) > children; }));
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(w->commandRouter()->action("undo")->text(), QStringLiteral("Undo Insert Deck Steps"));

    // A deck without steps, chosen by a click on its corner: the curve tension sheet on the
    // window; 10 and OK curve its edges.
    Objex* other = Deck(design.second);
    for (Poinz* p = other->firstPoint; p; p = p->next) p->position[2] += 250;
    StoreBoundsDeep(other);
    onFloor(design.second);
    clickPlan(200, 450);
    ASSERT_TRUE(QTest::qWaitFor([&] { return PointAt(other, 2)->selected && PointAt(other, 3)->selected; }));
    clickButton("adjustCurveButton");
    SheetDialog* sheet = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = w->findChild<SheetDialog*>("CurveTensionSheet")) && sheet->isVisible(); }));
    auto* tension = sheet->findChild<QLineEdit*>("tensionText");
    ClickAt(tension, tension->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return tension->hasFocus(); }));
    XDo({"key", "ctrl+a"}), XDo({"type", "--", "10"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return tension->text() == QStringLiteral("10"); })) << tension->text().toStdString();
    auto* ok = sheet->findChild<QPushButton*>("okButton");
    const int beforeCurve = steps();
    ClickAt(ok, ok->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return steps() == beforeCurve + 1; }));
    EXPECT_EQ(w->commandRouter()->action("undo")->text(), QStringLiteral("Undo Smooth Objects"));
    EXPECT_NE(PointAt(other, 2)->outTangent[0], 0) << "the south edge stayed straight";
    EXPECT_TRUE(alerts.shown.empty());
    // Only so the screenshot below shows the sheet gone; nothing is checked on it.
    (void)QTest::qWaitFor([&] { return !w->findChild<SheetDialog*>("CurveTensionSheet"); });
    w->docView()->repaint();
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
}

// An imperial design whose sizes were made in metric (none a whole sixteenth of an inch):
// objects that all hold one value show it in the pane, though its readout reads back rounded;
// objects that differ leave the field empty.
TEST_F(PaneWindow, FieldsOfObjectsHoldingOneValueShowIt) {
    namespace sf = objfield::stair;
    namespace df = objfield::deck;
    Objex* stairs[2];
    for (int i = 0; i < 2; ++i) {
        const float h = 650 + 80.0f * i;
        Objex* s = stairs[i] = Make(objtype::kStaircase, objsubtype::kStraightStair).plan({{h, 150}, {h, 300}}).bounds().on(design.first);
        sf::kFloorHeight(*s) = 106.299f, sf::kWidth(*s) = 36.2204f, sf::kRiser(*s) = 7.08661f;  // 2.7 m, 92 cm, 18 cm
        sf::kTread(*s) = 9.84252f, sf::kSizeD(*s) = 35.4331f;                                   // 25 cm, 0.9 m
    }
    onFloor(design.first);
    const auto texts = [&] {
        std::vector<std::string> shown;
        for (const char* outlet : {"stairHeightText", "stairWidthText", "stepHeightText", "stepDepthText", "railHeightText"})
            shown.push_back(shownField(outlet) ? shownField(outlet)->text().toStdString() : "no field");
        return shown;
    };
    refreshWith({stairs[0]});
    const std::vector<std::string> one = texts();
    EXPECT_EQ(one, (std::vector<std::string>{"8'-10 5/16\"", "3'-0 1/4\"", "7 1/16\"", "9 13/16\"", "2'-11 7/16\""}));
    refreshWith({stairs[0], stairs[1]});
    EXPECT_EQ(texts(), one);

    // Two roofs of one pitch that its readout rounds, then of two: both pitch fields follow.
    Objex* roof = RoofWithSkylight(design.third, 1);
    for (Poinz* p = roof->firstPoint; p; p = p->next) p->position[0] += 500;
    objfield::roof::kPitch(*roof) = objfield::roof::kPitch(*design.roof) = 5.11f;
    onFloor(design.third);
    const auto pitches = [&] {
        return std::pair(shownField("pitchRatioText")->text().toStdString(), shownField("pitchAngleText")->text().toStdString());
    };
    refreshWith({roof});
    ASSERT_TRUE(shownField("pitchRatioText")) << "no roof pane";
    const auto alone = pitches();
    refreshWith({design.roof, roof});
    EXPECT_EQ(pitches(), alone);
    EXPECT_FALSE(alone.first.empty() || alone.second.empty());
    objfield::roof::kPitch(*roof) = 6;
    refreshWith({design.roof, roof});
    EXPECT_EQ(pitches(), std::pair(std::string(), std::string()));

    // The deck 60 cm high, a 0.9 m handrail on every edge, clicked; then with a second deck alike,
    // and with that one lower.
    Objex* other = Deck(design.second);
    for (Poinz* p = other->firstPoint; p; p = p->next) p->position[2] += 250;
    for (Objex* deck : {design.deck, other}) {
        df::kHeight(*deck) = 23.622f;
        for (Poinz* p = deck->firstPoint; p; p = p->next) df::kHandrailHeight(*p) = 35.4331f;
    }
    onFloor(design.second);
    clickPlan(500, 100);
    ASSERT_TRUE(shownField("deckHeightText")) << "no deck pane";
    EXPECT_EQ(std::tuple(shownField("deckHeightText")->text().toStdString(), shownField("railHeightText")->text().toStdString()),
              std::tuple("1'-11 5/8\"", "2'-11 7/16\""));
    refreshWith({design.deck, other});
    EXPECT_EQ(std::tuple(shownField("deckHeightText")->text().toStdString(), shownField("railHeightText")->text().toStdString()),
              std::tuple("1'-11 5/8\"", "2'-11 7/16\""));
    df::kHeight(*other) = 20;
    refreshWith({design.deck, other});
    EXPECT_EQ(std::tuple(shownField("deckHeightText")->text().toStdString(), shownField("railHeightText")->text().toStdString()),
              std::tuple("", "2'-11 7/16\""));
}

// The deck with its step, chosen whole with a marquee and narrowed by its south-east handle
// from 200 to 100 wide: the step is refitted onto the narrower north edge, and the box and its
// handles follow the deck's new outline, none left where the deck or its step was.
TEST_F(PaneWindow, ADeckResizedByItsHandleIsBoxedWhereItNowIs) {
    onFloor(design.second);
    ds->snapToGrid = 0, ds->showDimensions = 0;
    Update3DDeck(design.deck);
    StoreBoundsDeep(design.deck);
    const Poinz* step = design.steps->firstPoint;
    ASSERT_EQ(std::tuple(step->position[0], step->next->position[0], design.deck->bounds3D.floatRight),
              std::tuple(364.0f, 436.0f, 500.0f));
    QMDDocumentView* view = w->docView();
    ASSERT_TRUE(DragInPlan(view, {270, -30}, {{400, 100}, {530, 230}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsEntireObjectSelected(design.deck); })) << "the marquee missed the deck";
    ASSERT_TRUE(DragInPlan(view, {500, 200}, {{450, 200}, {400, 200}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return PointAt(design.deck, 1)->position[0] == 400; }))
        << PointAt(design.deck, 1)->position[0];
    EXPECT_EQ(std::tuple(PointAt(design.deck, 0)->position[0], PointAt(design.deck, 2)->position[0], PointAt(design.deck, 3)->position[0]),
              std::tuple(300.0f, 400.0f, 300.0f));
    // The step's 72 units now end at the edge's east end.
    EXPECT_EQ(std::tuple(step->position[0], step->next->position[0]), std::tuple(328.0f, 400.0f));
    const Float3DRect& b = design.deck->bounds3D;
    EXPECT_EQ(std::tuple(b.floatLeft, b.floatRight, b.floatBack, b.floatFront), std::tuple(300.0f, 400.0f, 0.0f, 200.0f));

    // A handle is a 7-pixel square in the selection's colour about each corner: seen off the
    // box's edges, 2 pixels in from the corner, at the deck's corners and nowhere the deck was.
    w->docView()->repaint();
    const auto handleAt = [&](float h, float d) {
        const QImage near = grab(h, d, 9);
        const QRgb c = near.pixel(4 + (h > 350 ? 2 : -2), 4 + (d > 100 ? 2 : -2));
        return qBlue(c) > qRed(c) + 60;
    };
    for (const auto& [h, d] : {std::pair(300.0f, 0.0f), {400.0f, 0.0f}, {400.0f, 200.0f}, {300.0f, 200.0f}})
        EXPECT_TRUE(handleAt(h, d)) << "no handle at " << h << ", " << d;
    for (const auto& [h, d] : {std::pair(436.0f, 0.0f), {436.0f, 200.0f}, {500.0f, 0.0f}, {500.0f, 200.0f}})
        EXPECT_FALSE(handleAt(h, d)) << "a handle at " << h << ", " << d;
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-deck.png"));
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_roof_stair_panes <screenshot.png>"); }
