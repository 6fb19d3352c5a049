// Elevation view layers: names by view, creation on first use, moving drafting objects and
// the visibility of each view's layer.
#include <gtest/gtest.h>

#include <cstring>

#include "model/document_model.h"
#include "model/objects.h"
#include "model/view_layers.h"
#include "support/build.h"

namespace dvxtest {
namespace {

class ViewLayers : public SelectionTest {
protected:
    Layer* Last() {
        Layer* l = doc->itsLayers;
        while (l->next) l = l->next;
        return l;
    }
};

TEST_F(ViewLayers, AskingTwiceAppendsOneLayerAtTheEnd) {
    const int before = CountLayers(doc->itsLayers);
    Layer* front = Get2DViewLayer(5153);
    ASSERT_NE(front, nullptr);
    EXPECT_STREQ(front->name, "X_FRONT");
    EXPECT_EQ(front->visible, 1);
    EXPECT_EQ(front->active, 1);
    EXPECT_EQ(Get2DViewLayer(5153), front);
    EXPECT_EQ(CountLayers(doc->itsLayers), before + 1);
    EXPECT_EQ(Last(), front);

    EXPECT_STREQ(Get2DViewLayerName(5151), "X_LEFT");
    EXPECT_STREQ(Get2DViewLayerName(5152), "X_RIGHT");
    EXPECT_STREQ(Get2DViewLayerName(5154), "X_BACK");
    EXPECT_STREQ(Get2DViewLayerName(5162), "X_TOP_FIRST_FLOOR");
}

TEST_F(ViewLayers, PlanLayerFollowsTheCurrentFloorByName) {
    Layer* second = GetLayerFromName("Second Floor");
    doc->itsCurLayer = second;
    Layer* plan = Get2DViewLayer(5149);
    ASSERT_NE(plan, nullptr);
    EXPECT_STREQ(plan->name, "X_TOP_SECOND_FLOOR");
    doc->itsCurLayer = GetLayerFromName("Third Floor");
    EXPECT_STREQ(Get2DViewLayerName(5149), "X_TOP_THIRD_FLOOR");

    doc->itsCurLayer = second;
    std::strcpy(second->name, "Mezzanine");
    EXPECT_STREQ(Get2DViewLayer(5149)->name, "X_TOP_FIRST_FLOOR");
}

TEST_F(ViewLayers, VisibilityShowsOnlyTheViewsLayer) {
    Layer* second = GetLayerFromName("Second Floor");
    second->visible = 0;
    Layer* top1 = Get2DViewLayer(5149);
    doc->itsCurLayer = second;
    Layer* top2 = Get2DViewLayer(5149);
    Layer* left = Get2DViewLayer(5151);
    Layer* front = Get2DViewLayer(5153);
    Layer* other = CreateLayer("Notes", 1, 1, nullptr);
    AppendLayerToDocument(other);
    Objex* note = Shape(left, objtype::kOldText, {{0, 0}, {10, 0}});
    Make(note).select();

    Set2DViewLayerVisibility(front);
    EXPECT_EQ(front->visible, 1);
    EXPECT_EQ(front->active, 1);
    EXPECT_EQ(left->visible, 0);
    EXPECT_EQ(left->active, 0);
    EXPECT_EQ(SelectedPointCount(note), 0);
    EXPECT_EQ(top1->visible, 1);  // its floor is shown
    EXPECT_EQ(top2->visible, 0);  // its floor is hidden
    EXPECT_EQ(top1->active, 0);
    EXPECT_EQ(top2->active, 0);
    EXPECT_EQ(other->visible, 1);
    EXPECT_EQ(other->active, 1);

    Set2DViewLayerVisibility(nullptr);
    EXPECT_EQ(front->visible, 0);
}

TEST_F(ViewLayers, DraftingObjectsMoveInOrderWithTheirMembers) {
    Objex* text = Shape(floor, objtype::kDimensionText, {{0, 0}});
    Objex* wall = Wall(floor, {{0, 0}, {10, 0}});
    Objex* label = Shape(floor, objtype::kOldText, {{0, 0}});
    Objex* linked = Shape(floor, objtype::kDimensionLinked, {{0, 0}, {5, 0}});
    Objex* inner = Shape(floor, objtype::kDimensionText, {{0, 0}});
    Objex* group = Group(floor, {inner});
    Objex* empty = Group(floor, {});

    Move2DObjectsTo2DLayer(floor, 5153);
    Layer* front = GetLayerFromName("X_FRONT");
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->firstObject, text);
    EXPECT_EQ(text->next, label);
    EXPECT_EQ(label->next, linked);
    EXPECT_EQ(linked->next, group);
    EXPECT_EQ(group->next, nullptr);
    EXPECT_EQ(inner->layer, front);
    EXPECT_EQ(floor->firstObject, wall);
    EXPECT_EQ(wall->next, empty);

    // Onto itself nothing moves.
    Move2DObjectsTo2DLayer(front, 5153);
    EXPECT_EQ(CountObjects(front->firstObject), 4);
}

}  // namespace
}  // namespace dvxtest
