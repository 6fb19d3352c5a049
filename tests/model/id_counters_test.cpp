// Object and point IDs after a plug-in tool hands objects back.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/id_counters.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class IDCountersTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }
};

TEST_F(IDCountersTest, CountersRiseAboveEveryIDAndNeverFall) {
    Objex* group = Make(objtype::kGroup).on(doc->itsLayers->next);
    Objex* child = Make(objtype::kRectangle).in(group);
    Objex* grandChild = Make(objtype::kLine).in(child).line(2);
    // IDs handed back by a tool.
    grandChild->objectID = 500;
    PointAt(grandChild, 1)->pointID = 900;
    Layer* topo = CreateLayer("TopoLayer", 1, 1, nullptr);
    doc->itsTopoLayer = topo;
    Make(objtype::kTopography).on(topo)->objectID = 600;

    UpdateAllIDCounters();
    EXPECT_EQ(ds()->nextObjectID, 601u);
    EXPECT_EQ(ds()->nextPointID, 901u);

    ds()->nextObjectID = 5000;
    ds()->nextPointID = 7000;
    UpdateAllIDCounters();
    EXPECT_EQ(ds()->nextObjectID, 5000u);
    EXPECT_EQ(ds()->nextPointID, 7000u);
}

TEST_F(IDCountersTest, ValidatingStoredIDs) {
    Objex* a = Make(objtype::kRectangle).on(doc->itsLayers).line(2);
    Objex* child = Make(objtype::kLine).in(a);
    Objex* deep = Make(objtype::kLine).in(child);
    deep->objectID = 40;
    ds()->nextObjectID = 50;
    ds()->nextPointID = 60;

    EXPECT_EQ(ValidateObjectID(45), 45u);                 // free and below the counter
    EXPECT_EQ(ValidateObjectID(a->objectID), 50u);        // in use
    EXPECT_EQ(ValidateObjectID(40), 51u);                 // in use deep down
    EXPECT_EQ(ValidateObjectID(80), 52u);                 // above the counter
    EXPECT_EQ(ValidateObjectID(53), 53u);                 // at the counter: a fresh one
    EXPECT_EQ(ds()->nextObjectID, 54u);
    EXPECT_EQ(ValidateObjectID(53), 53u);                 // unused and below it now
    EXPECT_EQ(ds()->nextObjectID, 54u);

    EXPECT_EQ(ValidatePointID(55), 55u);
    EXPECT_EQ(ValidatePointID(a->firstPoint->pointID), 60u);
    EXPECT_EQ(ValidatePointID(200), 61u);
    EXPECT_EQ(ds()->nextPointID, 62u);
}

}  // namespace
