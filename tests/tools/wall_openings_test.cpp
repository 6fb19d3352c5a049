// Doors, windows and accessories placed on a hand-built wall by scripted gestures. The wall runs
// from (0, 0) to (200, 0), 6 thick; at scale 72 and zoom 1 a view point is a plan unit is an
// inch, so every position below is worked out on the wall line D = 0.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "content/core/content_selection_seams.h"
#include "files/content_folders.h"
#include "files/custom_definitions.h"
#include "files/design_file.h"
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "model/tool_defaults.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tools/attachment_defaults.h"
#include "tools/wall_attachments.h"
#include "tools/wall_openings.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Ends = std::pair<std::pair<float, float>, std::pair<float, float>>;
using Titles = std::vector<std::string>;

constexpr float kPi = std::numbers::pi_v<float>;

class WallOpenings : public PlanGestureTest {
  protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        wall = Wall(doc->itsCurLayer, {{0, 0}, {200, 0}});
        wall->penWidth = 6;
        ds->doorStyle = 500, ds->doorWidth = 30, ds->doorHeight = 80;
        ds->windowStyle = 600, ds->windowWidth = 36, ds->windowHeight = 56,
        ds->windowElevation = 24;
        ds->windowValue = 3;
    }
    // Press on the wall at `from`, drag and release at `to`; the wall's last child.
    Objex* Place(int16_t tool, POINT from, POINT to) {
        gCurTool = tool;
        g.press(from), g.drag(to), g.release(to);
        return LastChild();
    }
    Objex* LastChild() const {
        Objex* c = wall->firstChild;
        while (c && c->next)
            c = c->next;
        return c;
    }
    static Ends EndsOf(const Objex* o) {
        const Poinz* a = o->firstPoint;
        const Poinz* b = a->next;
        return {{a->position[0], a->position[2]}, {b->position[0], b->position[2]}};
    }
    Titles Shown() const {
        Titles t;
        for (const auto& s : alerts.shown)
            t.push_back(s.alert.message);
        return t;
    }

    Objex* wall = nullptr;
};

TEST_F(WallOpenings, ADoorNeedsAWallSegmentLongEnoughInThePlanView) {
    struct Row {
        const char* what;
        float width;
        bool plan;
        POINT at;
        Titles shown;
        int doors;
    };
    for (const Row& row :
         {Row{"off the wall, plan view", 30, true, {100, 80}, {"Wall segment not found."}, 0},
          Row{"off the wall, front view", 30, false, {100, 80}, {}, 0},
          Row{"wider than the segment + 5",
              205.01f,
              true,
              {100, 0},
              {"Unable to place door on wall segment."},
              0},
          Row{"just inside the segment + 5", 204.99f, true, {100, 0}, {}, 1}}) {
        alerts.shown.clear();
        row.plan ? SetPlanView() : SetView(0, 0);
        ds->doorWidth = row.width;
        Place(toolid::kDoor, row.at, row.at);
        EXPECT_EQ(Shown(), row.shown) << row.what;
        EXPECT_EQ(CountObjects(wall->firstChild), row.doors) << row.what;
        EXPECT_FALSE(TrackerLoopOpen()) << row.what;
    }
}

TEST_F(WallOpenings, ADoorLandsWhereDraggedAndKeepsClearOfTheEnds) {
    struct Row {
        float width;
        POINT to;
        Ends ends;
    };
    // On the 200 segment: 5 clear of the end the pointer is near, wherever the wall's refit
    // keeps it; from the start where it would not (192 = S - 8, 197 = S - 3, 203 = S + 3).
    for (const Row& row : {Row{30, {150, 0}, {{135, 0}, {165, 0}}}, Row{30, {2, 0}, {{5, 0}, {35, 0}}},
                           Row{30, {199, 0}, {{165, 0}, {195, 0}}},
                           Row{192, {2, 0}, {{5, 0}, {197, 0}}}, Row{192, {199, 0}, {{3, 0}, {195, 0}}},
                           Row{197, {2, 0}, {{5, 0}, {202, 0}}}, Row{197, {199, 0}, {{0, 0}, {197, 0}}},
                           Row{203, {2, 0}, {{0, 0}, {203, 0}}}, Row{203, {199, 0}, {{0, 0}, {203, 0}}}}) {
        ds->doorWidth = row.width;
        Objex* door = Place(toolid::kDoor, {100, 0}, row.to);
        ASSERT_NE(door, nullptr);
        EXPECT_EQ(EndsOf(door), row.ends) << row.width << " to " << row.to.x;
        const AttachmentRecord* r = AttachmentRecordOf(door);
        const float centre = (row.ends.first.first + row.ends.second.first) / 2;
        EXPECT_EQ(std::tuple(door->type, door->parent, door->planBits, door->rows, r->style,
                             r->width, r->height),
                  std::tuple(objtype::kDoor, wall, 2, int16_t(1), int16_t(500), row.width, 80.0f));
        EXPECT_FLOAT_EQ(r->centreDistance, centre);
        EXPECT_FLOAT_EQ(r->remainder, 200 - centre);
        EXPECT_EQ(r->segmentStart, wall->firstPoint);
        EXPECT_EQ(UpdateWallAttachment(door), 0) << row.width << " to " << row.to.x;
        EXPECT_EQ(LastChild(), door);
    }
    EXPECT_EQ(undo.actionNames.size(), 9u);
}

TEST_F(WallOpenings, ASwingingDoorTakesItsSwingFromASecondClick) {
    ds->doorStyle = 501;
    Objex* door = Place(toolid::kDoor, {100, 0}, {150, 0}); // 135..165
    ASSERT_TRUE(TrackerLoopOpen());
    g.move({140, -10});
    g.click({135, -30}); // straight up from the hinge at 135
    EXPECT_FALSE(TrackerLoopOpen());
    AttachmentRecord* r = AttachmentRecordOf(door);
    EXPECT_NEAR(r->swingOrOffset, kPi / 2, 1e-5);
    EXPECT_EQ(std::tuple(r->sideFlag, r->directionFlag), std::tuple(uint8_t(1), int16_t(4)));

    // The hinge is the end nearer the pointer: down from 75, a quarter turn from the leaf to 45.
    Objex* second = Place(toolid::kDoor, {100, 0}, {60, 0}); // 45..75
    g.click({75, 30});
    r = AttachmentRecordOf(second);
    EXPECT_NEAR(r->swingOrOffset, kPi / 2, 1e-5); // 3 pi / 2 - pi
    EXPECT_EQ(std::tuple(r->sideFlag, r->directionFlag), std::tuple(uint8_t(0), int16_t(4)));

    // A click on the closed leaf keeps the record as it was.
    Objex* third = Place(toolid::kDoor, {100, 0}, {110, 0}); // 95..125
    AttachmentRecord* r3 = AttachmentRecordOf(third);
    r3->swingOrOffset = 0.25f, r3->sideFlag = 0, r3->directionFlag = 0;
    g.click({105, 0});
    EXPECT_EQ(std::tuple(r3->swingOrOffset, r3->sideFlag, r3->directionFlag),
              std::tuple(0.25f, uint8_t(0), int16_t(0)));
}

// A swing left unclicked ends where the pointer was last seen when something else ends it:
// another tool chosen, or the view's focus lost. The door 135..165 takes the swing toward
// that point (hinged at the nearer end) and the gesture stores its step under the door tool.
TEST_F(WallOpenings, ASwingLeftUnclickedEndsAtThePointer) {
    ds->doorStyle = 501;
    struct Row {
        const char* what;
        bool toolChosen;
        POINT pointer;
        uint8_t side;
        float swing;  // within a turn either way
    };
    const Row rows[] = {{"another tool chosen", true, {165, -30}, 0, -kPi / 2},  // pi / 2 - pi
                        {"the focus lost", false, {135, -30}, 1, kPi / 2}};
    for (const Row& row : rows) {
        Objex* door = Place(toolid::kDoor, {100, 0}, {150, 0});
        ASSERT_TRUE(TrackerLoopOpen()) << row.what;
        const size_t steps = undo.actionNames.size();
        g.move({150, 30}), g.move(row.pointer);
        if (row.toolChosen) ResetTrackingState(), gCurTool = toolid::kSelect;
        else g.cancel();
        EXPECT_FALSE(TrackerLoopOpen() || g.running()) << row.what;
        const AttachmentRecord* r = AttachmentRecordOf(door);
        EXPECT_EQ(r->sideFlag, row.side) << row.what;
        EXPECT_NEAR(std::remainder(r->swingOrOffset, 2 * kPi), row.swing, 1e-5) << row.what;
        EXPECT_EQ(Titles(undo.actionNames.begin() + std::ptrdiff_t(steps), undo.actionNames.end()),
                  Titles{"Door Tool"})
            << row.what;
    }
}

TEST_F(WallOpenings, OverheadDoorsFaceByTheWallsWinding) {
    ds->doorStyle = 503;
    EXPECT_EQ(AttachmentRecordOf(Place(toolid::kDoor, {100, 0}, {100, 0}))->sideFlag,
              0); // two points
    Objex* room = Wall(doc->itsCurLayer, {{0, 300}, {200, 300}, {200, 500}});
    room->penWidth = 6;
    Objex* other = Wall(doc->itsCurLayer, {{0, 900}, {200, 900}, {200, 700}});
    other->penWidth = 6;
    gCurTool = toolid::kDoor;
    g.press({100, 300}), g.release({100, 300});
    g.press({100, 900}), g.release({100, 900});
    ASSERT_NE(room->firstChild, nullptr);
    ASSERT_NE(other->firstChild, nullptr);
    EXPECT_NE(AttachmentRecordOf(room->firstChild)->sideFlag,
              AttachmentRecordOf(other->firstChild)->sideFlag);
}

TEST_F(WallOpenings, AWindowSitsAtTheSillWithTheFlipsAndNoSwing) {
    gFlipWinHorizontal = 1, gFlipWinVertical = 1;
    Objex* window = Place(toolid::kWindow, {100, 0}, {100, 0});
    EXPECT_FALSE(TrackerLoopOpen());
    ASSERT_NE(window, nullptr);
    const AttachmentRecord* r = AttachmentRecordOf(window);
    EXPECT_EQ(EndsOf(window), (Ends{{82, 0}, {118, 0}}));
    EXPECT_EQ(std::tuple(window->type, r->style, r->elevation, r->sideFlag, r->directionFlag),
              std::tuple(objtype::kWindow, int16_t(600), 24.0f, uint8_t(1), int16_t(1)));
    alerts.shown.clear();
    ds->windowWidth = 206;
    Place(toolid::kWindow, {100, 0}, {100, 0});
    EXPECT_EQ(Shown(), Titles{"Unable to place window on wall segment."});
}

TEST_F(WallOpenings, ACustomWindowReadsTheSelectedDefinition) {
    // A definition of one opening outline, written from a scratch design.
    const std::string folder = LocalDomainCustomWindowPath();
    std::filesystem::create_directories(folder);
    QMDDocumentModel* keep = gCurDocument;
    QMDDocumentModel* scratch = QMDDocumentModel::alloc()->init();
    Make(objtype::kOpeningMask).on(scratch->itsCurLayer).at({{0, 0, 0}, {20, 30, 0}});
    ASSERT_EQ(KeyFileWrite((folder + "/arch.def").c_str()), 1);
    scratch->dealloc();
    gCurDocument = keep;
    SymEntryInfo entry;
    entry.objectData = "arch.def";
    SetContentPaletteSelectedSymEntryHandler([&] { return std::optional<SymEntryInfo>(entry); });
    SetContentPaletteSelectedCategoryHandler([] { return customdef::kWindowCategory; });
    ds->windowStyle = customdef::kWindowStyle;
    Objex* window = Place(toolid::kWindow, {100, 0}, {100, 0});
    SetContentPaletteSelectedSymEntryHandler(nullptr);
    SetContentPaletteSelectedCategoryHandler(nullptr);
    ASSERT_NE(window, nullptr);
    const AttachmentRecord* r = AttachmentRecordOf(window);
    ASSERT_NE(r->customParts[0], nullptr);
    EXPECT_EQ(r->customParts[0]->type, objtype::kOpeningMask);
    EXPECT_EQ(EndsOf(window), (Ends{{82, 0}, {118, 0}})); // refitted where it was placed
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(WallOpenings, MovingADoorDragsAnEndOrTheWholeOpening) {
    Objex* door = Place(toolid::kDoor, {100, 0}, {100, 0}); // 85..115
    AttachmentRecord* r = AttachmentRecordOf(door);
    struct Row {
        const char* what;
        bool point, second, segment;
        POINT to;
        float width, centre;
    };
    for (const Row& row :
         {Row{"the end out", true, true, false, {140, 0}, 55, 112.5f},
          Row{"the end in past 18", true, true, false, {90, 0}, 18, 94},
          Row{"the whole door", false, false, true, {60, 0}, 18, 60},
          Row{"a click that does not move", false, false, true, {100, 0}, 18, 60},
          Row{"a click on neither end nor the segment", false, false, false, {150, 0}, 18, 60}}) {
        SelectObj(door, selmode::kDeselect, 0);
        gClickInfo = ClickInfo{};
        gClickInfo.ciHit = 1, gClickInfo.ciObject = door;
        gClickInfo.ciPointHit = row.point, gClickInfo.ciSegmentHit = row.segment;
        gClickInfo.ciPoint = row.second ? door->firstPoint->next : door->firstPoint;
        gClickInfo.ciPoint2 = row.segment ? door->firstPoint->next : nullptr;
        const POINT at{int32_t(std::lround(row.segment ? r->centreDistance
                                                       : door->firstPoint->next->position[0])),
                       0};
        gClickInfo.ciWhere = row.segment && row.to.x == 100 ? row.to : at;
        TranslateWallAttachment();
        TrackEvent drag{trackevent::kLeftMouseDragged, row.to},
            up{trackevent::kLeftMouseUp, row.to};
        DeliverToTrackerLoop(drag), DeliverToTrackerLoop(up);
        EXPECT_FALSE(TrackerLoopOpen()) << row.what;
        EXPECT_FLOAT_EQ(r->width, row.width) << row.what;
        EXPECT_FLOAT_EQ(r->centreDistance, row.centre) << row.what;
        EXPECT_FLOAT_EQ(door->firstPoint->next->position[0] - door->firstPoint->position[0],
                        row.width)
            << row.what;
        EXPECT_EQ(door->firstPoint->selected, row.to.x == 100 ? 0 : 1) << row.what; // left selected
    }
}

TEST_F(WallOpenings, AnAccessoryStandsOffTheWallWithThePalettesMaterial) {
    gdsAccessoryWidth = 0, gdsAccessoryHeight = 0, gdsAccessoryElevation = 0,
    gdsAccessoryWallOffset = 10;
    ds->units = kImperialUnits;
    ds->currentPlanBit = 4;
    Objex* a = Place(toolid::kAccessory, {100, 0}, {100, -20});
    ASSERT_NE(a, nullptr);
    // 36 + 2 x 3 + 4 wide, 56 + 9 high, at 24 + 56 + 3 + 1.
    EXPECT_EQ(std::tuple(gdsAccessoryWidth, gdsAccessoryHeight, gdsAccessoryElevation),
              std::tuple(46.0f, 65.0f, 84.0f));
    const AttachmentRecord* r = AttachmentRecordOf(a);
    EXPECT_EQ(std::tuple(a->type, a->subtype, a->planBits, a->texture2, a->texture3, r->sideFlag,
                         r->swingOrOffset),
              std::tuple(objtype::kAccessory, 157, 4, 0, 0, uint8_t(1), 10.0f));
    ASSERT_EQ(a->pointCount, 3);
    const Poinz* third = a->firstPoint->next->next;
    EXPECT_FLOAT_EQ(third->position[0], 100);
    EXPECT_FLOAT_EQ(third->position[2], -13); // max(6, 10) + 6 / 2 towards the pointer
    EXPECT_EQ(objfield::accessory::kName(*a), nullptr);

    // Set once: a changed window leaves them.
    ds->windowWidth = 20;
    const std::string info = dir + "/accessory.ini";
    Write({}, "accessory.ini");
    {
        FILE* f = fopen(info.c_str(), "w");
        fputs("[Description]\nName=Shutter\n", f);
        fclose(f);
    }
    SymEntryInfo entry;
    entry.objectData = dir + "/shutter.png", entry.objectInfo = info;
    SetContentPaletteSelectedSymEntryHandler([&] { return std::optional<SymEntryInfo>(entry); });
    SetContentPaletteSelectedCategoryHandler([] { return int16_t(0); });
    Objex* b = Place(toolid::kAccessory, {100, 0}, {60, 30});
    EXPECT_EQ(gdsAccessoryWidth, 46.0f);
    EXPECT_GE(b->texture2, 20000);
    EXPECT_EQ(b->texture3, b->texture2);
    ASSERT_NE(objfield::accessory::kName(*b), nullptr);
    EXPECT_STREQ(objfield::accessory::kName(*b), "Shutter");
    EXPECT_EQ(AttachmentRecordOf(b)->sideFlag, 0);
    EXPECT_FLOAT_EQ(b->firstPoint->next->next->position[2], 13);

    // A name longer than the field is cut at 250 characters; "Done" names nothing.
    for (const auto& [written, kept] : {std::pair{std::string(300, 'x'), std::string(250, 'x')},
                                        std::pair{std::string("Done"), std::string()}}) {
        FILE* f = fopen(info.c_str(), "w");
        fputs(("[Description]\nName=" + written + "\n").c_str(), f);
        fclose(f);
        Objex* named = Place(toolid::kAccessory, {100, 0}, {100, 0});
        const char* name = objfield::accessory::kName(*named);
        EXPECT_EQ(name ? std::string(name) : std::string(), kept) << written.size();
    }

    // Off the wall the alert shows in any view.
    SetView(0, 0);
    alerts.shown.clear();
    Place(toolid::kAccessory, {100, 80}, {100, 80});
    EXPECT_EQ(Shown(), Titles{"Wall segment not found."});
    SetContentPaletteSelectedSymEntryHandler(nullptr);
    SetContentPaletteSelectedCategoryHandler(nullptr);
}

} // namespace
