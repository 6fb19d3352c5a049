// Photos stand in 3D as one upright panel built from their plan line and height.
#include <gtest/gtest.h>

#include "model/document_model.h"
#include "model/objects.h"
#include "support/build.h"
#include "tools/photos.h"

namespace {

using namespace dvxtest;
using PhotosTest = SelectionTest;

TEST_F(PhotosTest, APhotoStandsAsOnePanelFromItsLineUpByItsHeight) {
    Objex* first = BuildPhoto();
    Objex* photo = BuildPhoto();
    ASSERT_TRUE(first && photo);
    EXPECT_EQ(photo->texture2, first->texture2 + 1);
    photo->firstPoint->texture1 = 2001, photo->firstPoint->color1 = {1, 2, 3};
    Update3DPhoto(photo);
    Update3DPhoto(photo);
    Objex* panel = photo->firstPart;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(std::tuple(panel->type, panel->pointCount, panel->next, panel->layer), std::tuple(131, 4, nullptr, nullptr));
    // 360 inches at the drawing scale of 36 are 720 plan units; a smaller V is higher.
    for (int i = 0; i < 4; ++i) {
        const Poinz* p = PointAt(photo, i % 2);
        ExpectPosition(PointAt(panel, i), p->position[0], p->position[1] - (i < 2 ? 0 : 720), p->position[2]);
        EXPECT_EQ(std::tuple(PointAt(panel, i)->texture1, PointAt(panel, i)->color1.blue), std::tuple(2001, 3));
    }

}

TEST_F(PhotosTest, RebuildsSkipHiddenLayersAndLinesOfOnePoint) {
    Objex* shown = Make(objtype::kPhoto).line(2).on(floor);
    Objex* lone = Make(objtype::kPhoto).line(1).on(floor);
    Layer* hiddenLayer = GetLayerFromName("Second Floor");
    hiddenLayer->visible = 0;
    Objex* hidden = Make(objtype::kPhoto).line(2).on(hiddenLayer);
    Update3DPhotoAllLayers(doc->itsLayers);
    Update3DPhotoLayer(hiddenLayer);
    EXPECT_EQ(std::tuple(shown->firstPart != nullptr, lone->firstPart, hidden->firstPart), std::tuple(true, nullptr, nullptr));
}

}  // namespace
