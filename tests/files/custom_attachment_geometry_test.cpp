// The parts a custom door or window builds from its definition: sizes and scale factors, the
// hardware spread, the outline planes on both wall faces and the placement on the wall.
// The document draws at scale 36, so one inch is two plan units.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "files/custom_definitions.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTol = 1e-3f;

struct P {
    float h, v, d;
};

// A loose part (not on a layer) through the points.
Objex* Part(int16_t type, std::initializer_list<P> pts, bool closed = false) {
    Objex* o = NewObject(type);
    o->closed = closed ? 1 : 0;
    o->rows = 1;
    for (const P& p : pts) AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, p.h, p.v, p.d, 0, 0, 0, 0, 0, 0, o), o);
    return o;
}

std::vector<Objex*> ListOf(Objex* head) {
    std::vector<Objex*> v;
    for (Objex* o = head; o; o = o->next) v.push_back(o);
    return v;
}

class CustomGeometryTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ASSERT_FLOAT_EQ(ds->planScale, 36.0f);
    }

    // A wall from `start` at `degrees` with a custom door whose points P1, P2 lie `length`
    // apart from `start` along the wall.
    Objex* Door(P start, float degrees, float length) {
        wall = NewObjectOn(doc->itsCurLayer, objtype::kWall);
        const float a = degrees * kPi / 180.0f;
        const P end{start.h + 2 * length * std::cos(a), 0, start.d - 2 * length * std::sin(a)};
        for (const P& p : {start, end})
            AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, p.h, p.v, p.d, 0, 0, 0, 0, 0, 0, wall), wall);
        Objex* door = NewObject(objtype::kDoor);
        const P p2{start.h + length * std::cos(a), 0, start.d - length * std::sin(a)};
        for (const P& p : {start, p2})
            AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, p.h, p.v, p.d, 0, 0, 0, 0, 0, 0, door), door);
        record = new AttachmentRecord{};
        record->ownerType = objtype::kDoor;
        record->style = customdef::kDoorStyle;
        door->typeData = TypeData::OfAttachment(record);
        AppendChildToObject(door, wall);
        door->layer = doc->itsCurLayer;
        return door;
    }

    void Add(int list, Objex* part, Objex* owner) {
        part->parent = owner;
        Objex** at = &record->customParts[list];
        while (*at) at = &(*at)->next;
        if (Objex* tail = record->customParts[list]) {
            while (tail->next) tail = tail->next;
            part->prev = tail;
        }
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
    AttachmentRecord* record = nullptr;
};

TEST_F(CustomGeometryTest, BodyPartsAreScaledToTheOpening) {
    Objex* door = Door({100, 0, 50}, 0.0f, 18.0f);
    record->width = 18.0f;
    record->height = 96.0f;
    Add(0, Outline(), door);
    // The body is the outline drawn as a band 2 wide, 1 on either side of it.
    Objex* body = Part(objtype::kWindowSeparator, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true);
    body->penWidth = 2.0f;
    Add(1, body, door);

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
    EXPECT_EQ(parts[0]->type, objtype::kWindowSeparator);
    EXPECT_EQ(record->customParts[1], body);  // the definition part itself is untouched
    EXPECT_NEAR(Box(body).floatRight, 18.0f, kTol);
}

TEST_F(CustomGeometryTest, MissingOrFlatOutlinesGiveNoSizeOrUnitFactor) {
    Objex* door = Door({0, 0, 0}, 0.0f, 18.0f);
    record->width = 18.0f;
    record->height = 96.0f;
    Objex* body = Part(objtype::kWindowSeparator, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true);
    body->penWidth = 2.0f;
    Add(1, body, door);
    // Parts of an earlier build go when the opening is rebuilt.
    record->generatedParts = Part(objtype::kFrameGroup, {{0, 0, 0}, {1, 0, 0}});

    float w = -1, h = -1;
    GetCustomAttachmentWidthAndHeight(record, &w, &h);
    EXPECT_EQ(w, 0.0f);
    EXPECT_EQ(h, 0.0f);
    UpdateCustomAttachment(door);
    EXPECT_EQ(record->generatedParts, nullptr);

    // An outline with no height: the body keeps its height, its width is still halved.
    Add(0, Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}}), door);
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
    EXPECT_EQ(sw, 0.0f);
    EXPECT_EQ(sh, 0.0f);
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
    Objex* door = Door({0, 0, 0}, 0.0f, 36.0f);
    record->width = 36.0f;
    record->height = 48.0f;
    door->texture = 2218;
    door->penColor = RGBColor{100, 200, 300};
    door->textureScales[4] = ShortPoint{50, 60};
    Add(0, Outline(), door);
    for (float fifth : {10.0f, 15.0f, 20.0f}) {
        Objex* knob = Part(objtype::kDoorHardware, {{0, 10, 0}, {2, 10, 0}});
        knob->params[4] = fifth;
        Add(2, knob, door);
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
        EXPECT_EQ(p->texture1, 0);
        EXPECT_EQ(p->texture2, 0);
        EXPECT_EQ(p->color1, (RGBColor{65535, 65535, 65535}));
        EXPECT_EQ(p->color2, (RGBColor{65535, 65535, 65535}));
        EXPECT_EQ(p->faceScale1.x, 50);
    }
    const Poinz* q = parts[0]->firstPoint;
    EXPECT_EQ(q->texture1, 2218);
    EXPECT_EQ(q->color2, (RGBColor{100, 200, 300}));
    EXPECT_EQ(q->faceScale2.y, 60);
    EXPECT_EQ(parts[0]->textureScales[0].x, 50);

    // All alike: every one ends at 1.0.
    for (Objex* o = record->customParts[2]; o; o = o->next) o->params[4] = 7.0f;
    UpdateCustomAttachment(door);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ListOf(record->generatedParts)[i]->params[4], 1.0f);
}

TEST_F(CustomGeometryTest, EachOutlineIsClosedOnBothWallFaces) {
    Objex* door = Door({100, 0, 50}, 0.0f, 36.0f);
    record->width = 36.0f;
    record->height = 48.0f;
    wall->penWidth = 6.0f;  // T = 3 inches = 6 plan units, + 2.1
    Objex* open = Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}});
    open->rows = 0;
    Add(0, open, door);

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
    Objex* door = Door({100, 0, 200}, 30.0f, 36.0f);
    record->width = 36.0f;
    record->height = 48.0f;
    record->elevation = 4.0f;
    wall->params[2] = 10.0f;  // B = 20 + 4
    ds->viewKind = 2;
    ds->curveSegments = 8;
    Add(0, Outline(), door);
    Add(2, Part(objtype::kDoorHardware, {{0, 0, 0}, {10, 0, 0}}), door);

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

    // The outline planes sit at M too, without the pivot's turn.
    const auto parts = ListOf(record->generatedParts);
    ASSERT_EQ(parts.size(), 3u);
    float mh = 0, md = 0;
    for (int i = 1; i < 3; ++i) {
        mh += (parts[i]->bounds3D.floatLeft + parts[i]->bounds3D.floatRight) / 4.0f;
        md += (parts[i]->bounds3D.floatBack + parts[i]->bounds3D.floatFront) / 4.0f;
    }
    EXPECT_NEAR(mh, 115.5885f, kTol);
    EXPECT_NEAR(md, 191.0f, kTol);
    EXPECT_EQ(ds->viewKind, 2);
    EXPECT_EQ(ds->curveSegments, 8);
}

TEST_F(CustomGeometryTest, CurvedBodiesFollowTheRenderQualityAndNothingHappensWithoutTheWall) {
    Objex* door = Door({0, 0, 0}, 0.0f, 36.0f);
    record->width = 36.0f;
    record->height = 48.0f;
    ds->curveSegments = 12;
    ds->viewKind = 2;
    ds->detailValueA = 4;
    Add(0, Outline(), door);
    // An arch: one curved segment, drawn in the front view.
    Objex* arch = NewObject(objtype::kWindowSeparator);
    arch->rows = 1;
    arch->penWidth = 1.0f;
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, -18, 24, 0, 0, 30, 0, 0, 0, 0, arch), arch);
    AppendPointToObject(CreatePoint(1, 0, 0, 0, -30, 0, 18, 24, 0, 0, 0, 0, 0, 0, 0, arch), arch);
    Add(1, arch, door);

    UpdateCustomAttachment(door);
    ASSERT_NE(record->generatedParts, nullptr);
    // Four straight pieces, five points on each side of the band.
    EXPECT_EQ(record->generatedParts->pointCount, 10);
    EXPECT_EQ(ds->curveSegments, 12);
    EXPECT_EQ(ds->viewKind, 2);

    Objex* before = record->generatedParts;
    UnlinkObject(door);
    door->parent = nullptr;
    UpdateCustomAttachment(door);
    EXPECT_EQ(record->generatedParts, before);
    DeleteObj(door);
}

}  // namespace
