// Over the generated design, every way points become selected or objects come and go leaves
// the walks that follow the selection (deselect all, the selection's bounds, the n-th selected
// object) with what the walk over every object gives.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "design_generator.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/selection_roster.h"
#include "model/walkers.h"  // GetASelectedObject
#include "support/build.h"
#include "support/fixture.h"

namespace {

class SelectionRoster : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dvxbench::GenerateDesign({5000, 1});
        for (Layer* l = doc->itsLayers; l; l = l->next) l->visible = l->active = 1;
    }

    // Every top-level object whose tree holds a selected point, found by walking every list.
    std::vector<Objex*> Walked() const {
        std::vector<Objex*> out;
        for (Layer* l = doc->itsLayers; l; l = l->next)
            for (Objex* o = l->firstObject; o; o = o->next)
                if (HoldsSelectedPoint(o)) out.push_back(o);
        return out;
    }
    std::vector<Objex*> Kept() const {
        std::vector<Objex*> out;
        for (Layer* l = doc->itsLayers; l; l = l->next) SelectedObjectsOfLayer(l, &out);
        return out;
    }
    // The n-th top-level object with points, counting round the design.
    Objex* Nth(int n) const {
        std::vector<Objex*> all;
        for (Layer* l = doc->itsLayers; l; l = l->next)
            for (Objex* o = l->firstObject; o; o = o->next)
                if (o->firstPoint) all.push_back(o);
        return all[static_cast<size_t>(n) % all.size()];
    }

    void ExpectSameAsWalk(const char* step) {
        SCOPED_TRACE(step);
        const std::vector<Objex*> walked = Walked();
        EXPECT_EQ(Kept(), walked);
        // The selection's boxes, against each object measured on its own.
        FloatRect plan = EmptyFloatRect(), expected = EmptyFloatRect();
        Float3DRect box = EmptyFloat3DRect(), expected3D = EmptyFloat3DRect();
        GetAllLayersObjBounds(doc->itsLayers, 1, &plan, 0, 0);
        GetAllLayersObj3DBounds(doc->itsLayers, 1, &box, 0);
        for (Layer* l = doc->itsLayers; l; l = l->next)
            for (Objex* o = l->visible ? l->firstObject : nullptr; o; o = o->next) {
                GetObjectObjBounds(o, 1, &expected, 0, 0);
                GetObjectObj3DBounds(o, 1, &expected3D, 0);
            }
        EXPECT_EQ(0, std::memcmp(&plan, &expected, sizeof plan));
        EXPECT_EQ(0, std::memcmp(&box, &expected3D, sizeof box));
        std::vector<Objex*> selected;
        for (Objex* o : walked)
            if (IsObjectSelected(o)) selected.push_back(o);
        for (size_t n = 0; n <= selected.size(); ++n)
            EXPECT_EQ(GetASelectedObject(static_cast<int32_t>(n + 1)), n < selected.size() ? selected[n] : nullptr);
    }
};

TEST_F(SelectionRoster, FollowsEveryWayTheSelectionChanges) {
    ExpectSameAsWalk("fresh design");  // nothing asked yet: the first ask walks
    struct Step {
        const char* name;
        std::function<void()> change;
    };
    const std::vector<Step> steps = {
        {"whole objects selected", [&] { for (int n = 0; n < 5000; n += 97) SelectObj(Nth(n), selmode::kSelect, 0); }},
        {"one point of a line", [&] { for (int n = 11; n < 5000; n += 501) SelectPoint(Nth(n)->firstPoint, selmode::kSelect, 0); }},
        {"a child's points only", [&] {
             for (int n = 0; n < 5000; ++n)
                 if (Objex* o = Nth(n); o->firstChild) {
                     SetObjectSelectFlags(o->firstChild, 1);
                     break;
                 }
         }},
        {"toggled off again", [&] { for (int n = 0; n < 5000; n += 194) SelectObj(Nth(n), selmode::kToggle, 0); }},
        {"a selected object deleted", [&] {
             Objex* o = Walked().front();
             DeleteObj(UnlinkObject(o));
         }},
        {"a selected object moved to the last floor", [&] {
             Objex* o = Walked().back();
             Layer* last = doc->itsLayers;
             while (last->next) last = last->next;
             UnlinkObject(o);
             AppendObjectToLayer(o, last);
         }},
        {"a new object linked with selected points", [&] {
             dvxtest::Make(objtype::kLine).line(3).select().on(doc->itsLayers);
         }},
        {"a selected point added to a linked object", [&] {
             Objex* o = Nth(1234);
             SelectObj(o, selmode::kDeselect, 0);
             AppendPointToObject(CreatePoint(0, 1, 0, 0, 0, 0, 5, 0, 5, 0, 0, 0, 0, 0, 0, o), o);
         }},
        {"flags written out of sight", [&] {
             Nth(4321)->firstPoint->selected = 1;
             NoteSelectionUnknown();
         }},
        {"deselect all", [&] { SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0); }},
    };
    for (const Step& step : steps) {
        step.change();
        ExpectSameAsWalk(step.name);
    }
    EXPECT_TRUE(Walked().empty());
}

TEST_F(SelectionRoster, DeselectAllLeavesHiddenFloorsSelected) {
    for (int n = 0; n < 5000; n += 50) SelectObj(Nth(n), selmode::kSelect, 0);
    Layer* hidden = doc->itsLayers->next ? doc->itsLayers->next : doc->itsLayers;
    hidden->visible = 0;
    std::vector<Objex*> keptOnHidden;
    for (Objex* o : Walked())
        if (o->layer == hidden) keptOnHidden.push_back(o);
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    EXPECT_EQ(Walked(), keptOnHidden);
    ExpectSameAsWalk("after a partial deselect");
}

}  // namespace
