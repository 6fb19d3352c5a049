// Deep copies of objects: points and trims, openings remapped to the copy's wall, record part
// lists, texts, skylights, cabinets, fresh photo textures, placement, modes and refusals.
#include <gtest/gtest.h>

#include <cstring>

#include "geometry_test_support.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/flip.h"
#include "model/objects.h"
#include "render/core/custom_textures.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;
using geomtest::Add;

namespace {

class DuplicateTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->viewKind = 2;
        layer = doc->itsLayers;
    }

    // A loose one-point object (record parts and trim profiles).
    static Objex* Piece(float h) {
        Objex* o = NewObject(objtype::kOpeningMask);
        Add(o, h, 0, 0);
        return o;
    }

    // A door or window set into the wall segment from point `from` to point `from` + 1.
    static Objex* Opening(Objex* wall, int16_t type, int from) {
        Objex* o = NewObject(type);
        Add(o, 10.0f * from, 0, 0);
        auto* r = new AttachmentRecord{};
        r->ownerType = type;
        r->style = type == objtype::kDoor ? 501 : 602;
        r->segmentStart = PointAt(wall, from);
        r->segmentEnd = PointAt(wall, from + 1);
        r->centreDistance = 30;
        r->remainder = 70;
        r->width = 36;
        r->height = 80;
        r->elevation = 4;
        r->generatedParts = Piece(1);
        r->customParts[0] = Piece(2);
        r->customParts[0]->parent = o;
        r->customParts[6] = Piece(3);
        r->customParts[6]->parent = o;
        r->sideFlag = 1;
        r->trimWidth = 3.5f;
        r->insideCustomTrim = 1;
        r->insideTrimTexture = 77;
        r->insideTrimProfile = Piece(4);
        o->typeData = TypeData::OfAttachment(r);
        AppendChildToObject(o, wall);
        return o;
    }

    Layer* layer = nullptr;
};

TEST_F(DuplicateTest, WallCopyOwnsItsOpeningsTrimsAndPartsOutrightly) {
    Objex* wall = NewObjectOn(layer, objtype::kWall);
    Add(wall, 0, 0, 0);
    Add(wall, 100, 0, 0);
    Add(wall, 100, 0, 100);
    Poinz* first = wall->firstPoint;
    first->color1 = RGBColor{1, 2, 3};
    first->baseElevation = 12;
    first->valueQ = 9;
    first->trimValue1 = 5;
    first->trim1 = new TrimRecord{};
    first->trim1->slot[0] = TrimRecord::kCustomProfile;
    first->trim1->profile[0] = Piece(6);
    first->trim1->texture[2] = 44;
    Objex* door = Opening(wall, objtype::kDoor, 0);
    Objex* window = Opening(wall, objtype::kWindow, 1);

    const float offset[2] = {10, 20};
    Objex* copy = DuplicateObject(wall, nullptr, nullptr, offset, 1, dupmode::kDuplicate);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->objectID, wall->objectID);
    EXPECT_EQ(wall->next, copy);
    EXPECT_EQ(copy->pointCount, 3);
    Poinz* c0 = PointAt(copy, 0);
    EXPECT_FLOAT_EQ(c0->position[0], 10);
    EXPECT_FLOAT_EQ(c0->position[2], 20);
    EXPECT_FLOAT_EQ(PointAt(copy, 2)->position[2], 120);
    EXPECT_EQ(c0->selected, 0);
    EXPECT_EQ(c0->color1, (RGBColor{1, 2, 3}));
    EXPECT_FLOAT_EQ(c0->baseElevation, 12);
    EXPECT_EQ(c0->trimValue1, 5);
    EXPECT_EQ(c0->valueQ, 0);
    EXPECT_NE(c0->pointID, first->pointID);

    // The openings come in the same order and point at the copy's own segment points.
    Objex* doorCopy = copy->firstChild;
    ASSERT_NE(doorCopy, nullptr);
    Objex* windowCopy = doorCopy->next;
    ASSERT_NE(windowCopy, nullptr);
    EXPECT_EQ(windowCopy->next, nullptr);
    EXPECT_EQ(doorCopy->parent, copy);
    EXPECT_EQ(windowCopy->parent, copy);
    AttachmentRecord* dr = doorCopy->typeData.attachment;
    AttachmentRecord* wr = windowCopy->typeData.attachment;
    ASSERT_NE(dr, nullptr);
    ASSERT_NE(wr, nullptr);
    EXPECT_NE(dr, door->typeData.attachment);
    EXPECT_EQ(dr->segmentStart, PointAt(copy, 0));
    EXPECT_EQ(dr->segmentEnd, PointAt(copy, 1));
    EXPECT_EQ(wr->segmentStart, PointAt(copy, 1));
    EXPECT_EQ(wr->segmentEnd, PointAt(copy, 2));
    EXPECT_EQ(dr->style, 501);
    EXPECT_FLOAT_EQ(dr->width, 36);
    EXPECT_FLOAT_EQ(dr->elevation, 4);
    EXPECT_EQ(dr->sideFlag, 1);
    EXPECT_FLOAT_EQ(dr->trimWidth, 3.5f);
    EXPECT_EQ(dr->insideTrimTexture, 77);
    EXPECT_EQ(dr->generatedParts, nullptr);
    // Part lists are the record's own, with the copy as their parent, not its children.
    ASSERT_NE(dr->customParts[0], nullptr);
    EXPECT_NE(dr->customParts[0], door->typeData.attachment->customParts[0]);
    EXPECT_EQ(dr->customParts[0]->parent, doorCopy);
    ASSERT_NE(dr->customParts[6], nullptr);
    EXPECT_EQ(doorCopy->firstChild, nullptr);
    ASSERT_NE(dr->insideTrimProfile, nullptr);
    EXPECT_NE(dr->insideTrimProfile, door->typeData.attachment->insideTrimProfile);
    (void)window;

    // The source goes; everything the copy holds stays readable (checked under ASan too).
    DeleteObj(wall);
    TrimRecord* trim = c0->trim1;
    ASSERT_NE(trim, nullptr);
    EXPECT_EQ(trim->slot[0], TrimRecord::kCustomProfile);
    EXPECT_EQ(trim->texture[2], 44);
    ASSERT_NE(trim->profile[0], nullptr);
    EXPECT_FLOAT_EQ(trim->profile[0]->firstPoint->position[0], 6);
    EXPECT_FLOAT_EQ(dr->customParts[0]->firstPoint->position[0], 2);
    EXPECT_FLOAT_EQ(dr->customParts[6]->firstPoint->position[0], 3);
    EXPECT_FLOAT_EQ(dr->insideTrimProfile->firstPoint->position[0], 4);
    EXPECT_EQ(dr->segmentStart->owner, copy);
}

TEST_F(DuplicateTest, OpeningCopiedAloneKeepsOnlyOwnerTypeAndStyle) {
    Objex* wall = NewObjectOn(layer, objtype::kWall);
    Add(wall, 0, 0, 0);
    Add(wall, 100, 0, 0);
    Objex* door = Opening(wall, objtype::kDoor, 0);

    Objex* copy = DuplicateObject(door, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->parent, nullptr);
    EXPECT_EQ(copy->prev, nullptr);
    EXPECT_EQ(copy->next, nullptr);
    AttachmentRecord* r = copy->typeData.attachment;
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->ownerType, objtype::kDoor);
    EXPECT_EQ(r->style, 501);
    EXPECT_EQ(r->segmentStart, nullptr);
    EXPECT_EQ(r->segmentEnd, nullptr);
    EXPECT_FLOAT_EQ(r->width, 0);
    EXPECT_EQ(r->customParts[0], nullptr);
    EXPECT_EQ(r->insideTrimProfile, nullptr);
    EXPECT_EQ(r->insideTrimTexture, 0);
    DeleteObj(copy);
}

TEST_F(DuplicateTest, RecordsOfTextSkylightAndCabinetAreNewBlocks) {
    Objex* text = NewObjectOn(layer, objtype::kEnhancedText);
    Add(text, 0, 0, 0);
    auto* td = new TextData{};
    td->text = CopyString("Porch");
    td->font.lfHeight = -28;
    td->hasFont = 1;
    td->alignment = 2;
    text->typeData = TypeData::OfText(td);
    text->text = CopyString("note");

    Objex* roof = NewObjectOn(layer, objtype::kRoof);
    Add(roof, 0, 0, 0);
    Objex* skylight = NewObject(objtype::kSkylight);
    Add(skylight, 5, 0, 5);
    auto* sr = new RoofAttachmentRecord{};
    sr->ownerType = objtype::kSkylight;
    sr->style = 806;
    sr->width = 24;
    sr->angle = 30;
    sr->flipFlags[1] = 1;
    sr->attachment = skylight;
    sr->customParts = Piece(7);
    sr->customParts->next = Piece(8);
    sr->customParts->next->prev = sr->customParts;
    sr->customPartCount = 2;
    sr->partLists[4] = Piece(9);
    sr->texture2 = 123;
    skylight->typeData = TypeData::OfRoofAttachment(sr);
    AppendChildToObject(skylight, roof);

    Objex* cabinet = NewObjectOn(layer, objtype::kGroup, objsubtype::kCabinetGroup);
    auto* cs = new CabinetState{};
    cs->f1 = 45;
    cs->elevation = 36;
    cabinet->typeData = TypeData::OfCabinet(cs);

    Objex* textCopy = DuplicateObject(text, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate);
    Objex* roofCopy = DuplicateObject(roof, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate);
    Objex* cabinetCopy = DuplicateObject(cabinet, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate);
    ASSERT_TRUE(textCopy && roofCopy && cabinetCopy);

    TextData* tc = textCopy->typeData.text;
    ASSERT_NE(tc, nullptr);
    EXPECT_NE(tc, td);
    EXPECT_NE(tc->text, td->text);
    EXPECT_NE(textCopy->text, text->text);

    Objex* skylightCopy = roofCopy->firstChild;
    ASSERT_NE(skylightCopy, nullptr);
    RoofAttachmentRecord* rc = skylightCopy->typeData.roofAttachment;
    ASSERT_NE(rc, nullptr);
    EXPECT_EQ(rc->attachment, skylightCopy);
    EXPECT_EQ(rc->style, 806);
    EXPECT_FLOAT_EQ(rc->angle, 30);
    EXPECT_EQ(rc->flipFlags[1], 1);
    EXPECT_EQ(rc->texture2, 123);
    EXPECT_EQ(rc->customPartCount, 2);
    ASSERT_NE(rc->customParts, nullptr);
    ASSERT_NE(rc->customParts->next, nullptr);
    EXPECT_EQ(rc->customParts->next->prev, rc->customParts);
    EXPECT_EQ(rc->customParts->parent, skylightCopy);
    ASSERT_NE(rc->partLists[4], nullptr);
    EXPECT_EQ(skylightCopy->firstChild, nullptr);

    CabinetState* cc = cabinetCopy->typeData.cabinet;
    ASSERT_NE(cc, nullptr);
    EXPECT_NE(cc, cs);

    DeleteObj(text);
    DeleteObj(roof);
    DeleteObj(cabinet);
    EXPECT_STREQ(tc->text, "Porch");
    EXPECT_EQ(tc->font.lfHeight, -28);
    EXPECT_EQ(tc->alignment, 2);
    EXPECT_STREQ(textCopy->text, "note");
    EXPECT_FLOAT_EQ(rc->customParts->firstPoint->position[0], 7);
    EXPECT_FLOAT_EQ(rc->customParts->next->firstPoint->position[0], 8);
    EXPECT_FLOAT_EQ(rc->partLists[4]->firstPoint->position[0], 9);
    EXPECT_FLOAT_EQ(cc->f1, 45);
    EXPECT_FLOAT_EQ(cc->elevation, 36);
}

TEST_F(DuplicateTest, PhotoAndUserPlantCopiesTakeFreshTextureIDs) {
    ASSERT_EQ(gCurrentPhotoTextureID, kFirstCustomTextureID);
    Objex* photo = NewObjectOn(layer, objtype::kPhoto);
    Add(photo, 0, 0, 0);
    Add(photo, 10, 0, 0);
    photo->typeData = TypeData::OfImagePath(CopyString("/designs/porch.jpg"));
    photo->texture2 = 20500;

    Objex* a = DuplicateObject(photo, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate);
    Objex* b = DuplicateObject(photo, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->texture2, 20000);
    EXPECT_EQ(a->texture3, 20000);
    EXPECT_EQ(a->texture4, 20000);
    EXPECT_EQ(PointAt(a, 1)->texture1, 20000);
    EXPECT_EQ(PointAt(a, 1)->texture2, 20000);
    EXPECT_EQ(b->texture2, 20001);
    EXPECT_EQ(gCurrentPhotoTextureID, 20002);
    ASSERT_EQ(a->typeData.kind, TypeDataKind::ImagePath);
    EXPECT_NE(a->typeData.imagePath, photo->typeData.imagePath);
    DeleteObj(photo);
    EXPECT_STREQ(a->typeData.imagePath, "/designs/porch.jpg");

    Objex* plant = NewObjectOn(layer, objtype::kPlant, objsubtype::kUserPlant);
    Add(plant, 0, 0, 0);
    plant->typeData = TypeData::OfImagePath(CopyString("/plants/fern.png"));
    Objex* plantCopy = DuplicateObject(plant, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate);
    EXPECT_EQ(plantCopy->texture2, 20002);

    // Without an image path nothing is given.
    Objex* bare = NewObjectOn(layer, objtype::kPhoto);
    bare->texture2 = 7;
    Objex* bareCopy = DuplicateObject(bare, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate);
    EXPECT_EQ(bareCopy->texture2, 7);
    EXPECT_EQ(gCurrentPhotoTextureID, 20003);
}

TEST_F(DuplicateTest, PlacementModesAndRefusals) {
    Objex* group = NewObjectOn(layer, objtype::kGroup);
    Objex* m1 = NewObject(objtype::kPolygon);
    Add(m1, 20, 0, 5);
    Add(m1, 30, 0, 5);
    Objex* m2 = NewObject(objtype::kPolygon);
    Add(m2, 40, 0, 5);
    AppendChildToObject(m1, group);
    AppendChildToObject(m2, group);

    // A symbol's top object only, its points selected.
    Objex* top = DuplicateObject(group, nullptr, nullptr, nullptr, 1, dupmode::kSymbolTop);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->firstChild, nullptr);
    EXPECT_EQ(top->layer, layer);

    // After a sibling, or as the first child of a parent.
    Objex* afterM1 = DuplicateObject(m2, nullptr, m1, nullptr, 0, dupmode::kDuplicate);
    EXPECT_EQ(m1->next, afterM1);
    EXPECT_EQ(afterM1->next, m2);
    EXPECT_EQ(m2->prev, afterM1);
    EXPECT_EQ(afterM1->parent, group);
    Objex* head = DuplicateObject(m2, group, nullptr, nullptr, 0, dupmode::kDuplicate);
    EXPECT_EQ(group->firstChild, head);
    EXPECT_EQ(head->next, m1);
    EXPECT_EQ(m1->prev, head);

    // Mirror copies: points selected, flipped about the flip centre; children too.
    gFlipCenterX = 50;
    gFlipCenterY = 50;
    Objex* leftRight = DuplicateObject(m1, nullptr, nullptr, nullptr, 0, dupmode::kMirrorLeftRight);
    EXPECT_FLOAT_EQ(PointAt(leftRight, 0)->position[0], 80);
    EXPECT_FLOAT_EQ(PointAt(leftRight, 1)->position[0], 70);
    EXPECT_EQ(PointAt(leftRight, 0)->selected, 1);
    EXPECT_FLOAT_EQ(PointAt(m1, 0)->position[0], 20);
    EXPECT_EQ(PointAt(m1, 0)->selected, 0);
    Objex* topBottom = DuplicateObject(group, nullptr, nullptr, nullptr, 0, dupmode::kMirrorTopBottom);
    Objex* memberCopy = topBottom->firstChild;
    ASSERT_NE(memberCopy, nullptr);
    EXPECT_FLOAT_EQ(memberCopy->firstPoint->position[2], 95);
    EXPECT_FLOAT_EQ(memberCopy->firstPoint->position[0], 40);
    EXPECT_EQ(memberCopy->firstPoint->selected, 1);
    DeleteObj(leftRight);
    DeleteObj(topBottom);

    // Symbol-editor and section-detail groups and their members are not copied.
    for (int32_t kind : {groupkind::kSymbolEditor, groupkind::kSectionDetail}) {
        group->groupKind = kind;
        EXPECT_EQ(DuplicateObject(group, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate), nullptr);
        EXPECT_EQ(DuplicateObject(m1, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate), nullptr);
    }
    EXPECT_EQ(DuplicateObject(nullptr, nullptr, nullptr, nullptr, 1, dupmode::kDuplicate), nullptr);
}

TEST_F(DuplicateTest, MirrorCopyOfAnImportedObjectGroupMirrorsItsRotation) {
    gFlipCenterX = 0;
    Objex* group = NewObjectOn(layer, objtype::kGroup);
    group->params[4] = 30;
    Objex* model = NewObject(objtype::kFentrix);
    Add(model, 10, 0, 10);
    AppendChildToObject(model, group);

    Objex* copy = DuplicateObject(group, nullptr, nullptr, nullptr, 1, dupmode::kMirrorLeftRight);
    ASSERT_NE(copy, nullptr);
    EXPECT_FLOAT_EQ(copy->params[4], 330);
    EXPECT_FLOAT_EQ(copy->firstChild->firstPoint->position[0], -10);
    EXPECT_FLOAT_EQ(group->params[4], 30);
}

}  // namespace
