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
    const Objex* panel = photo->firstPart;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(std::tuple(panel->type, panel->pointCount, panel->next, panel->layer), std::tuple(131, 4, nullptr, nullptr));
    // 360 inches at the drawing scale of 36 are 720 plan units; a smaller V is higher.
    const Poinz *a = photo->firstPoint, *b = a->next;
    ExpectPosition(PointAt(photo->firstPart, 0), a->position[0], a->position[1], a->position[2]);
    ExpectPosition(PointAt(photo->firstPart, 1), b->position[0], b->position[1], b->position[2]);
    ExpectPosition(PointAt(photo->firstPart, 2), a->position[0], a->position[1] - 720, a->position[2]);
    ExpectPosition(PointAt(photo->firstPart, 3), b->position[0], b->position[1] - 720, b->position[2]);
    for (const Poinz* p = panel->firstPoint; p; p = p->next) EXPECT_EQ(std::tuple(p->texture1, p->color1.blue), std::tuple(2001, 3));

    Objex* lone = Make(objtype::kPhoto).line(1).on(floor);
    Update3DPhoto(lone);
    EXPECT_EQ(lone->firstPart, nullptr);
}

TEST_F(PhotosTest, LayerRebuildsSkipHiddenLayers) {
    Objex* shown = Make(objtype::kPhoto).line(2).on(floor);
    Layer* hiddenLayer = GetLayerFromName("Second Floor");
    ASSERT_NE(hiddenLayer, nullptr);
    hiddenLayer->visible = 0;
    Objex* hidden = Make(objtype::kPhoto).line(2).on(hiddenLayer);
    Update3DPhotoAllLayers(doc->itsLayers);
    EXPECT_NE(shown->firstPart, nullptr);
    EXPECT_EQ(hidden->firstPart, nullptr);
    Update3DPhotoLayer(hiddenLayer);
    EXPECT_EQ(hidden->firstPart, nullptr);
}

}  // namespace
