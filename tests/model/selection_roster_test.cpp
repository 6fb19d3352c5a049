// Over the generated design, each way points become selected or objects come and go leaves the
// walks that follow the selection with what the walk over every object gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "design_generator.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/poly_builders.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/selection_roster.h"
#include "model/walkers.h"
#include "support/build.h"

using SelectionRoster = dvxtest::DocumentTest;

TEST_F(SelectionRoster, FollowsEveryWayTheSelectionChanges) {
    dvxbench::GenerateDesign({5000, 1});
    std::vector<Objex*> all;  // top-level objects with points
    for (Layer* l = doc->itsLayers; l; l = l->next)
        for (Objex* o = (l->visible = l->active = 1, l->firstObject); o; o = o->next)
            if (o->firstPoint) all.push_back(o);
    auto nth = [&](size_t n) { return all[n % all.size()]; };
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"whole objects", [&] { for (size_t n = 0; n < 5000; n += 97) SelectObj(nth(n), selmode::kSelect, 0); }},
        {"one point", [&] { SelectPoint(nth(11)->firstPoint, selmode::kSelect, 0); }},
        {"toggled off", [&] { for (size_t n = 0; n < 5000; n += 194) SelectObj(nth(n), selmode::kToggle, 0); }},
        {"deleted", [&] { DeleteObj(UnlinkObject(nth(97))); all.erase(all.begin() + 97); }},
        {"moved to the first floor", [&] { Objex* o = nth(291); UnlinkObject(o), AppendObjectToLayer(o, doc->itsLayers); }},
        {"linked selected", [&] { dvxtest::Make(objtype::kLine).line(3).select().on(doc->itsLayers); }},
        {"a selected point added", [&] { Objex* o = nth(1234); AppendPointToObject(CreatePoint(0, 1, 0, 0, 0, 0, 5, 0, 5, 0, 0, 0, 0, 0, 0, o), o); }},
        {"written out of sight", [&] { nth(4321)->firstPoint->selected = 1, NoteSelectionUnknown(); }},
        {"pieces built anew as a rebuild builds them", [&] {
            Objex* o = nth(500);
            SelectObj(o, selmode::kSelect, 0);
            const Float3DPoint at[3] = {{0, 0, 0}, {5, 0, 0}, {5, 0, 7}};
            for (int i = 0; i < 3; ++i) {
                Objex* piece = BuildOpenPoly(at, nullptr, at, at, nullptr, nullptr, 3, o->layer, 0);
                UnlinkObject(piece), AppendPartToObject(o, piece);
            }
        }},
        {"a piece naming its floor made selected", [&] {
            Objex* piece = dvxtest::Make(objtype::kLine).line(3);
            piece->layer = nth(600)->layer;
            AppendPartToObject(nth(600), dvxtest::Make(piece).select());
        }},
        {"deselect all but a hidden floor", [&] { doc->itsLayers->visible = 0, SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0); }},
        {"grouped", [&] { dvxtest::Group(doc->itsLayers->next, {nth(1500), nth(2500)}); SelectObj(nth(3500), selmode::kSelect, 0); }},
    };
    for (const auto& [name, change] : steps) {
        SCOPED_TRACE(name);
        change();
        std::vector<Objex*> walked, kept;
        FloatRect plan = EmptyFloatRect(), expected = EmptyFloatRect();
        for (Layer* l = doc->itsLayers; l; l = l->next) {
            SelectedObjectsOfLayer(l, &kept);
            for (Objex* o = l->firstObject; o; o = o->next) {
                if (HoldsSelectedPoint(o)) walked.push_back(o);
                if (l->visible) GetObjectObjBounds(o, 1, &expected, 0, 0);
            }
        }
        EXPECT_EQ(kept, walked);
        // The roster names what is selected, not the pieces built for it.
        EXPECT_EQ(SelectionRosterObjects().size(), walked.size());
        EXPECT_EQ(GetASelectedObject(1), *std::find_if(walked.begin(), walked.end(), [](Objex* o) { return IsObjectSelected(o); }));
        GetAllLayersObjBounds(doc->itsLayers, 1, &plan, 0, 0);
        EXPECT_EQ(0, std::memcmp(&plan, &expected, sizeof plan));
    }
}
