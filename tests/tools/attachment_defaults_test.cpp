// New attachment records take their tools' defaults (scale 36: an inch is 2 plan units) and
// come back from a design file as they went in.
#include <gtest/gtest.h>

#include "files/design_file.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "support/build.h"
#include "support/records.h"
#include "tools/attachment_defaults.h"
#include "tools/wall_attachments.h"

namespace {

using namespace dvxtest;

class NewRecords : public FileTest {
protected:
    NewRecords() : FileTest("new_records") {}
};

TEST_F(NewRecords, TakeTheirOwnersDefaults) {
    Objex* wall = Wall(current(), {{0, 0}, {100, 0}, {100, 80}, {300, 80}});
    Poinz* p3 = PointAt(wall, 2);
    Poinz* p4 = PointAt(wall, 3);
    gFlipWinHorizontal = 1;
    gFlipWinVertical = 1;
    const struct { AttachmentRecord* r; int16_t owner, style; float size[3]; int16_t flags[2]; uint8_t side;
                   int32_t trim; float trimWidth; } rows[] = {
        {NewDoorRecord(p3, p4, 30), 16, 501, {60, 160, 0}, {0, 1}, 0, 2218, 3},
        {NewWindowRecord(p3, p4, 30), 17, 600, {72, 112, 48}, {1, 0}, 1, 2218, 3},
        {NewAccessoryRecord(p3, p4, 30, 1), 157, 0, {92, 130, 168}, {0, 1}, 1, 0, 0},
        {NewComponentRecord(73, p3, p4, 30, 0), 73, 0, {12, 32, 84}, {1, 0}, 0, 0, 0},
        {NewComponentRecord(138, p3, p4, 30, 1), 138, 0, {0, 200, 0}, {1, 0}, 1, 0, 0},
        {NewDeckStepRecord(p3, p4, 30, 50), 53, 0, {50, 48, 0}, {1, 1}, 0, 0, 0},
    };
    for (const auto& row : rows) {
        AttachmentRecord* r = row.r;
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(Near({r->ownerType, r->style, r->width, r->height, r->elevation, r->directionFlag, r->frameFlag,
                          r->sideFlag, r->insideTrimTexture, r->outsideTrimTexture, r->trimWidth},
                         {row.owner, row.style, row.size[0], row.size[1], row.size[2], row.flags[0], row.flags[1],
                          row.side, row.trim, row.trim, row.trimWidth}))
            << row.owner;
        EXPECT_TRUE(Same({r->segmentStart, r->segmentEnd}, {p3, p4}));
        EXPECT_FLOAT_EQ(r->centreDistance + r->remainder, 200);
        for (Objex* list : r->customParts) EXPECT_EQ(list, nullptr);
        EXPECT_TRUE(Near({r->insideTrimScale[0], r->outsideTrimScale[1], r->insideTrimColor.blue}, {100, 100, 65535}));
        delete r;
    }
    EXPECT_EQ(NewDoorRecord(p3, nullptr, 30), nullptr);
}

TEST_F(NewRecords, SurviveAWriteAndARead) {
    Objex* wall = TrimmedWall(current(), 4);  // its third segment runs 100 from (100, 100)
    Poinz* p3 = PointAt(wall, 2);
    Poinz* p4 = PointAt(wall, 3);
    Objex* door = Make(objtype::kDoor).line(2).with(NewDoorRecord(p3, p4, 30)).in(wall);
    Objex* window = Make(objtype::kWindow).line(2).with(NewWindowRecord(p3, p4, 60)).in(wall);
    for (Objex* o : {door, window}) UpdateWallAttachment(o);
    // Scratch links of the carving chain are never stored.
    door->typeData.attachment->nextRecord = window->typeData.attachment;
    window->typeData.attachment->prevRecord = door->typeData.attachment;

    Objex* sky = nullptr;
    Objex* roof = RoofWithSkylight(current(), 800, &sky);
    DeleteObjectData(sky);
    Make(sky).with(NewSkylightRecord(sky, 11));
    const RoofAttachmentRecord* s = sky->typeData.roofAttachment;
    EXPECT_TRUE(Near({s->ownerType, s->style, s->width, s->length, s->trimWidth, s->angle, s->sectionSubtype,
                      s->texture1, s->textureScale1[0], s->color1.green, s->color2.red},
                     {160, 800, 72, 112, 6, 90, 11, 2218, 100, 28784, 65535}));
    EXPECT_EQ(s->attachment, sky);

    const std::string path = dir + "/records.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(KeyFileRead(path.c_str()), 1);
    Layer* floor = GetLayerFromName(current()->name);
    Objex* wallBack = floor->firstObject;
    ASSERT_TRUE(wallBack && wallBack->next);
    ExpectSameObject(wall, wallBack, "wall");  // the links were written as 0
    ExpectSameObject(roof, wallBack->next, "roof");
    for (Objex* c = wallBack->firstChild; c; c = c->next)
        EXPECT_TRUE(!c->typeData.attachment->prevRecord && !c->typeData.attachment->nextRecord);
    EXPECT_EQ(wallBack->next->firstChild->typeData.roofAttachment->attachment, wallBack->next->firstChild);
    EXPECT_TRUE(alerts.shown.empty());
    other->dealloc();
    gCurDocument = doc;
}

}  // namespace
