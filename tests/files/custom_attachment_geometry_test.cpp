// The parts a custom door or window builds from its definition: sizes and scale factors, the
// hardware spread, the outline planes on both wall faces and the placement on the wall.
// The document draws at scale 36, so one inch is two plan units.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "files/custom_definitions.h"
#include "support/records.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTol = 1e-3f;

struct P {
    float h, v, d;
};

// A loose part (not on a layer) through the points.
Objex* Part(int16_t type, std::initializer_list<P> pts, bool closed = false) {
    Objex* o = Make(type);
    o->closed = closed ? 1 : 0;
    o->rows = 1;
    for (const P& p : pts) AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, p.h, p.v, p.d, 0, 0, 0, 0, 0, 0, o), o);
    return o;
}

class CustomGeometryTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ASSERT_FLOAT_EQ(ds->planScale, 36.0f);
    }

    // A wall from `start` at `degrees` holding a custom door w by h whose points P1, P2 lie
    // `length` apart from `start` along the wall.
    void Door(P start, float degrees, float length, float w, float h) {
        const float c = std::cos(degrees * kPi / 180.0f), s = std::sin(degrees * kPi / 180.0f);
        wall = Part(objtype::kWall, {start, {start.h + 2 * length * c, 0, start.d - 2 * length * s}});
        AppendObjectToLayer(wall, doc->itsCurLayer);
        door = Part(objtype::kDoor, {start, {start.h + length * c, 0, start.d - length * s}});
        record = new AttachmentRecord{};
        record->style = customdef::kDoorStyle;
        record->width = w;
        record->height = h;
        Make(door).with(record);
        Make(door).in(wall);
        door->layer = doc->itsCurLayer;
    }

    void Add(int list, Objex* part) {
        part->parent = door;
        Objex** at = &record->customParts[list];
        for (; *at; at = &(*at)->next) part->prev = *at;
        *at = part;
    }

    // The definition outline, 36 wide and 48 high, centred on H 0.
    Objex* Outline() { return Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true); }

    static Float3DRect Box(Objex* o) {
        Float3DRect b = EmptyFloat3DRect();
        GetObject3DBounds(o, 0, &b, 0);
        return b;
    }

    DocState* ds = nullptr;
    Objex* wall = nullptr;
    Objex* door = nullptr;
    AttachmentRecord* record = nullptr;
};

TEST_F(CustomGeometryTest, BodyPartsAreScaledToTheOpening) {
    Door({100, 0, 50}, 0.0f, 18.0f, 18.0f, 96.0f);
    Add(0, Outline());
    // The body is the outline drawn as a band 2 wide, 1 on either side of it.
    Objex* body = Part(objtype::kWindowSeparator, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true);
    body->penWidth = 2.0f;
    Add(1, body);

    float w = 0, h = 0;
    GetCustomAttachmentWidthAndHeight(record, &w, &h);
    EXPECT_FLOAT_EQ(w, 36.0f);
    EXPECT_FLOAT_EQ(h, 48.0f);

    UpdateCustomAttachment(door);
    const auto parts = ListOf(record->generatedParts);
    ASSERT_EQ(parts.size(), 3u);  // the body, then the outline on each face
    // Band -19..19 by -1..49, scaled by 0.5 and 2, centred on M (109, 50) just off the wall.
    const Float3DRect b = Box(parts[0]);
    EXPECT_NEAR(b.floatLeft, 109.0f - 9.5f, kTol);
    EXPECT_NEAR(b.floatRight, 109.0f + 9.5f, kTol);
    EXPECT_NEAR(b.floatTop, -2.0f, kTol);
    EXPECT_NEAR(b.floatBottom, 98.0f, kTol);
    EXPECT_NEAR(b.floatBack, 50.1f, kTol);
    EXPECT_NEAR(b.floatFront, 50.1f, kTol);
    EXPECT_EQ(parts[0]->parent, door);
    EXPECT_NEAR(Box(body).floatRight, 18.0f, kTol);  // the definition part itself is untouched
}

TEST_F(CustomGeometryTest, MissingOrFlatOutlinesGiveNoSizeOrUnitFactor) {
    Door({0, 0, 0}, 0.0f, 18.0f, 18.0f, 96.0f);
    Objex* body = Part(objtype::kWindowSeparator, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true);
    body->penWidth = 2.0f;
    Add(1, body);
    // Parts of an earlier build go when the opening is rebuilt.
    record->generatedParts = Part(objtype::kFrameGroup, {{0, 0, 0}, {1, 0, 0}});

    float w = -1, h = -1;
    GetCustomAttachmentWidthAndHeight(record, &w, &h);
    EXPECT_EQ(w + h, 0.0f);
    UpdateCustomAttachment(door);
    EXPECT_EQ(record->generatedParts, nullptr);

    // An outline with no height: the body keeps its height, its width is still halved.
    Add(0, Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}}));
    GetCustomAttachmentWidthAndHeight(record, &w, &h);
    EXPECT_FLOAT_EQ(w, 36.0f);
    EXPECT_EQ(h, 0.0f);
    UpdateCustomAttachment(door);
    ASSERT_NE(record->generatedParts, nullptr);
    const Float3DRect b = Box(record->generatedParts);
    EXPECT_NEAR(b.floatLeft, 9.0f - 9.5f, kTol);
    EXPECT_NEAR(b.floatRight, 9.0f + 9.5f, kTol);
    EXPECT_NEAR(b.floatTop, -1.0f, kTol);
    EXPECT_NEAR(b.floatBottom, 49.0f, kTol);

    // Skylights measure across H and D.
    RoofAttachmentRecord sky;
    float sw = -1, sh = -1;
    Float3DRect sb;
    GetCustomSkylightWHAndBounds(&sky, &sw, &sh, &sb);
    EXPECT_EQ(sw + sh, 0.0f);
    EXPECT_TRUE(IsEmptyBounds(sb));
    sky.partLists[0] = Part(objtype::kOpeningMask, {{10, 0, 20}, {40, 0, 20}, {40, 0, 44}});
    GetCustomSkylightWHAndBounds(&sky, &sw, &sh, &sb);
    EXPECT_FLOAT_EQ(sw, 30.0f);
    EXPECT_FLOAT_EQ(sh, 24.0f);
    EXPECT_FLOAT_EQ(sb.floatLeft, 10.0f);
    EXPECT_FLOAT_EQ(sb.floatFront, 44.0f);
    DeleteObj(sky.partLists[0]);
}

TEST_F(CustomGeometryTest, HardwareSpreadsItsFifthParameterAndWhitePartsBecome158) {
    Door({0, 0, 0}, 0.0f, 36.0f, 36.0f, 48.0f);
    door->texture = 2218;
    door->penColor = RGBColor{100, 200, 300};
    Add(0, Outline());
    for (float fifth : {10.0f, 15.0f, 20.0f}) {
        Objex* knob = Part(objtype::kDoorHardware, {{0, 10, 0}, {2, 10, 0}});
        knob->params[4] = fifth;
        Add(2, knob);
    }
    record->customParts[2]->next->params[3] = 4.0f;

    UpdateCustomAttachment(door);
    const auto parts = ListOf(record->generatedParts);
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_NEAR(parts[0]->params[4], 0.9f, 1e-6);
    EXPECT_NEAR(parts[1]->params[4], 0.95f, 1e-6);
    EXPECT_NEAR(parts[2]->params[4], 1.0f, 1e-6);

    EXPECT_EQ(parts[0]->type, objtype::kDoorHardware);
    EXPECT_EQ(parts[1]->type, objtype::kSkylightPart);
    for (Poinz* p = parts[1]->firstPoint; p; p = p->next) {
        EXPECT_EQ(p->texture1 | p->texture2, 0);
        EXPECT_EQ(p->color2, (RGBColor{65535, 65535, 65535}));
    }
    EXPECT_EQ(parts[0]->firstPoint->texture1, 2218);
    EXPECT_EQ(parts[0]->firstPoint->color2, (RGBColor{100, 200, 300}));

    // All alike: every one ends at 1.0.
    for (Objex* o = record->customParts[2]; o; o = o->next) o->params[4] = 7.0f;
    UpdateCustomAttachment(door);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ListOf(record->generatedParts)[i]->params[4], 1.0f);
}

TEST_F(CustomGeometryTest, EachOutlineIsClosedOnBothWallFaces) {
    Door({100, 0, 50}, 0.0f, 36.0f, 36.0f, 48.0f);
    wall->penWidth = 6.0f;  // T = 3 inches = 6 plan units, + 2.1
    Objex* open = Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}});
    open->rows = 0;
    Add(0, open);

    UpdateCustomAttachment(door);
    const auto parts = ListOf(record->generatedParts);
    ASSERT_EQ(parts.size(), 2u);
    const float faces[2] = {50.0f - 9.1f, 50.0f + 9.1f};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(parts[i]->type, objtype::kFrameGroup);
        EXPECT_EQ(parts[i]->closed, 1);
        EXPECT_EQ(parts[i]->rows, 1);
        EXPECT_EQ(parts[i]->flagA, 1);
        const Float3DRect b = parts[i]->bounds3D;
        EXPECT_NEAR(b.floatBack, faces[i], kTol);
        EXPECT_NEAR(b.floatFront, faces[i], kTol);
        EXPECT_NEAR(b.floatLeft, 100.0f, kTol);
        EXPECT_NEAR(b.floatRight, 136.0f, kTol);
    }
    EXPECT_EQ(open->closed, 0);
}

TEST_F(CustomGeometryTest, PartsSitAtTheCentreAndTurnAboutTheSidePivot) {
    // Wall at 30 degrees; P1 (100, 200), the opening 36 long, so M is 18 along the wall:
    // (100 + 18 cos 30, 200 - 18 sin 30) = (115.5885, 191).
    Door({100, 0, 200}, 30.0f, 36.0f, 36.0f, 48.0f);
    record->elevation = 4.0f;
    wall->params[2] = 10.0f;  // B = 20 + 4
    ds->viewKind = 2;
    ds->curveSegments = 8;
    Add(0, Outline());
    Add(2, Part(objtype::kDoorHardware, {{0, 0, 0}, {10, 0, 0}}));

    UpdateCustomAttachment(door);
    Poinz* a = record->generatedParts->firstPoint;
    EXPECT_NEAR(a->position[0], 115.5885f, kTol);
    EXPECT_NEAR(a->position[1], -24.0f, kTol);
    EXPECT_NEAR(a->position[2], 191.0f, kTol);
    // Ten along the definition's H runs ten along the wall.
    EXPECT_NEAR(a->next->position[0], 115.5885f + 8.6603f, kTol);
    EXPECT_NEAR(a->next->position[2], 191.0f - 5.0f, kTol);

    // A quarter turn: M, at 30 degrees from P1, goes to 120 degrees from P1, or from 210 to
    // 300 degrees about P2 (131.1769, 182).
    record->swingOrOffset = kPi / 2;
    record->sideFlag = 1;
    UpdateCustomAttachment(door);
    a = record->generatedParts->firstPoint;
    EXPECT_NEAR(a->position[0], 91.0f, kTol);
    EXPECT_NEAR(a->position[2], 200.0f - 15.5885f, kTol);
    record->sideFlag = 0;
    UpdateCustomAttachment(door);
    a = record->generatedParts->firstPoint;
    EXPECT_NEAR(a->position[0], 131.1769f + 9.0f, kTol);
    EXPECT_NEAR(a->position[2], 182.0f + 15.5885f, kTol);
    EXPECT_NEAR(a->position[1], -24.0f, kTol);

    EXPECT_EQ(ds->viewKind, 2);
    EXPECT_EQ(ds->curveSegments, 8);
}

}  // namespace
