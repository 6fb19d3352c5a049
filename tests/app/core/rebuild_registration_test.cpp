// The rebuild table as start-up fills it: every type it knows builds its pieces, and after a
// move the pieces are built again where the object now is.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "geometry/elements/rebuild_seams.h"
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

struct Pieces {
    int count = 0;
    float west = 1e30f;  // the least H of any piece point
};
void Gather(const Objex* o, Pieces& p) {
    for (; o; o = o->next) {
        ++p.count;
        for (const Poinz* q = o->firstPoint; q; q = q->next) p.west = std::min(p.west, q->position[0]);
        Gather(o->firstPart, p);
    }
}
Pieces PiecesOf(const Objex* o) {
    Pieces p;
    Gather(o->firstPart, p);
    Gather(o->typeData.roofPanels, p);
    Gather(o->typeData.wallSolid, p);
    return p;
}

TEST_F(Rebuilds, EveryRegisteredTypeBuildsPiecesThatFollowAMove) {
    enum class Expect { Pieces, Seam, Lot };
    struct Row { int16_t type; Expect expect; std::function<void(Objex*)> dress; };
    namespace f = objfield;
    const Row rows[] = {
        {objtype::kWall, Expect::Pieces, {}},
        {objtype::kFloor, Expect::Pieces, [](Objex* o) { f::floors::kThickness(*o) = 6; }},
        {objtype::kFloorCutout, Expect::Pieces, [](Objex* o) { f::floors::kThickness(*o) = 6; }},
        {objtype::kCabinetPart, Expect::Pieces, [](Objex* o) { f::floors::kThickness(*o) = 6; }},
        {objtype::kRoof, Expect::Pieces, {}},
        {objtype::kPath, Expect::Pieces, {}},
        {objtype::kDeck, Expect::Pieces, {}},
        {objtype::kFreehandRoof, Expect::Pieces, {}},
        {objtype::kPhoto, Expect::Pieces, {}},
        {objtype::kExcavation, Expect::Pieces, [](Objex* o) { f::excavation::kDepth(*o) = 10; }},
        {objtype::kStaircase, Expect::Pieces,
         [](Objex* o) {
             f::stair::kWidth(*o) = 48, f::stair::kRiser(*o) = 7, f::stair::kTread(*o) = 10;
             f::stair::kFloorHeight(*o) = 21;
         }},
        {objtype::kEdging, Expect::Seam, {}},
        {objtype::kFence, Expect::Seam, {}},
        {objtype::kRailing, Expect::Seam, {}},
        {objtype::kTopography, Expect::Lot, {}},
        {objtype::kEntireLot, Expect::Lot, {}},
        {objtype::kSlopeLot, Expect::Lot, {}},
    };
    // Railings, fences and edging reach their builders' seams until those land.
    std::vector<Objex*> seamed;
    const auto record = [&](Objex* o) { seamed.push_back(o); };
    SetUpdateEdgingObjectHandler(record), SetUpdateFenceObjectHandler(record), SetUpdateRailObjectHandler(record);

    std::vector<int16_t> covered;
    for (const Row& r : rows) {
        covered.push_back(r.type);
        Objex* o = Outline(r.type, {{0, 0}, {200, 0}, {200, 120}, {0, 120}}).on(doc->itsLayers);
        if (r.dress) r.dress(o);
        seamed.clear();
        const bool ranShort = RebuildObjectByType(o, RebuildTable::Short);
        EXPECT_EQ(ranShort, r.expect != Expect::Lot && r.type != objtype::kExcavation) << r.type;
        EXPECT_TRUE(RebuildObjectByType(o, RebuildTable::Full)) << r.type;
        const Pieces before = PiecesOf(o);
        for (Poinz* p = o->firstPoint; p; p = p->next) p->position[0] += 50;
        RebuildObjectByType(o, RebuildTable::Full);
        const Pieces after = PiecesOf(o);
        switch (r.expect) {
        case Expect::Pieces:
            EXPECT_GT(before.count, 0) << r.type;
            EXPECT_EQ(after.count, before.count) << r.type;
            EXPECT_NEAR(after.west, before.west + 50, 1e-3f) << r.type;
            break;
        case Expect::Seam:
            EXPECT_EQ(seamed, std::vector<Objex*>(ranShort ? 3 : 2, o)) << r.type;
            break;
        case Expect::Lot:
            EXPECT_EQ(after.count, 0) << r.type;
            break;
        }
    }
    std::sort(covered.begin(), covered.end());
    EXPECT_EQ(covered, rebuild::RegisteredTypes());
}

}  // namespace
