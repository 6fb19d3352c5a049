// Nested groups made by the group command through undo, redo and a saved design.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/content_paths.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class UndoTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo);
        gUndoActive = 1;
        InitializeUndo();
    }
    void TearDown() override {
        port::setDocumentUndo(nullptr);
        DocumentTest::TearDown();
    }
    Layer* first() { return GetLayerFromName("First Floor"); }

    RecordingUndo undo;
};

std::string GroupTree(const Objex* first) {
    std::string out;
    for (const Objex* o = first; o; o = o->next) {
        out += std::to_string(o->type) + "#" + std::to_string(o->objectID);
        if (o->firstPoint) out += "@" + std::to_string(o->firstPoint->position[0]);
        if (o->type == objtype::kGroup) out += "(" + GroupTree(o->firstChild) + ")";
        out += " ";
    }
    return out;
}

TEST_F(UndoTest, NestedGroupsComeBackThroughUndoAndRedoAndASavedDesignBracketsOnlyTheTop) {
    Objex* shapes[4];
    for (int i = 0; i < 4; ++i) shapes[i] = Make(9).on(first()).at({{10.0f * i, 0, 0}, {10.0f * i + 5, 0, 0}});
    auto group = [&](std::initializer_list<Objex*> members) {
        for (Objex* o = first()->firstObject; o; o = o->next) SelectObj(o, selmode::kDeselect, 0);
        for (Objex* m : members) SelectObj(m, selmode::kSelect, 0);
        GroupSelectedObjects(first());
        StoreUndo("Group");
        return gGroupLeader;
    };
    Objex* left = group({shapes[0], shapes[1]});
    Objex* right = group({shapes[2], shapes[3]});
    ASSERT_TRUE(left && right && left != right);
    const std::string twoGroups = GroupTree(first()->firstObject);
    Objex* outer = group({left, right});
    ASSERT_TRUE(outer && outer->firstChild == left && left->parent == outer);
    const std::string nested = GroupTree(first()->firstObject);
    ASSERT_NE(nested, twoGroups);
    const FloatRect leftBounds = left->bounds;  // the objects themselves go with each restore

    // Each step gives back exactly the tree that was there, nesting included.
    DoUndo();
    EXPECT_EQ(GroupTree(first()->firstObject), twoGroups);
    DoRedo();
    EXPECT_EQ(GroupTree(first()->firstObject), nested);
    DoUndo(), DoRedo();
    EXPECT_EQ(GroupTree(first()->firstObject), nested);
    // An inner group's bounds are its members' again.
    const Objex* readOuter = first()->firstObject;
    ASSERT_TRUE(readOuter && readOuter->firstChild && readOuter->firstChild->type == objtype::kGroup);
    const FloatRect& b = readOuter->firstChild->bounds;
    EXPECT_EQ(std::tuple(b.floatLeft, b.floatRight, b.floatTop, b.floatBottom),
              std::tuple(leftBounds.floatLeft, leftBounds.floatRight, leftBounds.floatTop, leftBounds.floatBottom));

    // A saved design keeps the file format: the inner groups' members join the outer group.
    const std::string saved = ApplicationTemporaryPath() + "/nested.pro";
    ASSERT_EQ(KeyFileWrite(saved.c_str()), 1);
    ASSERT_EQ(KeyFileRead(saved.c_str()), 1);
    const Objex* flat = GetLayerFromName("First Floor")->firstObject;
    std::vector<std::pair<int, bool>> members;  // type, has members
    for (const Objex* m = flat ? flat->firstChild : nullptr; m; m = m->next) members.emplace_back(m->type, m->firstChild != nullptr);
    EXPECT_EQ(members, (std::vector<std::pair<int, bool>>{{objtype::kGroup, false}, {9, false}, {9, false},
                                                          {objtype::kGroup, false}, {9, false}, {9, false}}));
}

}  // namespace
