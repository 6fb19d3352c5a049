// The clipboard palette: taken at a copy, used to resolve the links of pasted objects.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "files/palettes.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/fixture.h"
#include "support/build.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

constexpr uint16_t k16(uint16_t c) { return static_cast<uint16_t>(c * 257); }

class PaletteClipboardTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        // The copied-from palette: a colour, a scaled texture, a custom texture.
        PaletteList* red = GetPaletteEntryFromRefID(3);
        red->kind = kPaletteColor;
        red->color[0] = 200, red->color[1] = 100, red->color[2] = 50;
        PaletteList* brick = GetPaletteEntryFromRefID(4);
        brick->kind = kPaletteTexture;
        brick->textureID = 1158;
        brick->textureScale[0] = 50, brick->textureScale[1] = 75;
        brick->name = CopyString("Brick", 10);
        PaletteList* slate = GetPaletteEntryFromRefID(9);
        slate->kind = kPaletteCustomTexture;
        slate->path = CopyString("Images\\Slate.jpg", 10);
        CreateClipBoardPaletteList();
    }
    void TearDown() override {
        if (other) {
            other->dealloc();
            other = nullptr;
        }
        gCurDocument = doc;
        DocumentTest::TearDown();
    }
    // A second design becomes current; the receiving end of a paste.
    void SwitchToOtherDocument() {
        other = QMDDocumentModel::alloc()->init();
        ASSERT_NE(other, nullptr);
        ASSERT_EQ(gCurDocument, other);
    }

    QMDDocumentModel* other = nullptr;
};

TEST_F(PaletteClipboardTest, TheClipboardPaletteIsAnOwnedCopyThatOutlivesTheDocument) {
    ASSERT_NE(gClipBoardPalette, nullptr);
    EXPECT_STREQ(gClipBoardPalette->name, "ClipBoard Palette");
    EXPECT_EQ(gClipBoardPalette->active, 0);
    EXPECT_EQ(gClipBoardPalette->prev, nullptr);
    EXPECT_EQ(gClipBoardPalette->next, nullptr);
    EXPECT_STREQ(gClipBoardPalette->groupNames[14], "Group 15");
    EXPECT_EQ(gClipBoardPalette->groupFlags[0], 0);  // the active palette's flags

    doc->dealloc();
    doc = nullptr;
    int entries = 0;
    for (const PaletteList* e = gClipBoardPalette->firstEntry; e; e = e->next) ++entries;
    EXPECT_EQ(entries, 150);
    EXPECT_EQ(GetClipBoardPaletteTextureScale(-1004), 50 + 75 * 65536);
    RGBColor c;
    GetClipBoardPaletteRGBColor(&c, -1003);
    EXPECT_EQ(c, (RGBColor{200, 100, 50}));

    // A copy from a design with no active palette leaves no clipboard palette.
    SwitchToOtherDocument();
    other->itsPaletteList->active = 0;
    CreateClipBoardPaletteList();
    EXPECT_EQ(gClipBoardPalette, nullptr);
    EXPECT_EQ(GetClipBoardPaletteTextureID(-1004), 0);
    EXPECT_EQ(GetClipBoardPaletteTextureScale(-1004), 6553700);
    GetClipBoardPaletteRGBColor(&c, -1003);
    EXPECT_EQ(c, (RGBColor{255, 255, 255}));
}

TEST_F(PaletteClipboardTest, EveryLinkedSlotOfAPastedObjectIsResolved) {
    SwitchToOtherDocument();
    RebuildRecorder rebuilds;
    Objex* wall = Make(objtype::kWall).on(other->itsLayers).line(2);
    wall->texture = -1003;
    wall->texture2 = -1004;
    wall->texture5 = 1158;  // no link: kept
    wall->color5 = RGBColor{1, 2, 3};
    Poinz* p = PointAt(wall, 1);
    p->texture2 = -1004;
    p->trim1 = new TrimRecord{};
    p->trim1->texture[2] = -1003;
    Objex* window = Make(objtype::kWindow).with(new AttachmentRecord{});
    window->typeData.attachment->insideTrimTexture = -1004;
    window->texture3 = -1009;
    Make(window).in(wall);

    ConvertObjPaletteLinksToActual(wall);

    EXPECT_EQ(wall->texture, 0);
    EXPECT_EQ(wall->penColor, (RGBColor{k16(200), k16(100), k16(50)}));  // slot 1's colour
    EXPECT_EQ(wall->texture2, 1158);
    EXPECT_EQ(wall->color2, (RGBColor{0xFFFF, 0xFFFF, 0xFFFF}));
    EXPECT_EQ(wall->textureScales[0].x, 50);
    EXPECT_EQ(wall->textureScales[0].y, 75);
    EXPECT_EQ(wall->texture5, 1158);
    EXPECT_EQ(wall->color5, (RGBColor{1, 2, 3}));
    EXPECT_EQ(p->texture2, 1158);
    EXPECT_EQ(p->faceScale2.y, 75);
    EXPECT_EQ(p->trim1->texture[2], 0);
    EXPECT_EQ(p->trim1->color[2].green, k16(100));
    EXPECT_EQ(window->typeData.attachment->insideTrimTexture, 1158);
    EXPECT_EQ(window->typeData.attachment->insideTrimScale[0], 50);
    // The child's own slots: a custom texture, registered in the receiving design.
    EXPECT_GE(window->texture3, 20000);
    EXPECT_STREQ(gClipBoardPalette->firstEntry->next->next->next->next->next->next->next->next->path,
                 "Images\\Slate.jpg");

    // Rebuilt, not re-rendered.
    EXPECT_EQ(rebuilds.callsFor(wall), (std::vector<std::string>{"Update3DWall", "UpdateAllWallAttachments"}));
    EXPECT_EQ(rebuilds.count("ReRenderObject"), 0);
}

TEST_F(PaletteClipboardTest, ResolvedSlotsLinkAgainToTheReceivingPalette) {
    SwitchToOtherDocument();
    // The receiving palette has the same materials elsewhere; entry 1 is a colour with red 0.
    PaletteList* first = GetPaletteEntryFromRefID(1);
    first->kind = kPaletteColor;
    first->color[0] = 0;
    for (int32_t r = 2; r <= 20; ++r) {
        GetPaletteEntryFromRefID(r)->kind = kPaletteTexture;
        GetPaletteEntryFromRefID(r)->textureID = 500 + r;
    }
    PaletteList* red = GetPaletteEntryFromRefID(12);
    red->kind = kPaletteColor;
    red->color[0] = 200;
    GetPaletteEntryFromRefID(20)->textureID = 1158;

    Objex* roof = Make(objtype::kRoof).on(other->itsLayers);
    Objex* skylight = Make(objtype::kSkylight).with(new RoofAttachmentRecord{});
    skylight->typeData.roofAttachment->texture1 = -1003;
    skylight->typeData.roofAttachment->texture2 = -1004;
    Make(skylight).in(roof);
    Objex* group = Make(objtype::kGroup).on(other->itsLayers);
    group->texture4 = -1003;

    gUnlinkClipBoardFromPalette = 1;
    gLinkClipBoardToCurPalette = 1;
    ConvertObjPaletteLinksToActual(roof);
    ConvertObjPaletteLinksToActual(group);

    RoofAttachmentRecord* r = skylight->typeData.roofAttachment;
    EXPECT_EQ(r->texture1, -1012);
    EXPECT_EQ(r->color1, (RGBColor{k16(200), k16(100), k16(50)}));
    EXPECT_EQ(r->texture2, -1020);
    EXPECT_EQ(r->textureScale2[1], 75);
    EXPECT_EQ(group->texture4, -1012);
}

}  // namespace
