// The rebuild table as start-up fills it: every type it knows builds its pieces, and after a
// move the pieces are built again where the object now is.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_rebuild.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "support/build.h"
#include "support/fixture.h"

namespace {

using namespace dvxtest;
using Rebuilds = DocumentTest;

// How many pieces hang on the object and the least H of their points.
void Gather(const Objex* o, int& count, float& west) {
    for (; o; o = o->next, ++count) {
        for (const Poinz* q = o->firstPoint; q; q = q->next) west = std::min(west, q->position[0]);
        Gather(o->firstPart, count, west);
    }
}
std::pair<int, float> PiecesOf(const Objex* o) {
    int count = 0;
    float west = 1e30f;
    for (const Objex* head : {o->firstPart, o->typeData.roofPanels, o->typeData.wallSolid}) Gather(head, count, west);
    return {count, west};
}

TEST_F(Rebuilds, EveryRegisteredTypeBuildsPiecesThatFollowAMove) {
    enum class Expect { Pieces, Lot, Members };
    struct Row { int16_t type; Expect expect; std::function<void(Objex*)> dress; };
    namespace f = objfield;
    const auto floor = [](Objex* o) { f::floors::kThickness(*o) = 6; };
    const Row rows[] = {
        {objtype::kWall, Expect::Pieces, {}}, {objtype::kFloor, Expect::Pieces, floor},
        {objtype::kFloorCutout, Expect::Pieces, floor}, {objtype::kCabinetPart, Expect::Pieces, floor},
        {objtype::kRoof, Expect::Pieces, {}}, {objtype::kPath, Expect::Pieces, {}},
        {objtype::kDeck, Expect::Pieces, {}}, {objtype::kFreehandRoof, Expect::Pieces, {}},
        {objtype::kPhoto, Expect::Pieces, {}},
        {objtype::kExcavation, Expect::Pieces, [](Objex* o) { f::excavation::kDepth(*o) = 10; }},
        {objtype::kStaircase, Expect::Pieces,
         [](Objex* o) {
             f::stair::kWidth(*o) = 48, f::stair::kRiser(*o) = 7, f::stair::kTread(*o) = 10;
             f::stair::kFloorHeight(*o) = 21;
         }},
        {objtype::kEdging, Expect::Pieces, {}}, {objtype::kFence, Expect::Pieces, [](Objex* o) { f::fence::kStyle(*o) = 700; }},
        {objtype::kRailing, Expect::Pieces, {}}, {objtype::kTopography, Expect::Lot, {}},
        {objtype::kEntireLot, Expect::Lot, {}}, {objtype::kSlopeLot, Expect::Lot, {}},
        // A group builds its members, here a wall.
        {objtype::kGroup, Expect::Members, {}},
    };
    std::vector<int16_t> covered;
    for (const Row& r : rows) {
        covered.push_back(r.type);
        Objex* built = r.expect == Expect::Members ? Wall(doc->itsLayers, {{0, 0}, {200, 0}})
                                                    : Outline(r.type, {{0, 0}, {200, 0}, {200, 120}, {0, 120}}).on(doc->itsLayers);
        Objex* o = r.expect == Expect::Members ? Group(doc->itsLayers, {built}) : built;
        if (r.dress) r.dress(o);
        EXPECT_TRUE(RebuildObjectByType(o, RebuildTable::Full)) << r.type;
        const auto [count, west] = PiecesOf(built);
        for (Poinz* p = built->firstPoint; p; p = p->next) p->position[0] += 50;
        RebuildObjectByType(o, RebuildTable::Full);
        const auto [countAfter, westAfter] = PiecesOf(built);
        if (r.expect != Expect::Lot) {
            EXPECT_GT(count, 0) << r.type;
            EXPECT_EQ(countAfter, count) << r.type;
            EXPECT_NEAR(westAfter, west + 50, 1e-3f) << r.type;
        }
        if (r.expect == Expect::Lot) { EXPECT_EQ(countAfter, 0) << r.type; }
        // A command's rebuild (a resize, a copy) builds every piece but the lot's.
        EXPECT_EQ(RebuildObjectByType(o, RebuildTable::Short), r.expect != Expect::Lot) << r.type;
    }
    std::sort(covered.begin(), covered.end());
    EXPECT_EQ(covered, rebuild::RegisteredTypes(rebuild::kEveryScope));
}

}  // namespace
