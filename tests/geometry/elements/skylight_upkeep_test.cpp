// Custom skylights' symbols rebuilt where the skylights now stand and refitted to their roofs.
// The large roof's section lies at V = 112 - D / 2; the definition is one 10 x 10 opening
// drawn at 20 x 40.
#include <gtest/gtest.h>

#include "geometry/elements/skylight_upkeep.h"
#include "model/bounds.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "plan/refresh_seams.h"
#include "support/build.h"

namespace {

using namespace dvxtest;

Objex* Roof(Layer* layer, float size, float slope) {
    return SectionedRoof(layer, {RoofSection({{0, 0}, {size, 0}, {size, size}, {0, size}}, 10, {0, slope, 100, -12})});
}

Objex* Skylight(Objex* roof, int16_t style, PlanPoints outline) {
    auto* r = new RoofAttachmentRecord{};
    r->ownerType = objtype::kSkylight, r->style = style, r->width = 20, r->length = 40, r->angle = 90;
    r->sectionSubtype = 10;
    if (style == 806) r->partLists[0] = Outline(objtype::kOpeningMask, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    r->attachment = Outline(objtype::kSkylight, outline).with(r).in(roof);
    UpdateObjectBounds(r->attachment);
    return r->attachment;
}

TEST_F(SelectionTest, CustomSkylightSymbolsAreRebuiltWhereTheyStandAndRefitted) {
    int refreshes = 0;
    SetRefreshHandler([&] { ++refreshes; });
    Objex* roof = Roof(floor, 200, 0.5f);
    // Moved so its bounds centre on (60, 100); its old symbols went with the move.
    Objex* custom = Skylight(roof, 806, {{50, 80}, {70, 80}, {70, 120}, {50, 120}});
    Objex* plain = Skylight(roof, 800, {{120, 20}, {140, 20}, {140, 60}, {120, 60}});
    EXPECT_EQ(UpdateSkylightSymbols(custom), 0);
    Objex* opening = custom->typeData.roofAttachment->customParts;
    ASSERT_TRUE(opening && opening->type == objtype::kOpeningMask);
    EXPECT_EQ(PlanPositions(opening), (std::vector<std::pair<float, float>>{{50, 80}, {70, 80}, {70, 120}, {50, 120}}));
    EXPECT_TRUE(Near({PointAt(opening, 0)->position[1], PointAt(opening, 2)->position[1], custom->bounds3D.floatFront},
                     {72, 52, 120}));

    // A rectangular skylight has no symbols to rebuild.
    const auto before = PlanPositions(plain);
    EXPECT_EQ(UpdateSkylightSymbols(plain), 0);
    EXPECT_TRUE(PlanPositions(plain) == before && !plain->typeData.roofAttachment->customParts);

    // A section 10 across on another layer takes neither of its two: both go, on every layer.
    Layer* upper = CreateLayer("Upper", 1, 0, nullptr);
    AppendLayerToDocument(upper);
    Objex* small = Roof(upper, 10, 0);
    Skylight(small, 806, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    Skylight(small, 806, {{0, 0}, {10, 0}, {10, 5}, {0, 5}});
    int layers = 0;
    for (Layer* l = doc->itsLayers; l; l = l->next) ++layers;
    EXPECT_EQ(UpdateSkylightSymbolsAllLayers(), 2);
    EXPECT_TRUE(Same({small->firstChild, roof->firstChild}, {nullptr, custom}));
    EXPECT_EQ(refreshes, layers);
    SetRefreshHandler(nullptr);
}

}  // namespace
