// The plan index through every kind of edit: after each, every floor's index answers a search
// with exactly the objects a walk over the stored boxes finds, in list order.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "files/content_paths.h"
#include "files/copy_paste.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/floor_operations.h"
#include "model/object_transforms.h"
#include "model/plan_index.h"
#include "model/selection_ops.h"
#include "model/transforms.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

// A 20 x 20 square at (h, d), on the layer when one is given.
Objex* Square(Layer* layer, float h, float d) {
    Make m = Make(objtype::kPolygon).closed().shown().plan({{h, d}, {h + 20, d}, {h + 20, d + 20}, {h, d + 20}});
    if (layer) m.on(layer);
    return m.bounds();
}

void Move(Objex* o, float dh, float dd) {
    SelectObj(o, selmode::kSelect, 0);
    TransformRecord r;
    r.values[xform::kTranslateH] = dh, r.values[xform::kTranslateH + 2] = dd;
    TranslateObject(o, &r);
}

TEST_F(DocumentTest, EveryEditKeepsThePlanIndexEqualToAFullScan) {
    ASSERT_TRUE(MakeApplicationTemporaryFolder());
    RecordingAlerts alerts;
    RecordingUndo undo;
    port::setAlerts(&alerts), port::setDocumentUndo(&undo);
    gUndoActive = 1;
    Layer* first = GetLayerFromName("First Floor");
    std::vector<Objex*> squares;
    for (int i = 0; i < 6; ++i) squares.push_back(Square(first, 60.0f * i, 60.0f * i));
    Objex* wall = Wall(first, {{0, 200}, {300, 200}});
    Objex* door = Opening(wall, objtype::kDoor, 500, 0);
    StoreBoundsDeep(wall);
    Objex* group = Group(first, {Square(nullptr, 400, 0), Square(nullptr, 440, 0)});
    InitializeUndo();
    // Empty ground, a corner of the squares, one square's middle, a strip across, everything.
    const FloatRect areas[] = {{-900, -900, -800, -800}, {-5, -5, 5, 5}, {140, 140, 150, 150},
                               {95, -1000, 105, 1000}, {-1e6f, -1e6f, 1e6f, 1e6f}};
    auto shift = [](Objex* o, int axis, float by) {
        for (Poinz* p = o->firstPoint; p; p = p->next) p->position[axis] += by;
        UpdateObjectBounds(o);
    };
    // Squares put one after another right behind `after`, each halving the gap left there.
    auto crowd = [&](Objex* after, int n) {
        for (int i = 0; i < n; ++i) InsertObjectInLayer(Square(nullptr, 90, 90.0f + i), first, after);
    };
    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"add at the end", [&] { Square(first, 145, 145); }},
        {"add in the middle", [&] { InsertObjectInLayer(Square(nullptr, 90, 90), first, squares[1]); }},
        {"many put in one gap", [&] { crowd(squares[1], 12); }},
        {"a gap used up", [&] { crowd(squares[2], 40); }},
        {"duplicate beside", [&] {
             const float by[2] = {700, 0};
             DuplicateObject(squares[1], nullptr, squares[1], by, 0, cmd::kDuplicate);
             DuplicateObject(wall, nullptr, nullptr, by, 1, cmd::kDuplicate);
         }},
        {"move", [&] { Move(squares[2], 500, -300); }},
        {"resize", [&] {
             TransformRecord r;
             r.values[xform::kScaleH] = r.values[xform::kScaleH + 2] = 3;
             ScaleObject(squares[3], &r);
         }},
        {"reshape", [&] {
             squares[4]->firstPoint->position[0] = -700;
             UpdateObjectBounds(squares[4]);
         }},
        {"move a door in its wall", [&] { shift(door, 2, 400); }},
        {"move a group member", [&] { shift(group->firstChild, 0, -1000), UpdateGroupBoundsFromMembers(group); }},
        {"delete", [&] { DeleteObj(squares[0]); }},
        {"store a step", [&] { StoreUndo("Edit"); }},
        {"move up a floor", [&] { MoveToNeighboringFloor(squares[5], floorcmd::kMoveUp); }},
        {"undo", [&] { DoUndo(); }},
        {"redo", [&] { DoRedo(); }},
        {"copy and paste", [&] {
             SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
             SelectObj(first->firstObject, selmode::kSelect, 0);
             DoCopyObjects(), DoPasteObjects();
         }},
        {"move what was pasted", [&] { Move(first->lastObject ? first->lastObject : first->firstObject, -40, 900); }},
    };
    for (const auto& [name, edit] : edits) {
        first = GetLayerFromName("First Floor");  // an undo makes the floors anew
        std::vector<Objex*> found, scanned;
        // The first search builds each floor's index, so the edit must keep it.
        for (Layer* l = doc->itsLayers; l; l = l->next) PlanIndexCandidates(l, areas[0], &found);
        edit();
        for (Layer* l = doc->itsLayers; l; l = l->next)
            for (const FloatRect& a : areas) {
                found.clear(), scanned.clear();
                PlanIndexCandidates(l, a, &found);
                for (Objex* o = l->firstObject; o; o = o->next) {
                    FloatRect b;
                    if (!PlanIndexBox(o, &b) || (b.floatLeft <= a.floatRight && a.floatLeft <= b.floatRight &&
                                                 b.floatTop <= a.floatBottom && a.floatTop <= b.floatBottom))
                        scanned.push_back(o);
                }
                EXPECT_EQ(found, scanned) << name << " on " << l->name << " at " << a.floatLeft;
            }
    }
    port::setAlerts(nullptr), port::setDocumentUndo(nullptr);
}

}  // namespace
