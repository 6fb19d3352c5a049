// Materials, colours and mouldings dropped on the live view land in the model field the picked
// piece came from, are carried over by the object's type, and the object is rebuilt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "content/core/content_selection_seams.h"
#include "files/content_folders.h"
#include "files/design_file.h"
#include "files/palettes.h"
#include "files/template_files.h"
#include "geometry/elements/fence_build.h"
#include "geometry/openings/trim_files.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "files/custom_textures.h"
#include "render/core/pick_seams.h"
#include "scene/pick_state.h"
#include "scene/apply_materials.h"
#include "scene/face_materials.h"
#include "scene/scene_build.h"
#include "support/content_library.h"
#include "support/rebuild_recorder.h"
#include "support/records.h"
#include "support/scene_checks.h"
#include "tools/photos.h"
#include "tools/roof_panels.h"
#include "tools/wall_construction.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using facemat::PointSide1;
using facemat::PointSide2;
constexpr RGBColor kNone{0xFFFF, 0xFFFF, 0xFFFF};

bool Is(RGBColor c, RGBColor want) { return c.red == want.red && c.green == want.green && c.blue == want.blue; }
bool Is(ShortPoint s, int16_t x, int16_t y) { return s.x == x && s.y == y; }

class ApplyMaterialsTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        RegisterLiveView(true);
        SetPickGLPlaneObjectHandler([this](int32_t, int32_t) {
            seenLevel = CurrentDocState()->navigationSpeed, seenPickMode = gGLPickMode;
            return answer;
        });
    }
    void TearDown() override { DeleteAllRendererObjects(), SelectionTest::TearDown(); }
    // A scene piece of `base` built from `o3` whose fields are the slot, and the pick's answer.
    PlaneObject* Piece(Objex* base, Objex* o3, uint16_t kind, facemat::Side fields, bool planar = false) {
        PlaneObject* p = CreatePlaneObject();
        p->baseObject = p->sourceObject = base, p->object3D = o3, p->pieceKind = kind;
        p->surfaceKind = planar ? kPlanarSurface : kShapedWallFace;
        facemat::SetFront(p, fields), facemat::SetBack(p, fields);
        AppendPlaneObjectToList(gGLPlaneObjects, p);
        answer = {GLPick::Piece, p};
        return p;
    }
    // A custom texture 36 wide and 80 high.
    int32_t OakTexture() {
        char name[] = "Trim/oak.jpg";
        WriteTextFile(LocalDomainCustomTexturePath() + "/Trim/oak.PTI", "[Size]\nWidth=36\nHeight=80\n");
        return NewCustomTextureID(name);
    }
    GLPick answer;
    int16_t seenLevel = 0;
    uint8_t seenPickMode = 0;
};

TEST_F(ApplyMaterialsTest, DropsOnTheSkyAndTheGroundChangeBackdropAndLot) {
    DocState* ds = CurrentDocState();
    ds->navigationSpeed = 6;
    const RGBColor orange{0xFFFF, 0x8080, 0x3333};  // 0x3380FF: red in the low byte
    struct {
        const char* name;
        GLPick::Kind where;
        std::function<int32_t()> drop;
        int32_t texture;
        RGBColor colour;
        int16_t size[2];
    } rows[] = {
        {"colour on the sky", GLPick::Nothing, [] { return ApplyColor(3, 4, 0x3380FF, 0, 0); }, 0, orange, {100, 100}},
        {"translucent colour", GLPick::Nothing, [] { return ApplyColor(3, 4, 0x3380FF, 1, 90); }, 0, orange, {-1, 90}},
        {"texture on the ground", GLPick::Lot, [] { return ApplyTexture(3, 4, 2001); }, 2001, kNone, {100, 100}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ds->backgroundTexture = ds->lotTexture = 77;
        answer = {r.where, nullptr};
        EXPECT_EQ(r.drop(), 0);
        const bool sky = r.where == GLPick::Nothing;
        EXPECT_EQ(sky ? ds->backgroundTexture : ds->lotTexture, r.texture);
        EXPECT_TRUE(Is(sky ? ds->skyColor : ds->lotColor, r.colour));
        EXPECT_TRUE(Is(sky ? ds->skyTextureScale : ds->lotTextureScale, r.size[0], r.size[1]));
        EXPECT_EQ(std::tuple(seenLevel, seenPickMode, ds->navigationSpeed, gGLPickMode, gPickX), std::tuple(8, 1, 6, 0, 3));
    }
}

TEST_F(ApplyMaterialsTest, RefusedDropsChangeNothing) {
    Objex* path = Outline(objtype::kPath, {{0, 0}, {50, 0}}, false).on(floor);
    PlaneObject* stray = CreatePlaneObject();
    facemat::SetBack(stray, PointSide1(path->firstPoint));
    const std::pair<const char*, std::function<int32_t()>> rows[] = {
        {"lot texture beyond 16 bits", [&] { return answer = {GLPick::Lot}, ApplyTexture(0, 0, 40000); }},
        {"piece not in the scene", [&] { return answer = {GLPick::Piece, stray}, ApplyTexture(0, 0, 2001); }},
        {"negative texture", [&] { return Piece(path, path, 0, PointSide1(path->firstPoint)), ApplyTexture(0, 0, -5); }},
        {"palette entry missing", [] { return ApplyPalette(0, 0, -1151); }},
        {"no selection buffer", [] { return SetPickGLPlaneObjectHandler(nullptr), ApplyTexture(0, 0, 2001); }},
    };
    for (const auto& [name, drop] : rows) {
        SCOPED_TRACE(name);
        DocState before;
        std::memcpy(&before, CurrentDocState(), sizeof before);
        EXPECT_EQ(drop(), 0);
        EXPECT_EQ(std::memcmp(&before, CurrentDocState(), sizeof before), 0);
        EXPECT_EQ(path->firstPoint->texture1, 0);
    }
    DeletePlaneObject(stray);
}

TEST_F(ApplyMaterialsTest, ATextureOnAWallFaceLandsInItsSegmentStartAndShowsAfterTheRebuild) {
    Objex* wall = TrimmedWall(floor, 2);
    Update3DWall(wall);
    RenderAllLayers();
    PlaneObject* face = nullptr;
    for (PlaneObject* p : PiecesOf(wall))
        if (p->segmentStart && p->object3D == wall && !face) face = p;
    ASSERT_NE(face, nullptr);
    Poinz* start = face->segmentStart;
    int32_t* field = face->backTextureField;
    ASSERT_TRUE(field == &start->texture1 || field == &start->texture2);
    answer = {GLPick::Piece, face};
    EXPECT_EQ(ApplyTexture(5, 5, 1234), 1);
    EXPECT_EQ(*field, 1234);
    int shown = 0;
    for (PlaneObject* p : PiecesOf(wall)) shown += p->backTexture == 1234;
    EXPECT_GT(shown, 0);
}

// One row per carry-over branch: the objects, the drop, and what the model must hold after.
TEST_F(ApplyMaterialsTest, EachTypeCarriesTheMaterialOver) {
    const int32_t oak = OakTexture();
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"door trim takes the texture's size, the door itself the opening's material", [&] {
             Objex* wall = TrimmedWall(floor, 2);
             Objex* door = Opening(wall, objtype::kDoor, 501, 0);
             AttachmentRecord* r = door->typeData.attachment;
             Piece(wall, door, 1, {0, {}, nullptr, &r->insideTrimTexture, &r->insideTrimColor, r->insideTrimScale});
             EXPECT_EQ(ApplyTexture(1, 1, oak), 1);
             EXPECT_EQ(std::tuple(r->insideTrimTexture, r->insideTrimScale[0], r->insideTrimScale[1]), std::tuple(oak, 36, 80));
             Piece(wall, door, 0, PointSide1(wall->firstPoint));
             EXPECT_EQ(ApplyColor(1, 1, 0xFF, 0, 0), 1);
             EXPECT_TRUE(Is(door->fillColor, {0xFFFF, 0, 0}) && Is(door->penColor, {0xFFFF, 0, 0}) && door->texture == 0);
         }},
        {"roof piece 32: the roof's first point, side 1", [&] {
             Objex* roof = SectionedRoof(floor, {RoofSection({{0, 0}, {100, 0}, {100, 100}}, 10, {})});
             Objex* piece = roof->typeData.roofPanels;
             Piece(roof, piece, 0, PointSide1(piece->firstPoint));
             EXPECT_EQ(ApplyTexture(1, 1, 2005), 1);
             EXPECT_EQ(roof->firstPoint->texture1, 2005);
         }},
        {"skylight trim takes the texture's size, its body its own material", [&] {
             Objex* sky = nullptr;
             Objex* roof = RoofWithSkylight(floor, 800, &sky);
             RoofAttachmentRecord* r = sky->typeData.roofAttachment;
             Piece(roof, sky, 1, {0, {}, nullptr, &r->texture1, &r->color1, r->textureScale1});
             EXPECT_EQ(ApplyTexture(1, 1, oak), 1);
             EXPECT_EQ(std::tuple(r->textureScale1[0], r->textureScale1[1]), std::tuple(36, 80));
             Piece(roof, sky, 0, PointSide1(sky->firstPoint));
             EXPECT_EQ(ApplyTexture(1, 1, 2006), 1);
             EXPECT_EQ(sky->texture, 2006);
         }},
        {"deck riser: side 1 of every point and the first set, not the face's own field", [&] {
             Objex* deck = Deck(floor);
             Objex* riser = Part(43);
             const int32_t own = deck->firstPoint->texture2;
             Piece(deck, riser, 0, PointSide2(deck->firstPoint));
             EXPECT_EQ(ApplyTexture(1, 1, 2007), 1);
             for (Poinz* p = deck->firstPoint; p; p = p->next) EXPECT_EQ(p->texture1, 2007);
             EXPECT_EQ(std::tuple(deck->texture2, deck->firstPoint->texture2), std::tuple(2007, own));
             DeleteObj(riser);
         }},
        {"fence gate panel: the gate's slot, the style kept, rebuilt", [&] {
             Objex* fence = Shape(floor, objtype::kFence, {{0, 0}, {50, 0}});
             objfield::fence::kStyle(*fence) = objfield::fence::kCustomStyle;
             fence->firstPoint->kind = pointkind::kGatePoint;
             UpdateFenceObject(fence);
             Piece(fence, fence->firstPart, 0, PointSide1(fence->firstPart->firstPoint));
             EXPECT_EQ(ApplyTexture(1, 1, 2012), 1);
             EXPECT_EQ(std::tuple(objfield::fence::kStyle(*fence), fence->texture4, fence->firstPart->firstPoint->texture1),
                       std::tuple(objfield::fence::kCustomStyle, 2012, 2012));
         }},
        {"path: every point, rebuilt", [&] {
             Objex* path = Outline(objtype::kPath, {{0, 0}, {50, 0}, {50, 60}}, false).on(floor);
             Piece(path, path, 0, PointSide1(path->firstPoint));
             EXPECT_EQ(ApplyTexture(1, 1, 2008), 1);
             for (Poinz* p = path->firstPoint; p; p = p->next) EXPECT_EQ(std::tuple(p->texture1, p->texture2), std::tuple(2008, 2008));
             EXPECT_NE(path->firstPart, nullptr);
         }},
        {"palette colour entry gives its size", [&] {
             PaletteList* entry = GetPaletteEntryFromRefID(3);
             ASSERT_NE(entry, nullptr);
             entry->kind = 4, entry->textureScale[0] = 70, entry->textureScale[1] = 40;
             Objex* fill = Outline(objtype::kFill, {{0, 0}, {50, 0}, {50, 60}}).on(floor);
             Piece(fill, fill, 0, PointSide1(fill->firstPoint));
             EXPECT_EQ(ApplyPalette(1, 1, -1003), 1);
             EXPECT_EQ(std::tuple(fill->firstPoint->texture2, fill->firstPoint->faceScale2.x, fill->firstPoint->faceScale2.y),
                       std::tuple(-1003, 70, 40));
         }},
        {"cabinets of the same style in the group", [&] {
             std::vector<Objex*> parts = ListOf(Cabinet(floor, 3)->firstChild);
             parts[0]->subtype = parts[1]->subtype = 4021, parts[2]->subtype = 4022;
             Piece(parts[0], parts[0], 0, PointSide1(parts[0]->firstPoint));
             EXPECT_EQ(ApplyTexture(1, 1, 2009), 1);
             for (int i : {0, 1}) EXPECT_EQ(std::tuple(parts[i]->texture2, parts[i]->texture3, PointAt(parts[i], 3)->texture2),
                                            std::tuple(2009, 2009, 2009));
             EXPECT_NE(parts[2]->texture2, 2009);
         }},
        {"no base object: only the face", [&] {
             Objex* fill = Outline(objtype::kFill, {{0, 0}, {50, 0}, {50, 60}}).on(floor);
             Piece(nullptr, nullptr, 0, PointSide1(fill->firstPoint));
             EXPECT_EQ(ApplyTexture(1, 1, 2011), 1);
             EXPECT_EQ(std::tuple(fill->firstPoint->texture1, fill->firstPoint->next->texture1), std::tuple(2011, 0));
         }},
        {"custom image on a photo", [&] {
             Objex* photo = BuildPhoto();
             Piece(photo, photo->firstPart, 0, PointSide1(photo->firstPoint));
             SymEntryInfo entry;
             entry.objectData = "Photos/porch.jpg";
             EXPECT_EQ(ApplyCustomTextureImage(1, 1, entry), 1);
             char again[] = "Photos/porch.jpg";
             const int32_t id = NewCustomTextureID(again);
             EXPECT_EQ(std::string(photo->typeData.imagePath), LocalDomainCustomTexturePath() + "/Photos/porch.jpg");
             EXPECT_EQ(std::tuple(photo->texture2, photo->texture4, photo->firstPoint->next->texture2), std::tuple(id, id, id));
             EXPECT_EQ(photo->firstPart->firstPoint->texture1, id);
         }},
    };
    for (const auto& [name, run] : rows) {
        SCOPED_TRACE(name);
        run();
    }
}

// A freehand panel's slab, seen from below, shows the panel's underside material (slot 4, none
// when new) and takes a colour dropped on it there; its top takes what is dropped on the top;
// neither changes the plan's fill colour. Rows: both downhill senses across D, both windings,
// and an outline whose first corner turns against the rest.
TEST_F(ApplyMaterialsTest, APanelsUndersideAndTopTakeTheirOwnSetsWhicheverWayItSlopesOrRuns) {
    constexpr RGBColor kRed{0xFFFF, 0, 0}, kBlue{0, 0, 0xFFFF}, kGreen{0, 0xFFFF, 0};
    const PlanPoints square = {{0, 0}, {120, 0}, {120, 90}, {0, 90}};
    const PlanPoints reversed = {{0, 90}, {120, 90}, {120, 0}, {0, 0}};
    const PlanPoints notched = {{60, 0}, {60, 40}, {0, 40}, {0, 90}, {120, 90}, {120, 0}};
    const struct Row {
        const char* name;
        PlanPoints outline;
        float slope;
    } rows[] = {
        {"clockwise, downhill toward -D", square, 90},
        {"clockwise, downhill toward +D", square, 270},
        {"counter-clockwise, downhill toward -D", reversed, 90},
        {"counter-clockwise, downhill toward +D", reversed, 270},
        {"first corner turning against the rest", notched, 30},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Objex* panel = Outline(objtype::kFreehandRoof, r.outline).on(floor);
        MakeRoofPanel(panel, CurrentDocState(), 96, 0, r.slope);
        // The slab's planar faces, the lower first: its mean height is the smaller.
        const auto faces = [&] {
            Update3DRoofPanel(panel), RenderSingleObject(panel);
            std::vector<std::pair<double, PlaneObject*>> found;
            for (PlaneObject* p : PiecesOf(panel)) {
                if (p->surfaceKind != kPlanarSurface || !p->planes) continue;
                double up = 0;
                for (uint32_t i = 0; i < p->planes->count; ++i) up -= p->planes->vertices[i].V;
                found.push_back({up / p->planes->count, p});
            }
            std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
            return found;
        };
        auto built = faces();
        ASSERT_EQ(built.size(), 2u);
        EXPECT_TRUE(Is(built[0].second->frontColor, kNone) && built[0].second->frontTexture == 0) << "the underside is not none";
        answer = {GLPick::Piece, built[0].second};
        EXPECT_EQ(ApplyColor(1, 1, 0xFF0000, 0, 0), 1);  // blue in the high byte
        EXPECT_TRUE(Is(panel->color4, kBlue) && Is(panel->fillColor, kRed) && Is(panel->color2, {58000, 58000, 58000}));
        built = faces();
        EXPECT_TRUE(Is(built[0].second->frontColor, kBlue)) << "the underside does not show the colour";
        answer = {GLPick::Piece, built[1].second};
        EXPECT_EQ(ApplyColor(1, 1, 0x00FF00, 0, 0), 1);
        EXPECT_TRUE(Is(panel->color2, kGreen) && Is(panel->color4, kBlue) && Is(panel->fillColor, kRed));
        DeleteObj(panel);
    }
}

// The drop rebuilds the object through the rebuild table, whichever folder builds its type.
TEST_F(ApplyMaterialsTest, EachDropAsksForItsTypesRebuild) {
    const std::pair<const char*, std::function<Objex*()>> rows[] = {
        {"path", [&] { return Outline(objtype::kPath, {{0, 0}, {50, 0}, {50, 60}}, false).on(floor); }},
        {"floor", [&] { return Outline(objtype::kFloor, {{0, 0}, {50, 0}, {50, 60}}).on(floor); }},
        {"deck", [&] { return Deck(floor); }},
        {"roof", [&] { return SectionedRoof(floor, {RoofSection({{0, 0}, {100, 0}, {100, 100}}, 10, {})}); }},
    };
    for (const auto& [name, make] : rows) {
        SCOPED_TRACE(name);
        Objex* o = make();
        RebuildRecorder recorder({o->type});
        Piece(o, o, 0, PointSide1(o->firstPoint));
        EXPECT_EQ(ApplyTexture(1, 1, 2013), 1);
        EXPECT_TRUE(recorder.Rebuilt(o));
    }
}

TEST_F(ApplyMaterialsTest, MouldingsSetTheirCodeInTheFacesTrimRecord) {
    struct {
        const char* name;
        int32_t id;
        int16_t modifiers;
        int32_t word, code;  // the word of the first point's record after the drop
        bool everyPoint;
    } rows[] = {
        {"no base moulding", 104, 0, 0, 0, false},
        {"with Shift on every point", 104, 4, 0, 0, true},
        {"crown", 400, 0, 1, 0x0B, false},
        {"paneling", 202, 0, 0, 0x204, false},
        {"unknown ID", 999, 0, 0, TrimRecord::kCustomProfile, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Objex* wall = TrimmedWall(floor, 3);
        Update3DWall(wall);  // its faces, for the rebuild to make again
        for (Poinz* p = wall->firstPoint; p; p = p->next)
            p->trim1->slot[r.word] = TrimRecord::kCustomProfile, p->trim1->profile[r.word] = Part(9);
        PlaneObject* face = Piece(wall, wall, 0, PointSide1(wall->firstPoint));
        face->segmentStart = wall->firstPoint, face->trimRecordField = &wall->firstPoint->trim1;
        gTrackModifiers = r.modifiers;
        EXPECT_EQ(ApplyMoulding(1, 1, r.id), 1);
        const TrimRecord* first = wall->firstPoint->trim1;
        const TrimRecord* second = PointAt(wall, 1)->trim1;
        EXPECT_EQ(first->slot[r.word], r.code);
        EXPECT_EQ(first->profile[r.word] == nullptr, r.code != TrimRecord::kCustomProfile);
        EXPECT_EQ(second->slot[r.word] == r.code, r.everyPoint || r.code == TrimRecord::kCustomProfile);
        EXPECT_EQ(PointAt(wall, 1)->trim2->slot[r.word], 0);
        EXPECT_TRUE(Built(wall));
        gTrackModifiers = 0;
    }
}

TEST_F(ApplyMaterialsTest, AMouldingOnADoorTrimSetsItsWidthAndDropsItsCustomTrim) {
    Objex* wall = TrimmedWall(floor, 2);
    Objex* door = Opening(wall, objtype::kDoor, 501, 0);
    AttachmentRecord* r = door->typeData.attachment;
    r->insideCustomTrim = 1, r->insideTrimProfile = Part(9);
    Piece(door, door, 1, PointSide1(door->firstPoint));
    EXPECT_EQ(ApplyMoulding(1, 1, 101), 1);
    EXPECT_EQ(std::tuple(r->trimWidth, r->insideCustomTrim, r->insideTrimProfile), std::tuple(4.0f, 0, nullptr));
}

class CustomTrimTest : public ApplyMaterialsTest {
protected:
    void SetUp() override {
        ApplyMaterialsTest::SetUp();
        const std::string folder = LocalDomainCustomTrimPath();
        std::filesystem::create_directories(folder);
        WriteFileBytes(folder + "/ogee.ptt", DesignBytes(11100).object(9, 3, 1).tag(400).data());
        WriteTextFile(folder + "/ogee.pti", "[Description]\nTrimName=Ogee\n");
        SymEntryInfo entry;
        entry.type = 12, entry.objectData = "ogee.ptt";
        SetContentPaletteSelectedSymEntryHandler([entry] { return std::optional<SymEntryInfo>(entry); });
        wall = TrimmedWall(floor, 3);
    }
    // The read came and went: no scratch layer left and nothing new on the floor.
    void ExpectNoScratch(int layers) {
        EXPECT_EQ(std::tuple(gAttachmentTempLayer, CountLayers(doc->itsLayers), CountObjects(floor->firstObject)),
                  std::tuple(nullptr, layers, 1));
    }
    Objex* wall = nullptr;
};

TEST_F(CustomTrimTest, WithShiftEveryPointOfTheSideGetsItsOwnNamedProfile) {
    const int layers = CountLayers(doc->itsLayers);
    PlaneObject* face = Piece(wall, wall, 0, PointSide1(wall->firstPoint));
    face->segmentStart = wall->firstPoint, face->trimRecordField = &wall->firstPoint->trim1;
    gTrackModifiers = 4;
    EXPECT_EQ(ApplyCustomMoulding(1, 1, 7), 1);
    const Objex* previous = nullptr;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        const Objex* profile = p->trim1->profile[0];
        ASSERT_TRUE(profile && profile != previous);
        EXPECT_EQ(std::tuple(p->trim1->slot[0], std::string(profile->text), profile->layer, profile->pointCount, p->trim2->profile[0]),
                  std::tuple(TrimRecord::kCustomProfile, "Ogee", floor, 3, nullptr));
        previous = profile;
    }
    ExpectNoScratch(layers);
}

// A profile that is a group: the copy's members leave the read's scratch layer with it, so
// the next trim on the slot frees them whole once that layer is gone.
TEST_F(CustomTrimTest, AProfilesMembersMoveOntoTheWallsFloorWithIt) {
    const int layers = CountLayers(doc->itsLayers);
    WriteFileBytes(LocalDomainCustomTrimPath() + "/ogee.ptt", DesignBytes(11100)
                                                                   .object(objtype::kGroup, 0)
                                                                   .tag(designtag::kGroupStart)
                                                                   .object(9, 3, 1)
                                                                   .object(9, 4, 2)
                                                                   .tag(designtag::kGroupEnd)
                                                                   .tag(400)
                                                                   .data());
    TrimRecord* record = wall->firstPoint->trim1;
    for (int again = 0; again < 2; ++again) {
        ReadCustomTrimFile(wall, 0, record);
        const Objex* profile = record->profile[0];
        ASSERT_TRUE(profile && profile->firstChild && profile->firstChild->next) << again;
        EXPECT_EQ(std::tuple(profile->layer, profile->firstChild->layer, profile->firstChild->next->layer),
                  std::tuple(floor, floor, floor))
            << again;
        ExpectNoScratch(layers);
    }
}

TEST_F(CustomTrimTest, WithoutATrimEntryOrAReadableFileTheOldProfileStays) {
    const int layers = CountLayers(doc->itsLayers);
    TrimRecord* record = wall->firstPoint->trim1;
    Objex* old = record->profile[0] = Part(9);
    record->slot[0] = TrimRecord::kCustomProfile;
    SetContentPaletteSelectedSymEntryHandler(nullptr);
    ApplyCustomTrimFileToEntireWallGroup(wall, record, wall->firstPoint);
    ExpectNoScratch(layers);
    // A damaged definition: the read finds no object to copy.
    WriteFileBytes(LocalDomainCustomTrimPath() + "/ogee.ptt", Slice(DesignBytes(11100).object(9, 3, 1).data(), 0, 12));
    ReadCustomTrimFile(wall, 0, record);
    EXPECT_EQ(std::tuple(record->profile[0], record->slot[0]), std::tuple(old, TrimRecord::kCustomProfile));
    ExpectNoScratch(layers);
}

}  // namespace
