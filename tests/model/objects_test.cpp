// Creating, linking, unlinking and finding layers, objects and points; groups; the view ID.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/view_state.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class ObjectsTest : public DocumentTest {
protected:
    Layer* first() { return doc->itsLayers; }
};

TEST_F(ObjectsTest, CreationTakesConsecutiveIDsAndDefaults) {
    doc->itsDocState->plantAge = 5.5f;
    doc->itsDocState->currentElevation = 96.0f;
    Objex* a = Make(objtype::kRectangle);
    Objex* b = Make(objtype::kPlant);
    EXPECT_EQ(b->objectID, a->objectID + 1);
    EXPECT_FLOAT_EQ(a->plantAge, 5.5f);
    EXPECT_FLOAT_EQ(a->elevation, 96.0f);

    Poinz* p = NewPoint({1, 2, 3}, a);
    Poinz* q = NewPoint({4, 5, 6}, a);
    EXPECT_EQ(q->pointID, p->pointID + 1);
    delete p;
    delete q;

    // Without a document a point is refused and no ID is taken.
    const uint32_t next = doc->itsDocState->nextPointID;
    gCurDocument = nullptr;
    EXPECT_EQ(NewPoint({0, 0, 0}), nullptr);
    Objex* loose = Make(objtype::kLine);
    EXPECT_EQ(loose->objectID, 0u);
    gCurDocument = doc;
    EXPECT_EQ(doc->itsDocState->nextPointID, next);
    DeleteObj(loose);
    DeleteObj(a);
    DeleteObj(b);
}

TEST_F(ObjectsTest, LayerNamesAreCutTo255Bytes) {
    const std::string longName(300, 'x');
    Layer* l = CreateLayer(longName.c_str(), 1, 0, nullptr);
    EXPECT_EQ(std::strlen(l->name), 255u);
    EXPECT_FLOAT_EQ(l->height, 96.0f);
    Layer* unnamed = CreateLayer(nullptr, 0, 0, nullptr);
    EXPECT_STREQ(unnamed->name, "");
    DeleteLayer(l);
    DeleteLayer(unnamed);
}

TEST_F(ObjectsTest, AppendingAndUnlinkingKeepsListsLinkedBothWays) {
    Objex* a = Make(objtype::kLine).on(first());
    EXPECT_EQ(first()->firstObject, a);
    Objex* b = Make(objtype::kLine).on(first());
    Objex* c = Make(objtype::kLine).on(first());
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->prev, a);

    EXPECT_EQ(UnlinkObject(a), a);
    EXPECT_EQ(first()->firstObject, b);
    EXPECT_EQ(b->prev, nullptr);
    EXPECT_EQ(a->layer, nullptr);
    UnlinkObject(c);
    EXPECT_EQ(b->next, nullptr);
    EXPECT_EQ(CountObjects(first()->firstObject), 1);

    // Unlinking the first child of a group moves the group's head.
    Objex* group = Make(objtype::kGroup).on(first());
    gGroupLeader = group;
    GroupObject(a);
    GroupObject(c);
    GroupObject(group);  // the leader itself is not grouped
    EXPECT_EQ(group->firstChild, a);
    EXPECT_EQ(a->parent, group);
    EXPECT_EQ(a->layer, nullptr);
    EXPECT_EQ(c->prev, a);
    UnlinkObject(a);
    EXPECT_EQ(group->firstChild, c);
    EXPECT_EQ(c->prev, nullptr);
    EXPECT_EQ(a->parent, group);  // left as it was
    a->parent = nullptr;
    DeleteObj(a);
}

TEST_F(ObjectsTest, PointInsertion) {
    Objex* poly = Make(objtype::kPolygon).on(first()).line(3);
    Poinz* p0 = PointAt(poly, 0);
    Poinz* p2 = PointAt(poly, 2);
    p0->selected = 1;
    p0->baseElevation = 8;
    p0->position[1] = 30;

    // After the last point the new one copies the first point.
    Poinz* added = NewPoint({99, 1, 2});
    InsertPointInObjectAndUpdatePointInfo(added, poly, p2);
    EXPECT_EQ(poly->pointCount, 4);
    EXPECT_EQ(p2->next, added);
    EXPECT_EQ(added->prev, p2);
    EXPECT_EQ(added->owner, poly);
    EXPECT_EQ(added->selected, 1);
    EXPECT_FLOAT_EQ(added->baseElevation, 8.0f);
    EXPECT_FLOAT_EQ(added->position[1], 1.0f);  // not a deck: own height kept

    // At the head.
    Poinz* head = NewPoint({-5, 0, 0});
    InsertPointInObject(head, poly, nullptr);
    EXPECT_EQ(poly->firstPoint, head);
    EXPECT_EQ(p0->prev, head);
    EXPECT_EQ(poly->pointCount, 5);

    // Decks take the neighbour's height; walls refuse.
    Objex* deck = Make(objtype::kDeck).on(first()).line(2);
    PointAt(deck, 1)->position[1] = 24;
    Poinz* mid = NewPoint({5, 0, 0});
    InsertPointInObjectAndUpdatePointInfo(mid, deck, PointAt(deck, 0));
    EXPECT_FLOAT_EQ(mid->position[1], 24.0f);

    Objex* wall = Make(objtype::kWall).on(first()).line(2);
    Poinz* refused = NewPoint({5, 0, 0});
    InsertPointInObjectAndUpdatePointInfo(refused, wall, PointAt(wall, 0));
    EXPECT_EQ(wall->pointCount, 2);
    EXPECT_EQ(refused->owner, nullptr);
    delete refused;
}

TEST_F(ObjectsTest, DeletingLayersMovesTheDocumentsPointers) {
    Layer* f = first();
    Layer* second = f->next;
    Make(objtype::kLine).on(f);
    DeleteLayer(f);
    EXPECT_EQ(doc->itsLayers, second);
    EXPECT_EQ(doc->itsCurLayer, second);
    EXPECT_EQ(second->prev, nullptr);

    // The current layer in the middle falls back to its predecessor.
    Layer* third = second->next;
    Layer* fourth = CreateLayer("Fourth", 1, 1, nullptr);
    AppendLayerToDocument(fourth);
    doc->itsCurLayer = third;
    DeleteLayer(third);
    EXPECT_EQ(doc->itsCurLayer, second);
    EXPECT_EQ(second->next, fourth);
    EXPECT_EQ(fourth->prev, second);

    // The 2D view and topography layers are not left pointing at freed layers.
    doc->itsCur2DLayer = fourth;
    DeleteLayer(fourth);
    EXPECT_EQ(doc->itsCur2DLayer, nullptr);
    Layer* topo = CreateLayer("TopoLayer", 1, 1, nullptr);
    doc->itsTopoLayer = topo;
    Make(objtype::kTopography).on(topo);
    DeleteLayer(topo);
    EXPECT_EQ(doc->itsTopoLayer, nullptr);
    EXPECT_EQ(doc->itsLayers, second);

    DeleteLayer(second);
    EXPECT_EQ(doc->itsLayers, nullptr);
    EXPECT_EQ(doc->itsCurLayer, nullptr);

    // An empty document takes its first appended layer as current.
    Layer* fresh = CreateLayer("Fresh", 1, 1, nullptr);
    AppendLayerToDocument(fresh);
    EXPECT_EQ(doc->itsLayers, fresh);
    EXPECT_EQ(doc->itsCurLayer, fresh);
}

TEST_F(ObjectsTest, Lookups) {
    Layer* second = first()->next;
    Objex* top = Make(objtype::kGroup).on(second);
    Objex* child = Make(objtype::kRectangle).in(top);
    Make(top).line(1);
    Make(child).line(2);
    Objex* grandChild = Make(objtype::kLine).in(child).line(1);
    const uint32_t childPoint = PointAt(child, 1)->pointID;

    EXPECT_EQ(GetObjectFromPointID(childPoint), child);
    EXPECT_EQ(GetPointFromPointID(childPoint), nullptr);
    EXPECT_EQ(GetPointFromPointID(top->firstPoint->pointID), top->firstPoint);
    EXPECT_EQ(GetObjectFromPointID(grandChild->firstPoint->pointID), nullptr);
    EXPECT_EQ(GetObjectFromObjectID(child->objectID), child);
    EXPECT_EQ(GetObjectFromObjectID(grandChild->objectID), nullptr);
    EXPECT_EQ(GetObjectFromObjectID(999999), nullptr);
    EXPECT_EQ(FindObjectWithID(top->objectID), nullptr);  // not on the current layer
    doc->itsCurLayer = second;
    EXPECT_EQ(FindObjectWithID(top->objectID), top);
    EXPECT_EQ(GetRootObject(grandChild), top);
    EXPECT_EQ(GetRootObject(top), top);
    EXPECT_EQ(GetLayerFromName("Second Floor"), second);
    EXPECT_EQ(GetLayerFromName("second floor"), nullptr);
    EXPECT_FLOAT_EQ(GetLayerAbsBaseHeight(nullptr), 0.0f);

    top->groupKind = groupkind::kSymbolEditor;
    EXPECT_TRUE(IsObjectSymbolEditorObject(grandChild));
    EXPECT_FALSE(IsObjectSectionDetailObject(grandChild));
    top->groupKind = groupkind::kSectionDetail;
    EXPECT_TRUE(IsObjectSectionDetailObject(child));
}

TEST_F(ObjectsTest, CurrentViewFromAngles) {
    struct Case {
        float x, y;
        uint8_t perspective;
        float factor;
        int32_t view;
    };
    const Case cases[] = {
        {90, 0, 0, 1, 5149},     {89.6f, 0.4f, 0, 1, 5149}, {0, 270, 0, 1, 5151},
        {0, 90, 0, 1, 5152},     {0, 0, 0, 1, 5153},        {0, 180, 0, 1, 5154},
        {90, 0, 1, 1, 5179},     {30, 45, 1, 6, 5155},      {30, 45, 0, 6, 5162},
        {30, 45, 1, 2.5f, 0},    {30, 45, 0, 2.5f, 5162},   {0, 45, 0, 1, 5162},
    };
    for (const Case& c : cases) {
        gXViewAngle = c.x;
        gYViewAngle = c.y;
        gPerspective = c.perspective;
        gViewFactor = c.factor;
        EXPECT_EQ(GetCurrentView(), c.view) << c.x << "," << c.y << " p" << int(c.perspective) << " f" << c.factor;
    }
    gCurDocument = nullptr;
    EXPECT_EQ(GetCurrentView(), 0);
    gCurDocument = doc;
}

TEST_F(ObjectsTest, AWallIsDeletedWholeOnlyWithEveryPointSelected) {
    Objex* wall = Make(objtype::kWall).on(first()).line(3);
    EXPECT_FALSE(DeleteEntireWallObject(wall));
    for (Poinz* p = wall->firstPoint; p; p = p->next) p->selected = 1;
    EXPECT_TRUE(DeleteEntireWallObject(wall));
    EXPECT_TRUE(DeleteEntireWallObject(Make(objtype::kLine).on(first())));
    EXPECT_FALSE(DeleteEntireWallObject(nullptr));
}

}  // namespace
