// What the model and the readers ask of the rebuild table, seen through recording entries: the
// scopes each caller reaches, and nothing for a type or a scene nobody registered.
#include <gtest/gtest.h>

#include <vector>

#include "model/document_model.h"
#include "model/object_rebuild.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"
#include "support/build.h"
#include "support/fixture.h"

namespace {

using namespace dvxtest;

std::vector<const Objex*> gAsked;
int gRefreshes = 0;

class RebuildTableTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        for (int16_t t : rebuild::RegisteredTypes()) rebuild::Register(t, nullptr);
        rebuild::RegisterScene({});
        gAsked.clear(), gRefreshes = 0;
        SetRefreshHandler([] { ++gRefreshes; });
        const auto ask = [](Objex* o) { gAsked.push_back(o); };
        rebuild::Register(objtype::kRoof, ask);
        rebuild::Register(objtype::kExcavation, ask, rebuild::Scope::Terrain);
        rebuild::Register(objtype::kEntireLot, ask, rebuild::Scope::Lot);
    }
    Objex* Object(int16_t type) { return Outline(type, {{0, 0}, {9, 0}, {9, 9}}).on(doc->itsLayers); }
};

TEST_F(RebuildTableTest, EachCallerReachesItsScopesOnly) {
    enum Caller { Full, FullNoRefresh, Short, Read };
    struct Row { Caller caller; int16_t type; bool asked; int refreshes; };
    const Row rows[] = {
        {Full, objtype::kRoof, true, 1},       {FullNoRefresh, objtype::kRoof, true, 0},
        {Short, objtype::kRoof, true, 1},      {Read, objtype::kRoof, true, 0},
        {Full, objtype::kExcavation, true, 0}, {Short, objtype::kExcavation, false, 0},
        {Read, objtype::kExcavation, true, 0}, {Full, objtype::kEntireLot, true, 0},
        {Short, objtype::kEntireLot, false, 0}, {Read, objtype::kEntireLot, false, 0},
        {Full, objtype::kWall, false, 0},      {Read, objtype::kWall, false, 0},
    };
    for (const Row& r : rows) {
        Objex* o = Object(r.type);
        gAsked.clear(), gRefreshes = 0;
        bool ran = false;
        switch (r.caller) {
        case Full: ran = RebuildObjectByType(o, RebuildTable::Full); break;
        case FullNoRefresh: ran = RebuildObjectByType(o, RebuildTable::Full, false); break;
        case Short: ran = RebuildObjectByType(o, RebuildTable::Short); break;
        case Read: ran = RebuildObjectByType(o, RebuildTable::Read, false); break;
        }
        EXPECT_EQ(ran, r.asked) << r.caller << " " << r.type;
        EXPECT_EQ(gAsked, r.asked ? std::vector<const Objex*>{o} : std::vector<const Objex*>{}) << r.caller;
        EXPECT_EQ(gRefreshes, r.refreshes) << r.caller << " " << r.type;
    }
}

}  // namespace
