// Linings and casings round openings, and custom profiles swept along wall faces. The window
// sits on the segment from (100, 0) to (100, 100) of a wall 6 thick (12 plan units), its
// centre 25 along, 2 above the base.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/openings/opening_trims.h"
#include "geometry/openings/wall_trim_sweep.h"
#include "model/deletion.h"
#include "model/lines.h"
#include "model/type_data.h"
#include "render/core/texture_files.h"
#include "support/build.h"
#include "support/scene_checks.h"

using namespace dvxtest;

namespace {

using Box = std::array<float, 6>;  // least and most H, V, D

Box BoxOf(const std::vector<PlaneObject*>& pieces) {
    Box b{1e9f, -1e9f, 1e9f, -1e9f, 1e9f, -1e9f};
    for (const PlaneObject* p : pieces)
        for (const Plane* plane : PlanesOf(p))
            for (uint32_t i = 0; i < plane->count; ++i) {
                const float c[3] = {plane->vertices[i].H, plane->vertices[i].V, plane->vertices[i].D};
                for (int k = 0; k < 3; ++k) b[2 * k] = std::min(b[2 * k], c[k]), b[2 * k + 1] = std::max(b[2 * k + 1], c[k]);
            }
    return b;
}

bool Matches(const Box& a, const Box& b) {
    for (int k = 0; k < 6; ++k)
        if (std::fabs(a[k] - b[k]) > 1e-3f) return false;
    return true;
}

class OpeningTrims : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        wall = TrimmedWall(floor, 3);
        window = Opening(wall, objtype::kWindow, 600, 1);
        record = window->typeData.attachment;
        gBase2DObject = wall;
    }
    void TearDown() override {
        DeleteAllRendererObjects();
        SelectionTest::TearDown();
    }
    // 30 by 80 from the origin, drawn either way round.
    static Objex* Rectangle(bool reversed) {
        return reversed ? Make(29).closed().at({{0, 0, 0}, {0, 80, 0}, {30, 80, 0}, {30, 0, 0}})
                        : Make(29).closed().at({{0, 0, 0}, {30, 0, 0}, {30, 80, 0}, {0, 80, 0}});
    }
    Objex* wall = nullptr;
    Objex* window = nullptr;
    AttachmentRecord* record = nullptr;
};

// Out 4 and back to 2, 1 deep: bands at offsets 4 -> 4 (0 to 1 deep), 4 -> 2 (1 deep) and 2 ->
// the edge itself; 3 off the centre at (100, 50), 10 under the outline.
const Float3DPoint kProfile[] = {{0, 0, 0}, {0, 0, 4}, {1, 0, 4}, {1, 0, 2}};

TEST_F(OpeningTrims, CasingBandsRingTheMaskOnEitherFaceAndCloseBackOnItsEdge) {
    const Box front[] = {{96, 134, -14, 74, 53, 54}, {96, 134, -14, 74, 54, 54}, {98, 132, -12, 72, 53, 54}};
    for (bool reversed : {false, true})
        for (int16_t back : {0, 1}) {
            DeleteAllRendererObjects();
            Objex* mask = Rectangle(reversed);
            BuildCustomTrimPlanes(record, mask, kProfile, 4, 0, 100, 0, 50, 3, 10, back);
            const auto pieces = PiecesOf(wall);
            ASSERT_EQ(pieces.size(), 12u);
            for (int band = 0; band < 3; ++band) {
                const std::vector<PlaneObject*> ring(pieces.begin() + 4 * band, pieces.begin() + 4 * band + 4);
                Box want = front[band];
                if (back) want[4] = 100 - front[band][5], want[5] = 100 - front[band][4];
                EXPECT_TRUE(Band(ring, 8) && Matches(BoxOf(ring), want)) << band << reversed << back;
            }
            const PlaneObject* p = pieces[0];
            EXPECT_TRUE(NormalsPerpendicular(pieces));
            EXPECT_TRUE(Near({p->pieceKind, p->frontTexture, p->backTexture, p->object3D == wall},
                             {1 + back, record->insideTrimTexture, record->outsideTrimTexture, 1}));
            EXPECT_EQ(mask->firstPoint->next->position[1], reversed ? 80 : 0);  // left as drawn
            DeleteObj(mask);
        }
    // A material dropped on a casing lands in the opening's record.
    *PiecesOf(wall)[0]->backColorField = RGBColor{7, 8, 9};
    EXPECT_EQ(record->outsideTrimColor.green, 8);

    // Without a record: plain texture, no colour. An open outline gets no plane across its
    // ends; too short an outline or profile builds nothing.
    DeleteAllRendererObjects();
    Objex* open = Make(29).at({{0, 0, 0}, {0, 80, 0}, {30, 80, 0}, {30, 0, 0}});
    BuildCustomTrimPlanes(nullptr, open, kProfile, 4, 0, 100, 0, 50, 3, 10, 0);
    const auto pieces = PiecesOf(wall);
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_TRUE(Near({pieces[0]->frontTexture, pieces[0]->backColor.red, pieces[0]->frontTextureSize[1], BoxOf(pieces)[2]},
                     {2203, 0xFFFF, 100, -10}, 1e-4)); // nothing below the open end
    Objex* dot = Make(29).closed().at({{0, 0, 0}});
    BuildCustomTrimPlanes(record, dot, kProfile, 4, 0, 100, 0, 50, 3, 10, 0);
    BuildCustomTrimPlanes(record, open, kProfile, 2, 0, 100, 0, 50, 3, 10, 0);
    EXPECT_EQ(PiecesOf(wall).size(), 9u);
    DeleteObj(open), DeleteObj(dot);
}

TEST_F(OpeningTrims, ContoursChainInProfileOrderToTheOutline) {
    Objex* outline = Make(29).closed().at({{0, 0, 0}, {30, 0, 0}, {30, 0, 80}, {0, 0, 80}});
    float depths[4] = {9, 9, 9, 9};
    EXPECT_FALSE(BuildTrimContours(2, kProfile, outline, depths));
    EXPECT_EQ(depths[0], 9);
    Objex* chain = BuildTrimContours(4, kProfile, outline, depths);
    ASSERT_TRUE(chain && chain->next && chain->next->next && chain->next->next->next == outline);
    EXPECT_TRUE(Near({depths[0], depths[1], depths[2], depths[3], chain->next->next->bounds3D.floatLeft},
                     {0, 1, 1, 0, -2}));
    chain->next->next->next = nullptr;
    DeleteObjectList(chain);
    DeleteObj(outline);
}

TEST_F(OpeningTrims, LiningSpansTheWallAlongEachMaskEdgeInTheChosenMaterial) {
    float length = 0;
    const float angle = GetLineLengthAndAngle(100, 0, 100, 100, &length);
    record->customParts[0] = Make(29).closed().at({{-15, 0, 0}, {15, 0, 0}, {15, 80, 0}, {-15, 80, 0}});
    struct Row {
        uint8_t insideFlag, outsideFlag;
        bool outsideProfile, outside;
    };
    for (const Row& row : {Row{0, 0, false, false}, Row{0, 1, false, false}, Row{0, 1, true, true}, Row{1, 1, true, false}}) {
        DeleteAllRendererObjects();
        record->insideCustomTrim = row.insideFlag, record->outsideCustomTrim = row.outsideFlag;
        record->outsideTrimProfile = row.outsideProfile ? Part(8) : nullptr;
        BuildInnerTrimPlanes(record, angle, 1, 0);
        const auto pieces = PiecesOf(wall);
        ASSERT_EQ(pieces.size(), 4u);
        for (PlaneObject* p : pieces) EXPECT_TRUE(Near({BoxOf({p})[0], BoxOf({p})[1]}, {94, 106}, 1e-3));
        EXPECT_TRUE(Matches(BoxOf(pieces), {94, 106, -3, 77, 10, 40}) && NormalsPerpendicular(pieces));
        const int32_t* want = row.outside ? &record->outsideTrimTexture : &record->insideTrimTexture;
        EXPECT_TRUE(Same({pieces[0]->frontTextureField, pieces[3]->backTextureField}, {want, want}));
        EXPECT_TRUE(Near({pieces[0]->pieceKind, pieces[0]->frontTexture}, {3, *want}));
        DeleteObj(record->outsideTrimProfile), record->outsideTrimProfile = nullptr;
    }
    // A custom window whose definition has no width keeps its outline's across and fits its height.
    record->style = 626;
    DeleteObjectList(record->customParts[0]);
    record->customParts[0] = Make(29).at({{0, 0, 0}, {0, 40, 0}});
    DeleteAllRendererObjects();
    BuildInnerTrimPlanes(record, angle, 1, 1);
    EXPECT_TRUE(Matches(BoxOf(PiecesOf(wall)), {94, 106, -3, 77, 25, 25}));
}

TEST_F(OpeningTrims, PicksGoToTheOpeningThroughItsPiecesOrCustomParts) {
    EXPECT_TRUE(GetAttachmentObjectHdl(nullptr) == wall && GetAttachmentObjectHdl(record) == wall);
    AppendObjectToList(record->generatedParts, Part(900));
    record->generatedParts->parent = window;
    EXPECT_EQ(GetAttachmentObjectHdl(record), window);
    record->style = 626;  // the custom lists in the order 1, 3, 2, 4 ... 7
    EXPECT_EQ(GetAttachmentObjectHdl(record), wall);
    Objex* owners[7] = {};
    for (int list : {6, 1, 2, 0}) {
        owners[list] = Make(9).at({{0, 0, 0}});
        record->customParts[list] = Part(61);
        record->customParts[list]->parent = owners[list];
        EXPECT_EQ(GetAttachmentObjectHdl(record), owners[list]) << list;
    }
    record->customParts[0]->parent = nullptr;
    EXPECT_EQ(GetAttachmentObjectHdl(record), owners[2]);
    for (Objex* o : owners) DeleteObj(o);
}

}  // namespace
