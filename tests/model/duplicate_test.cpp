// Deep copies: openings remapped to the copy's wall, trims and record lists owned outright,
// fresh photo textures, placement, modes and refusals.
#include <gtest/gtest.h>

#include "support/build.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/flip.h"
#include "model/objects.h"
#include "render/core/custom_textures.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

constexpr int32_t kCopy = dupmode::kDuplicate;

class DuplicateTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->viewKind = 2;
        layer = doc->itsLayers;
    }

    // A loose one-point object at H (record parts, trim profiles).
    static Objex* Piece(float h) {
        Objex* o = Make(objtype::kOpeningMask);
        Point(o, {h, 0, 0});
        return o;
    }
    static float HOf(const Objex* o) { return o->firstPoint->position[0]; }

    // A door or window in the wall segment from point `from` to the next.
    static Objex* Opening(Objex* wall, int16_t type, int from) {
        Objex* o = Make(type);
        auto* r = new AttachmentRecord{};
        r->ownerType = type;
        r->style = 501;
        r->segmentStart = PointAt(wall, from);
        r->segmentEnd = PointAt(wall, from + 1);
        r->width = 36;
        r->generatedParts = Piece(1);
        r->customParts[6] = Piece(2);
        r->insideTrimProfile = Piece(3);
        Make(o).with(r);
        Make(o).in(wall);
        return o;
    }

    Layer* layer = nullptr;
};

TEST_F(DuplicateTest, WallCopyOwnsItsOpeningsTrimsAndParts) {
    Objex* wall = Make(objtype::kWall).on(layer);
    Point(wall, {0, 0, 0});
    Point(wall, {100, 0, 0});
    Point(wall, {100, 0, 100});
    wall->firstPoint->trim1 = new TrimRecord{};
    wall->firstPoint->trim1->profile[0] = Piece(4);
    wall->firstPoint->valueQ = 9;
    Opening(wall, objtype::kDoor, 0);
    Opening(wall, objtype::kWindow, 1);

    const float offset[2] = {10, 20};
    Objex* copy = DuplicateObject(wall, nullptr, nullptr, offset, 1, kCopy);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(wall->next, copy);
    Poinz* c0 = copy->firstPoint;
    EXPECT_FLOAT_EQ(c0->position[0], 10);
    EXPECT_FLOAT_EQ(c0->position[2], 20);
    EXPECT_EQ(c0->selected, 0);
    EXPECT_EQ(c0->valueQ, 0);

    Objex* door = copy->firstChild;
    ASSERT_TRUE(door && door->next);
    AttachmentRecord* dr = door->typeData.attachment;
    AttachmentRecord* wr = door->next->typeData.attachment;
    EXPECT_EQ(dr->segmentStart, PointAt(copy, 0));
    EXPECT_EQ(dr->segmentEnd, PointAt(copy, 1));
    EXPECT_EQ(wr->segmentStart, PointAt(copy, 1));
    EXPECT_EQ(wr->segmentEnd, PointAt(copy, 2));
    EXPECT_FLOAT_EQ(dr->width, 36);
    EXPECT_EQ(dr->generatedParts, nullptr);
    // Record parts have the copy as parent but are not its children.
    EXPECT_EQ(dr->customParts[6]->parent, door);
    EXPECT_EQ(door->firstChild, nullptr);

    // Freeing the source leaves all of it readable (AddressSanitizer checks the reads).
    DeleteObj(wall);
    ASSERT_NE(c0->trim1, nullptr);
    EXPECT_FLOAT_EQ(HOf(c0->trim1->profile[0]), 4);
    EXPECT_FLOAT_EQ(HOf(dr->customParts[6]), 2);
    EXPECT_FLOAT_EQ(HOf(dr->insideTrimProfile), 3);
    EXPECT_EQ(dr->segmentStart->owner, copy);

    // A door copied on its own, without a parent, keeps only owner type and style.
    Objex* alone = DuplicateObject(door, nullptr, nullptr, nullptr, 0, kCopy);
    AttachmentRecord* ar = alone->typeData.attachment;
    EXPECT_EQ(ar->ownerType, objtype::kDoor);
    EXPECT_EQ(ar->style, 501);
    EXPECT_EQ(ar->segmentStart, nullptr);
    EXPECT_FLOAT_EQ(ar->width, 0);
    EXPECT_EQ(ar->customParts[6], nullptr);
    EXPECT_EQ(ar->insideTrimProfile, nullptr);
    DeleteObj(alone);
}

TEST_F(DuplicateTest, TextAndSkylightRecordsAreNewBlocks) {
    Objex* text = Make(objtype::kEnhancedText).on(layer);
    auto* td = new TextData{};
    td->text = CopyString("Porch");
    td->font.lfHeight = -28;
    Make(text).with(td);

    Objex* roof = Make(objtype::kRoof).on(layer);
    Objex* skylight = Make(objtype::kSkylight);
    auto* sr = new RoofAttachmentRecord{};
    sr->style = 806;
    sr->flipFlags[1] = 1;
    sr->customParts = Piece(7);
    sr->partLists[4] = Piece(8);
    Make(skylight).with(sr);
    Make(skylight).in(roof);

    TextData* tc = DuplicateObject(text, nullptr, nullptr, nullptr, 1, kCopy)->typeData.text;
    Objex* skyCopy = DuplicateObject(roof, nullptr, nullptr, nullptr, 1, kCopy)->firstChild;
    RoofAttachmentRecord* rc = skyCopy->typeData.roofAttachment;
    DeleteObj(text);
    DeleteObj(roof);
    EXPECT_STREQ(tc->text, "Porch");
    EXPECT_EQ(tc->font.lfHeight, -28);
    EXPECT_EQ(rc->attachment, skyCopy);
    EXPECT_EQ(rc->style, 806);
    EXPECT_EQ(rc->flipFlags[1], 1);
    EXPECT_EQ(rc->customParts->parent, skyCopy);
    EXPECT_FLOAT_EQ(HOf(rc->customParts), 7);
    EXPECT_FLOAT_EQ(HOf(rc->partLists[4]), 8);
}

TEST_F(DuplicateTest, PhotoCopiesTakeIncreasingTextureIDs) {
    Objex* photo = Make(objtype::kPhoto).on(layer);
    Point(photo, {0, 0, 0});
    Make(photo).image("/designs/porch.jpg");
    Objex* a = DuplicateObject(photo, nullptr, nullptr, nullptr, 1, kCopy);
    Objex* b = DuplicateObject(photo, nullptr, nullptr, nullptr, 1, kCopy);
    EXPECT_EQ(a->texture2, kFirstCustomTextureID);
    EXPECT_EQ(a->texture4, kFirstCustomTextureID);
    EXPECT_EQ(a->firstPoint->texture1, kFirstCustomTextureID);
    EXPECT_EQ(b->texture3, kFirstCustomTextureID + 1);
    EXPECT_EQ(gCurrentPhotoTextureID, kFirstCustomTextureID + 2);
    DeleteObj(photo);
    EXPECT_STREQ(a->typeData.imagePath, "/designs/porch.jpg");
}

TEST_F(DuplicateTest, PlacementModesAndRefusals) {
    Objex* group = Make(objtype::kGroup).on(layer);
    Objex* m1 = Make(objtype::kPolygon);
    Point(m1, {20, 0, 5});
    Point(m1, {30, 0, 5});
    Objex* m2 = Make(objtype::kPolygon);
    Point(m2, {40, 0, 5});
    Make(m1).in(group);
    Make(m2).in(group);

    // 5329: the symbol's top object only, its points selected.
    EXPECT_EQ(DuplicateObject(group, nullptr, nullptr, nullptr, 1, dupmode::kSymbolTop)->firstChild, nullptr);

    // After a sibling (taking its parent), or as a parent's first child.
    Objex* afterM1 = DuplicateObject(m2, nullptr, m1, nullptr, 0, kCopy);
    EXPECT_EQ(m1->next, afterM1);
    EXPECT_EQ(m2->prev, afterM1);
    EXPECT_EQ(afterM1->parent, group);
    Objex* head = DuplicateObject(m2, group, nullptr, nullptr, 0, kCopy);
    EXPECT_EQ(group->firstChild, head);
    EXPECT_EQ(m1->prev, head);

    // Mirror copies are selected and flipped about the flip centre, children with them.
    gFlipCenterX = 50;
    gFlipCenterY = 50;
    Objex* leftRight = DuplicateObject(m1, nullptr, nullptr, nullptr, 0, dupmode::kMirrorLeftRight);
    EXPECT_FLOAT_EQ(leftRight->firstPoint->position[0], 80);
    EXPECT_EQ(leftRight->firstPoint->selected, 1);
    EXPECT_FLOAT_EQ(m1->firstPoint->position[0], 20);
    Objex* topBottom = DuplicateObject(group, nullptr, nullptr, nullptr, 0, dupmode::kMirrorTopBottom);
    EXPECT_FLOAT_EQ(topBottom->firstChild->firstPoint->position[2], 95);
    EXPECT_EQ(topBottom->firstChild->firstPoint->selected, 1);
    DeleteObj(leftRight);
    DeleteObj(topBottom);

    // Symbol-editor and section-detail groups and their members are not copied.
    for (int32_t kind : {groupkind::kSymbolEditor, groupkind::kSectionDetail}) {
        group->groupKind = kind;
        EXPECT_EQ(DuplicateObject(group, nullptr, nullptr, nullptr, 1, kCopy), nullptr);
        EXPECT_EQ(DuplicateObject(m1, nullptr, nullptr, nullptr, 1, kCopy), nullptr);
    }
}

TEST_F(DuplicateTest, MirrorCopyOfAnImportedObjectGroupMirrorsItsRotation) {
    Objex* group = Make(objtype::kGroup).on(layer);
    group->params[4] = 30;
    Make(Make(objtype::kFentrix)).in(group);
    EXPECT_FLOAT_EQ(DuplicateObject(group, nullptr, nullptr, nullptr, 1, dupmode::kMirrorLeftRight)->params[4], 330);
}

}  // namespace
