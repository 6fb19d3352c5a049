// The plan index through every kind of edit: after each, every floor's index answers a search
// with exactly the objects a walk over the stored boxes finds, in list order.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "files/copy_paste.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/floor_operations.h"
#include "files/content_paths.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/selection_ops.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

bool Meets(const FloatRect& a, const FloatRect& b) {
    return a.floatLeft <= b.floatRight && b.floatLeft <= a.floatRight && a.floatTop <= b.floatBottom &&
           b.floatTop <= a.floatBottom;
}

// Areas (top, left, bottom, right): empty ground, a corner of the squares, one square's
// middle, a strip across everything, the whole plan.
const FloatRect kAreas[] = {
    {-900, -900, -800, -800}, {-5, -5, 5, 5}, {140, 140, 150, 150}, {95, -1000, 105, 1000}, {-1e6f, -1e6f, 1e6f, 1e6f},
};

class PlanIndexEdits : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        gUndoActive = 1;
        first = GetLayerFromName("First Floor");
        for (int i = 0; i < 6; ++i) squares.push_back(Square(first, 60.0f * i, 60.0f * i));
        wall = Wall(first, {{0, 200}, {300, 200}});
        door = Opening(wall, objtype::kDoor, 500, 0);
        StoreBoundsDeep(wall);
        group = Group(first, {Square(nullptr, 400, 0), Square(nullptr, 440, 0)});
        InitializeUndo();
    }
    void TearDown() override {
        port::setAlerts(nullptr);
        port::setDocumentUndo(nullptr);
        DocumentTest::TearDown();
    }

    // A 20 x 20 square at (h, d), on the layer when one is given.
    Objex* Square(Layer* layer, float h, float d) {
        Make m = Make(objtype::kPolygon).closed().shown().plan({{h, d}, {h + 20, d}, {h + 20, d + 20}, {h, d + 20}});
        if (layer) m.on(layer);
        return m.bounds();
    }

    // Builds every floor's index (the first search does) so the edit that follows must keep it.
    void BuildIndexes() {
        std::vector<Objex*> ignored;
        for (Layer* l = doc->itsLayers; l; l = l->next) PlanIndexCandidates(l, kAreas[0], &ignored);
    }

    void ExpectIndexMatchesScan(const std::string& edit) {
        for (Layer* l = doc->itsLayers; l; l = l->next)
            for (const FloatRect& area : kAreas) {
                std::vector<Objex*> found, scanned;
                PlanIndexCandidates(l, area, &found);
                for (Objex* o = l->firstObject; o; o = o->next) {
                    FloatRect box;
                    if (!PlanIndexBox(o, &box) || Meets(box, area)) scanned.push_back(o);
                }
                EXPECT_EQ(found, scanned) << edit << " on " << l->name << " at " << area.floatLeft;
            }
    }

    RecordingAlerts alerts;
    RecordingUndo undo;
    Layer* first = nullptr;
    std::vector<Objex*> squares;
    Objex* wall = nullptr;
    Objex* door = nullptr;
    Objex* group = nullptr;
};

TEST_F(PlanIndexEdits, EveryEditKeepsTheIndexEqualToAFullScan) {
    auto move = [](Objex* o, float dh, float dd) {
        SelectObj(o, selmode::kSelect, 0);
        TransformRecord r;
        r.values[xform::kTranslateH] = dh, r.values[xform::kTranslateH + 2] = dd;
        TranslateObject(o, &r);
    };
    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"add at the end", [&] { Square(first, 145, 145); }},
        {"add in the middle", [&] { InsertObjectInLayer(Square(nullptr, 90, 90), first, squares[1]); }},
        {"move", [&] { move(squares[2], 500, -300); }},
        {"resize", [&] {
             TransformRecord r;
             r.values[xform::kScaleH] = r.values[xform::kScaleH + 2] = 3;
             ScaleObject(squares[3], &r);
         }},
        {"reshape", [&] {
             squares[4]->firstPoint->position[0] = -700, squares[4]->firstPoint->position[2] = -700;
             UpdateObjectBounds(squares[4]);
         }},
        {"move a door in its wall", [&] {
             for (Poinz* p = door->firstPoint; p; p = p->next) p->position[2] += 400;
             UpdateObjectBounds(door);
         }},
        {"move a group member", [&] {
             for (Poinz* p = group->firstChild->firstPoint; p; p = p->next) p->position[0] -= 1000;
             UpdateObjectBounds(group->firstChild);
             UpdateGroupBoundsFromMembers(group);
         }},
        {"delete", [&] { DeleteObj(squares[0]); }},
        {"store a step", [&] { StoreUndo("Edit"); }},
        {"move up a floor", [&] { MoveToNeighboringFloor(squares[5], floorcmd::kMoveUp); }},
        {"undo", [&] { DoUndo(); }},
        {"redo", [&] { DoRedo(); }},
        {"copy and paste", [&] {
             SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
             SelectObj(first->firstObject, selmode::kSelect, 0);
             DoCopyObjects();
             DoPasteObjects();
         }},
        {"move what was pasted", [&] { move(first->lastObject ? first->lastObject : first->firstObject, -40, 900); }},
    };
    for (const auto& [name, edit] : edits) {
        BuildIndexes();
        edit();
        ExpectIndexMatchesScan(name);
    }
}

}  // namespace
