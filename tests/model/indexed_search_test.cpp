// Clicks and marquees over the generated house-and-lot design searched through the plan index
// give what the walk over every object gives: the same object, point, segment or handle, in
// the same order when clicks cycle through what lies under them, and the same selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "design_generator.h"
#include "model/click_info.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/marquee.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/splines.h"
#include "model/view_state.h"
#include "support/fixture.h"

namespace {

using Answer = std::tuple<bool, Objex*, Poinz*, Poinz*, int, int, int, int, int>;

class IndexedSearch : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dvxbench::GenerateDesign({5000, 1});
        for (Layer* l = doc->itsLayers; l; l = l->next) l->visible = l->active = 1;
        gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f;
        SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                           &gSinYAngle, gPerspective);
    }

    Answer Search(float h, float v, float d, bool indexed) {
        ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                              gGlobalYOffset, gGlobalZOffset, 1);
        gPlanIndexOn = indexed;
        ClickInfo click;
        click.ciWhere = POINT{static_cast<int32_t>(h + 0.5f), static_cast<int32_t>(v + 0.5f)};
        const bool hit = SelectFromAllLayers(doc->itsLayers, &click, 0, nullptr, 0);
        return {hit, click.ciObject, click.ciPoint, click.ciPoint2, click.ciPointHit, click.ciSegmentHit,
                click.ciAreaHit, click.ciHandleHit, click.ciHandle};
    }

    // Every point's selection, in list order (children follow their parent).
    static void Selection(const Objex* o, std::vector<int>& out) {
        for (; o; o = o->next) {
            for (const Poinz* p = o->firstPoint; p; p = p->next) out.push_back(p->selected);
            Selection(o->firstChild, out);
        }
    }
};

TEST_F(IndexedSearch, ClicksFindWhatTheFullWalkFinds) {
    // Clicks on points, along segments and curves, on the handles of selected objects and on
    // the ground between, at two zooms and through the first three things under each click.
    std::vector<std::tuple<float, float, float>> spots;
    int n = 0;
    for (Layer* l = doc->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next, ++n) {
            if (n % 23 || !o->firstPoint) continue;
            Poinz* p = o->firstPoint;
            spots.emplace_back(p->position[0], p->position[1], p->position[2]);
            float h = p->position[0], v = 0, d = p->position[2];
            if (p->next) GetSplineCoordinate(p, p->next, 0.5f, &h, &v, &d);
            spots.emplace_back(h, v, d);
            if (n % 3 == 0) {
                SelectObj(o, selmode::kSelect, 0);
                spots.emplace_back(o->bounds3D.floatLeft, o->bounds3D.floatTop, o->bounds3D.floatBack);
            }
            spots.emplace_back(p->position[0] + 37, 0, p->position[2] - 53);
        }
    ASSERT_GT(spots.size(), 200u);
    int hits = 0;
    for (float zoom : {1.0f, 0.6f}) {
        doc->itsDocState->zoomFactor = zoom;
        for (int16_t index = 1; index <= 3; ++index) {
            gSelectIndex = index;
            for (const auto& [h, v, d] : spots) {
                const Answer walked = Search(h, v, d, false);
                EXPECT_EQ(Search(h, v, d, true), walked) << "click at " << h << ", " << d << " zoom " << zoom;
                hits += std::get<0>(walked);
            }
        }
    }
    // Most clicks land on something, so the table holds hits of every kind, not only misses.
    EXPECT_GT(hits, static_cast<int>(spots.size()));
}

TEST_F(IndexedSearch, MarqueesSelectWhatTheFullWalkSelects) {
    const RECT rects[] = {
        {2990, 1190, 3610, 1810},        // about one neighbourhood
        {100, 100, 400, 1200},           // a strip at the edge
        {5000, 2000, 5003, 2003},        // a few units
        {-32767, -32767, 32767, 32767},  // the whole plan
    };
    for (float zoom : {1.0f, 0.6f})
        for (const RECT& r : rects) {
            doc->itsDocState->zoomFactor = zoom;
            std::vector<int> selections[2];
            for (int indexed = 0; indexed < 2; ++indexed) {
                gPlanIndexOn = indexed;
                SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
                SelectAllLayersInRect(doc->itsLayers, &r, selmode::kToggle, 0);
                for (const Layer* l = doc->itsLayers; l; l = l->next) Selection(l->firstObject, selections[indexed]);
            }
            EXPECT_EQ(selections[1], selections[0]) << "marquee " << r.left << ", " << r.top << " zoom " << zoom;
            // A wide marquee takes something, so the comparison says something.
            EXPECT_TRUE(r.right - r.left < 100 || std::count(selections[0].begin(), selections[0].end(), 1) > 0);
        }
}

}  // namespace
