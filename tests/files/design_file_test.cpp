// Whole files: the design file, the snapshot ring, topography and cabinet files, and every
// prefix of each read without harm.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/cabinet_files.h"
#include "files/content_paths.h"
#include "files/design_file.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_section.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "files/topography.h"
#include "files/trace_image.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "model/view_state.h"
#include "plan/refresh_seams.h"
#include "port/files.h"
#include "port/session_identity.h"
#include "files/custom_textures.h"
#include "model/topo_grid.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"

using namespace dvxtest;

// Design files: the bytes written, write-then-read of a whole design, files of older
// versions assembled by hand, refused and damaged files, and the copy buffer's section.
namespace design {

// A second document for reading into; freed with the test.
class OtherDocument {
public:
    OtherDocument() : model(QMDDocumentModel::alloc()->init()) {}
    ~OtherDocument() {
        if (model) model->dealloc();
    }
    OtherDocument(const OtherDocument&) = delete;
    OtherDocument& operator=(const OtherDocument&) = delete;
    QMDDocumentModel* model;
};

class DesignFileTest : public FileTest {
protected:
    DesignFileTest() : FileTest("design") {}
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    DocState* ds() { return doc->itsDocState; }
    Layer* Floor(const char* name) { return GetLayerFromName(name); }

    // A closed shape of `n` points on a circle, mapped and measured as edits leave it.
    static Objex* Shape(Objex* o, int n, float x) {
        static const float kCircle[][2] = {{0, 0}, {40, 0}, {40, 30}, {0, 30}, {-10, 15}};
        for (int i = 0; i < n; ++i) Point(o, {x + kCircle[i % 5][0], -8.0f, kCircle[i % 5][1]});
        o->closed = 1;
        SetTextureFaceUV(o);
        SetObjectPointLengths(o);
        UpdateObjectBounds(o);
        return o;
    }
    static Objex* Child(Objex* group, Objex* child) {
        child->layer = group->layer;
        Make(child).in(group);
        return child;
    }

    int Read(const std::vector<uint8_t>& bytes) { return KeyFileRead(Write(bytes, "in.pro").c_str()); }
};

uint32_t SettingsEnd() { return 10 + PaddedDocStateLength(DocStateVersion::Current); }

std::vector<uint8_t> CabinetBytes(const CabinetState* s) {
    return Written([s] { ApplePortWritePaddedCabinetState(s); });
}

TEST_F(DesignFileTest, TheFileIsItsSectionsInOrder) {
    ASSERT_EQ(KeyFileWrite(Path("plain.pro").c_str()), 1);
    const std::vector<uint8_t> file = ReadWholeFile(Path("plain.pro"));
    const std::vector<uint8_t> start{0x00, 0x00, 0x2B, 0x5C, 0x00, 0x02, 0x00, 0x00, 0x0E, 0x94};
    EXPECT_EQ(Slice(file, 0, start.size()), start);

    // Without layers: header, settings, 400, 602, a camera count and the palettes, nothing else.
    while (doc->itsLayers) DeleteLayer(doc->itsLayers);
    ASSERT_EQ(KeyFileWrite(Path("empty.pro").c_str()), 1);
    Bytes expected;
    expected.raw(start).raw(Written([] { ApplePortWritePaddedDocState(CurrentDocState()); })).i16(400).i16(602).i32(0);
    EXPECT_EQ(ReadWholeFile(Path("empty.pro")), expected.raw(Written([] { DoWritePalettes(11100); })).data());
}

TEST_F(DesignFileTest, WriteThenReadGivesTheSameDesign) {
    Layer* first = Floor("First Floor");
    Layer* second = Floor("Second Floor");
    Objex* wall = TrimmedWall(first, 4);
    Opening(wall, objtype::kDoor, 500, 0);
    Opening(wall, objtype::kWindow, 600, 1);
    Deck(second);

    // A group holding a wall with a door between two shapes.
    Objex* group = Make(objtype::kGroup).on(first);
    Child(group, Shape(Make(9), 3, 500));
    Objex* inner = TrimmedWall(first, 3);
    Opening(inner, objtype::kDoor, 501, 0);
    UnlinkObject(inner);
    Child(group, inner);
    Child(group, Shape(Make(8), 4, 600));
    UpdateObjectRootBounds(group, 0, 0);

    // A cabinet assembly and its state.
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(second);
    auto* state = new CabinetState{};
    state->f1 = 1.5f;
    state->f2 = -7;
    state->f3to17[14] = 17.0f;
    state->f18 = 1;
    state->f39 = 39;
    Make(cabinet).with(state);
    cabinet->elevation = 30.0f;
    Child(cabinet, Shape(Make(objtype::kCabinetPart), 4, 700));
    Child(cabinet, Shape(Make(objtype::kCabinetPart), 5, 800));

    char texturePath[] = "textures/brick.jpg";
    Objex* textured = Shape(Make(9).on(second), 4, 900);
    textured->texture = NewCustomTextureID(texturePath);

    LiveViewsList* view = AddLiveViewsListEntry();
    std::strcpy(view->name, "Garden");
    view->sunAngle = 123.5f;
    view->renderMode = 3;
    view->lightFlag = 1;
    StorePlugInData(new char[4]{'a', 'b', 'c', 'd'}, 4, 77);
    StorePlugInData(nullptr, 0, 78);
    DocPaletteList* palette = AddNewDocPaletteList();
    std::strcpy(palette->name, "Second");
    ds()->trackingValue = 9;

    ASSERT_EQ(KeyFileWrite(Path("design.pro").c_str()), 1);
    const std::vector<uint8_t> file = ReadWholeFile(Path("design.pro"));
    const std::vector<uint8_t> palettes = Written([] { DoWritePalettes(11100); });
    const std::vector<uint8_t> cameras = Written([] { DoWriteLiveViews(); });

    OtherDocument other;
    ASSERT_NE(other.model, nullptr);
    ASSERT_EQ(KeyFileRead(Path("design.pro").c_str()), 1);
    QMDDocumentModel* back = other.model;
    // Everything after the settings block comes back byte for byte.
    ASSERT_EQ(KeyFileWrite(Path("again.pro").c_str()), 1);
    EXPECT_EQ(Slice(ReadWholeFile(Path("again.pro")), SettingsEnd()), Slice(file, SettingsEnd()));

    EXPECT_EQ(std::tuple(back->itsDocState->nextObjectID, back->itsDocState->nextPointID),
              std::tuple(ds()->nextObjectID, ds()->nextPointID));
    const Layer* a = doc->itsLayers;
    const Layer* b = back->itsLayers;
    for (; a && b; a = a->next, b = b->next) {
        EXPECT_EQ(0, std::memcmp(a->name, b->name, kLayerNameSize));
        EXPECT_EQ(std::tuple(b->active, b->visible, b->height), std::tuple(a->active, 1, a->height));
        Objex* readTextured = b->firstObject;
        while (readTextured && readTextured->objectID != textured->objectID) readTextured = readTextured->next;
        if (readTextured) {
            // Custom textures travel by path: the number may differ between documents.
            EXPECT_STREQ(GetCustomTextureIDPath(readTextured->texture), texturePath);
            readTextured->texture = textured->texture;
        }
        const Objex* x = a->firstObject;
        const Objex* y = b->firstObject;
        for (int i = 0; x && y; x = x->next, y = y->next, ++i)
            ExpectSameObject(x, y, std::string(a->name) + "[" + std::to_string(i) + "]");
        EXPECT_EQ(x == nullptr, y == nullptr) << a->name;
    }
    EXPECT_EQ(a == nullptr, b == nullptr);

    const Objex* readCabinet = GetLayerFromName("Second Floor")->firstObject->next;
    ASSERT_EQ(readCabinet->typeData.kind, TypeDataKind::Cabinet);
    CabinetState expected = *state;
    expected.elevation = 30.0f;
    EXPECT_EQ(CabinetBytes(readCabinet->typeData.cabinet), CabinetBytes(&expected));
    EXPECT_EQ(readCabinet->elevation, 30.0f);

    const PlugInData* block = GetPlugInData(77);
    ASSERT_TRUE(block && block->size == 4 && GetPlugInData(78));
    EXPECT_EQ(std::tuple(std::string(block->data, 4), GetPlugInData(78)->size), std::tuple("abcd", 0));
    EXPECT_EQ(Written([] { DoWriteLiveViews(); }), cameras);
    EXPECT_EQ(Written([] { DoWritePalettes(11100); }), palettes);
}

TEST_F(DesignFileTest, SavingLeavesTheModelAsItWasButTheTrackingValue) {
    Objex* wall = TrimmedWall(Floor("First Floor"), 3);
    Opening(wall, objtype::kDoor, 500, 0);
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(Floor("First Floor")).with(new CabinetState{});
    cabinet->elevation = 12.0f;
    Child(cabinet, Shape(Make(objtype::kCabinetPart), 3, 0));
    ds()->trackingValue = 4;
    const std::vector<uint8_t> before = Written([] { BuildDesignFile(); });

    ASSERT_EQ(KeyFileWrite(Path("a.pro").c_str()), 1);
    EXPECT_EQ(std::tuple(ds()->trackingValue, gFileWriteFailed, cabinet->typeData.cabinet->elevation), std::tuple(0, 0, 0.0f));
    ds()->trackingValue = 4;
    EXPECT_EQ(Written([] { BuildDesignFile(); }), before);
}

TEST_F(DesignFileTest, AFailedSaveSaysSoAndKeepsTheOldFile) {
    ASSERT_EQ(KeyFileWrite(Path("kept.pro").c_str()), 1);
    const std::vector<uint8_t> old = ReadWholeFile(Path("kept.pro"));
    Make(9).on(Floor("First Floor"));
    ds()->trackingValue = 3;

    port::FailNextWriteAt(port::WriteStep::Write);
    EXPECT_EQ(KeyFileWrite(Path("kept.pro").c_str()), 0);
    EXPECT_EQ(std::tuple(gFileWriteFailed, ds()->trackingValue), std::tuple(1, 3));
    EXPECT_EQ(ReadWholeFile(Path("kept.pro")), old);

    EXPECT_EQ(KeyFileWrite(Path("no such folder/x.pro").c_str()), 0);
    EXPECT_EQ(std::tuple(gFileWriteFailed, port::FileExists(Path("no such folder/x.pro"))), std::tuple(1, false));
}

// A session killed mid-save left its temporary beside the design, and the note naming it went
// with an emptied runtime folder: opening the design removes it, and so does saving it; a
// live session's temporary stays.
TEST_F(DesignFileTest, OpeningOrSavingADesignRemovesTheTemporariesOfDeadSaves) {
    ASSERT_EQ(KeyFileWrite(Path("house.pro").c_str()), 1);
    port::SessionIdentity gone = port::ThisSession();
    gone.boot = gone.boot == "ffffffffffffffff" ? "eeeeeeeeeeeeeeee" : "ffffffffffffffff";
    const std::string dead = Path(".house.pro.tmp-" + port::SessionTag(gone) + "-00c0ffee");
    const std::string live = Path(".house.pro.tmp-" + port::SessionTag(port::ThisSession()) + "-00c0ffee");
    ASSERT_TRUE(port::WriteWholeFile(live, "half", 4));
    for (const auto& [what, step] : std::vector<std::pair<const char*, std::function<int()>>>{
             {"open", [&] { return KeyFileRead(Path("house.pro").c_str()); }},
             {"save", [&] { return KeyFileWrite(Path("house.pro").c_str()); }}}) {
        ASSERT_TRUE(port::WriteWholeFile(dead, "half a design", 13)) << what;
        EXPECT_EQ(step(), 1) << what;
        EXPECT_EQ(std::tuple(port::FileExists(dead), port::FileExists(live)), std::tuple(false, true)) << what;
    }
}

TEST_F(DesignFileTest, AVersion10000File) {
    DesignBytes f(10000);
    f.layer("First Floor").object(9, 3);
    f.object(objtype::kSlopeArrow, 3).object(9, 4, 0, 50.0f);
    f.object(objtype::kGroup, 0).tag(202).object(9, 3, 0, 1.0f).object(8, 3, 0, 2.0f).object(9, 4, 0, 3.0f).tag(203);
    f.layer("Second Floor", 1, 0).layer("Third Floor", 1, 0);
    f.layer("X_TOP").object(9, 3, 0, 70.0f);
    f.layer("X_LEFT").tag(400);
    ASSERT_EQ(Read(f.data()), 1);

    Layer* first = GetLayerFromName("First Floor");
    ASSERT_NE(first, nullptr);
    // The generated panel is dropped and the shape after it still read.
    const std::vector<Objex*> objects = ListOf(first->firstObject);
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(std::tuple(objects[1]->pointCount, objects[1]->firstPoint->position[0]), std::tuple(4, 50.0f));
    // The group's children in their order.
    Objex* group = objects[2];
    ASSERT_EQ(group->type, objtype::kGroup);
    std::vector<float> firstX;
    for (Objex* c = group->firstChild; c; c = c->next) {
        EXPECT_EQ(std::tuple(c->parent, c->layer), std::tuple(group, first));
        firstX.push_back(c->firstPoint->position[0]);
    }
    EXPECT_EQ(firstX, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    // "X_TOP" is read as "X_TOP_FIRST_FLOOR", whose objects move to the first floor.
    Layer* top = GetLayerFromName("X_TOP_FIRST_FLOOR");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->firstObject, nullptr);
    EXPECT_EQ(std::tuple(objects[3]->firstPoint->position[0], objects[3]->layer), std::tuple(70.0f, first));
    // The last layer sets the view.
    EXPECT_EQ(std::tuple(gXViewAngle, gYViewAngle, ds()->viewKind, gPerspective, doc->itsCurLayer, ds()->cameraMode,
                         ds()->currentPlanBit, ds()->visiblePlans),
              std::tuple(0.0f, 270.0f, 3, 0, first, 1, 2, ds()->planMasks[1]));
}

TEST_F(DesignFileTest, A10450FileGoesFromItsObjectsToThePalettes) {
    auto palettes = [this] {
        int n = 0;
        for (const DocPaletteList* p = doc->itsPaletteList; p; p = p->next) ++n;
        return n;
    };
    const int palettesBefore = palettes();
    DesignBytes f(10450);
    f.floorsAndEnd();
    // Bytes that would be a plug-in block in a later version.
    f.raw().i16(600).i32(5).i32(2).raw("ab").i16(601).i16(602);
    ASSERT_EQ(Read(f.data()), 1);
    EXPECT_EQ(GetPlugInData(5), nullptr);
    EXPECT_EQ(palettes(), palettesBefore);
    EXPECT_EQ(CountObjects(GetLayerFromName("Third Floor")->firstObject), 1);
}

TEST_F(DesignFileTest, SettingsCorrectionsOfOlderFiles) {
    auto sunAndLot = [](DocState* s) {
        s->sunAngle = 30.0f;
        s->lotColor = RGBColor{0, 192, 0};
        s->lotTexture = 0;
        s->imperialReadout = 0;
        s->metricReadout = 0;
        s->angleReadout = 5;
        s->planMasks[1] = 3;
        std::strcpy(s->traceImagePath, "/somewhere/trace.png");
    };
    DesignBytes old(10800, sunAndLot);
    old.floorsAndEnd().raw().i16(602);
    ASSERT_EQ(Read(old.data()), 1);
    // The readout formats are not in a 10800 block: the defaults gain the older bits.
    DocState* defaults = CreateDocState();
    // The trace image link is kept, so the next save does not lose it.
    EXPECT_EQ(std::tuple(ds()->sunAngle, ds()->imperialReadout, ds()->metricReadout, ds()->angleReadout, ds()->planMasks[1],
                         std::string(ds()->traceImagePath)),
              std::tuple(300.0f, defaults->imperialReadout | 97, defaults->metricReadout | 2, 0, 510, "/somewhere/trace.png"));
    DeleteDocState(defaults);
    EXPECT_TRUE(ds()->lotColor == (RGBColor{24415, 36751, 12079}) && ds()->planColors[0] == (RGBColor{49344, 0, 0}) &&
                ds()->backgroundColor == (RGBColor{65535, 65535, 65535}));

    DesignBytes newer(10900, sunAndLot);
    newer.floorsAndEnd().raw().i16(602).i32(0);
    ASSERT_EQ(Read(newer.data()), 1);
    EXPECT_EQ(std::tuple(ds()->sunAngle, ds()->angleReadout), std::tuple(30.0f, 5));
}

TEST_F(DesignFileTest, RefusedAndIncompleteFiles) {
    Layer* layers = doc->itsLayers;
    DocState* settings = ds();
    const int32_t version = sInputVersion;
    Bytes refused;
    refused.i32(10600).i16(2).raw(SettingsBlock(11100)).i16(100);
    EXPECT_EQ(Read(refused.data()), 0);
    EXPECT_EQ(std::tuple(doc->itsLayers, ds(), sInputVersion), std::tuple(layers, settings, version));
    EXPECT_EQ(KeyFileRead(Path("missing.pro").c_str()), 0);
    // 100 MB that are no design (sparse: nothing is written), zeros or a version this reader
    // does not know, are refused from their first six bytes, the rest never read.
    for (const int32_t head : {0, 10600}) {
        const std::string large = Path("large.pro");
        std::vector<uint8_t> front = Bytes().i32(head).i16(2).data();
        ASSERT_TRUE(port::WriteWholeFile(large, front.data(), front.size()));
        std::filesystem::resize_file(large, 100u << 20);
        port::ResetFileProbeCount();
        EXPECT_EQ(KeyFileRead(large.c_str()), 0) << head;
        EXPECT_EQ(port::FileBytesRead(), 6u) << head;
        EXPECT_EQ(std::tuple(doc->itsLayers, ds()), std::tuple(layers, settings)) << head;
        port::RemoveFile(large);
    }

    DesignBytes noThird(11100);
    noThird.layer("First Floor").object(9, 3, 5).layer("Second Floor").tag(400).raw().i16(602).i32(0).i32(0);
    EXPECT_EQ(Read(noThird.data()), 0);
    EXPECT_EQ(GetLayerFromName("Third Floor"), nullptr);

    // A file that stops inside its object section loads what it holds but says so.
    DesignBytes cut(11100);
    cut.floorsAndEnd().raw().i16(602).i32(0).i32(0);
    std::vector<uint8_t> bytes = cut.data();
    bytes.resize(bytes.size() - 20);
    EXPECT_EQ(Read(bytes), kKeyFileReadTruncated);
    EXPECT_NE(GetLayerFromName("Third Floor"), nullptr);
}

// Brackets inside brackets (which only snapshots write) nest their groups; a damaged file
// cannot nest deeper than the reader keeps, nor open a group twice.
TEST_F(DesignFileTest, NestedBracketsNestTheirGroupsUpToALimit) {
    struct Row { const char* what; int depth; bool reopen; bool strayEnds; int kept; };
    const int most = static_cast<int>(OpenSectionGroup::kMostNestedGroups);
    for (const Row& row : {Row{"three deep", 3, false, false, 3}, Row{"too deep", most + 40, false, false, most},
                           Row{"opened twice", 2, true, false, 2}, Row{"stray ends", 2, false, true, 2}}) {
        DesignBytes file(11100);
        file.layer("First Floor");
        for (int i = 0; i < row.depth; ++i) {
            file.object(objtype::kGroup, 0, 0, 0);
            file.tag(designtag::kGroupStart);
            if (row.reopen) file.tag(designtag::kGroupStart);
        }
        file.object(9, 3, 0, 7.0f);  // the innermost member
        for (int i = 0; i < row.depth; ++i) {
            file.tag(designtag::kGroupEnd);
            if (row.reopen) file.tag(designtag::kGroupEnd);
            file.object(9, 3, 0, 100.0f + i);  // a member of the group one level out, or the floor
        }
        if (row.strayEnds) file.tag(designtag::kGroupEnd).tag(designtag::kGroupEnd);
        file.layer("Second Floor").layer("Third Floor").tag(400).raw().i16(602).i32(0).i32(0);
        ASSERT_EQ(Read(file.data()), 1) << row.what;
        // Nothing read is lost, the tree is no deeper than kept, and the innermost member
        // lies that deep.
        int objects = 0, deepest = 0, memberDepth = -1;
        std::function<void(const Objex*, int)> walk = [&](const Objex* o, int depth) {
            for (; o; o = o->next) {
                ++objects;
                if (o->type == 9 && o->firstPoint->position[0] == 7.0f) memberDepth = depth;
                if (o->type == objtype::kGroup && o->firstChild) deepest = std::max(deepest, depth + 1), walk(o->firstChild, depth + 1);
            }
        };
        walk(Floor("First Floor")->firstObject, 0);
        EXPECT_EQ(std::tuple(objects, deepest, memberDepth), std::tuple(2 * row.depth + 1, row.kept, row.kept)) << row.what;
        // Sound brackets leave the outermost group and the last member on the floor itself.
        const Objex* top = Floor("First Floor")->firstObject;
        if (!row.reopen) {
            EXPECT_TRUE(top && top->next && !top->next->next && top->next->firstPoint->position[0] == 100.0f + row.depth - 1) << row.what;
        }
    }
}

TEST_F(DesignFileTest, OversizedLengthsStayInsideTheirFieldsAndTheInput) {
    // A camera name of 200 bytes keeps 127 of them; the record after it is still right.
    DesignBytes f(11100);
    f.floorsAndEnd().raw().i16(602).i32(2);
    Bytes& b = f.raw();
    b.i32(200).raw(std::string(200, 'n'));
    b.i16(7).u8(1).zeros(36).i32(0).i16(0).i32(0).u8(0).i32(0).u8(0).i16(0).u8(0).i16(0).u8(0).u16(0);
    b.f32(0).u8(0).f32(45.0f).f32(0).i16(0).f32(0).f32(0).u8(1);
    b.i32(5).raw("Porch").i16(2).u8(0).zeros(36).i32(0).i16(0).i32(0).u8(0).i32(0).u8(0).i16(0).u8(0).i16(0).u8(0);
    b.u16(0).f32(0).u8(0).f32(0).f32(0).i16(0).f32(0).f32(0).u8(0);
    b.i32(0);
    ASSERT_EQ(Read(f.data()), 1);
    ASSERT_EQ(CountLiveViewsList(), 2);
    const LiveViewsList* first = doc->itsLiveViews;
    EXPECT_EQ(std::tuple(std::strlen(first->name), first->cameraMode, first->sunAngle, first->lightFlag, first->next->cameraMode),
              std::tuple(127u, 7, 45.0f, 1, 2));
    EXPECT_STREQ(first->next->name, "Porch");

    // A plug-in block claiming more bytes than the file holds takes nothing.
    DesignBytes g(11100);
    g.floorsAndEnd().raw().i16(600).i32(9).i32(0x7FFFFFF0).raw("xyz");
    EXPECT_EQ(Read(g.data()), kKeyFileReadTruncated);
    EXPECT_TRUE(GetPlugInData(9) == nullptr || GetPlugInData(9)->size == 0);
}

TEST_F(DesignFileTest, CountersNeverFallBelowTheIDsRead) {
    DesignBytes f(11100, [](DocState* s) {
        s->nextObjectID = 5;
        s->nextPointID = 7;
    });
    f.layer("First Floor").object(9, 3, 90).layer("Second Floor").layer("Third Floor").tag(400);
    f.raw().i16(602).i32(0).i32(0);
    ASSERT_EQ(Read(f.data()), 1);
    EXPECT_EQ(std::tuple(ds()->nextObjectID, ds()->nextPointID), std::tuple(91u, 9003u));

    // Sound counters are the file's own.
    DesignBytes g(11100, [](DocState* s) {
        s->nextObjectID = 500;
        s->nextPointID = 20000;
    });
    g.floorsAndEnd().raw().i16(602).i32(0).i32(0);
    ASSERT_EQ(Read(g.data()), 1);
    EXPECT_EQ(std::tuple(ds()->nextObjectID, ds()->nextPointID), std::tuple(500u, 20000u));
}

TEST_F(DesignFileTest, TheCopyBufferSection) {
    Layer* first = Floor("First Floor");
    Objex* picked = Shape(Make(9).on(first), 3, 0);
    Shape(Make(9).on(first), 3, 100);  // not selected
    Layer* text = CreateLayer("X_TOP_FIRST_FLOOR", 1, 1, nullptr);
    AppendLayerToDocument(text);
    Shape(Make(9).on(text), 3, 200);
    Objex* special = Make(objtype::kGroup).on(first);
    special->groupKind = 117;
    Child(special, Shape(Make(9), 3, 300));
    for (Layer* l = doc->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) {
            if (o == picked->next) continue;
            for (Poinz* p = o->firstPoint; p; p = p->next) p->selected = 1;
            for (Objex* c = o->firstChild; c; c = c->next)
                for (Poinz* p = c->firstPoint; p; p = p->next) p->selected = 1;
        }

    gUseScrap = 1;
    gScrapIndex = 0;
    sWriteVersion = 11100;
    DoWriteObjects();
    gUseScrap = 0;
    gScrapIndex = 0;
    const std::vector<uint8_t> scrap = gPrivateScrap;
    ASSERT_GE(scrap.size(), 4u);
    // No layer records: the first tag is an object's; the last is 400.
    EXPECT_EQ(std::tuple(scrap[0], scrap[1], scrap[scrap.size() - 2], scrap[scrap.size() - 1]),
              std::tuple(0x00, 200, 0x01, 0x90));

    Layer* second = Floor("Second Floor");
    doc->itsCurLayer = second;
    gXViewAngle = 0;
    gUseScrap = 1;
    gScrapIndex = 0;
    sInputVersion = 11100;
    EXPECT_TRUE(DoReadObjects());
    gUseScrap = 0;
    gScrapIndex = 0;
    // Only the selected shape of the floor arrives, with a fresh ID; the section-detail
    // group is not pasted and the "X_TOP" layer was never copied.
    ASSERT_EQ(CountObjects(second->firstObject), 1);
    EXPECT_NE(second->firstObject->objectID, picked->objectID);
    EXPECT_EQ(std::tuple(second->firstObject->firstPoint->position[0], gXViewAngle, ds()->viewKind), std::tuple(0.0f, 90.0f, 2));
}

}  // namespace design

// Snapshot undo: the ring of 25 slots, action names and change counts, failures to store or
// restore a snapshot, and what a restore brings back.
namespace undo {

class UndoTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        gUndoActive = 1;
        InitializeUndo();
    }
    void TearDown() override {
        port::setAlerts(nullptr);
        port::setDocumentUndo(nullptr);
        DocumentTest::TearDown();
    }
    Layer* first() { return GetLayerFromName("First Floor"); }
    // One edit: a new shape on the first floor, then its snapshot.
    Objex* Edit(const char* name = "Edit") {
        Objex* o = Make(9).on(first()).line(3);
        StoreUndo(name);
        return o;
    }
    // First, current and last slot.
    std::tuple<int32_t, int32_t, int32_t> Ring() const {
        return {doc->itsFirstUndo, doc->itsCurrentUndo, doc->itsLastUndo};
    }
    int SnapshotFiles() const { return static_cast<int>(port::ListFolder(ApplicationTemporaryPath()).size()); }

    RecordingAlerts alerts;
    RecordingUndo undo;
};

TEST_F(UndoTest, TheRingHoldsTwentyFiveSnapshots) {
    EXPECT_EQ(Ring(), std::tuple(1, 1, 1));
    EXPECT_TRUE(port::FileExists(UndoSnapshotPath(1)));
    DoUndo();
    EXPECT_EQ(doc->itsCurrentUndo, 1);
    EXPECT_EQ(CountObjects(first()->firstObject), 0);

    for (int i = 0; i < 30; ++i) Edit();
    EXPECT_EQ(Ring(), std::tuple(7, 6, 6));
    EXPECT_EQ(SnapshotFiles(), 25);

    // Undo walks back to the oldest snapshot kept and no further.
    for (int i = 0; i < 30; ++i) DoUndo();
    EXPECT_EQ(std::tuple(doc->itsCurrentUndo, CountObjects(first()->firstObject), gUndoActive, CountUndos(7, 6), CountUndos(0, 6)),
              std::tuple(7, 6, 1, 25, 0));
}

TEST_F(UndoTest, UndoRedoAndANewEditDropsTheRedo) {
    std::vector<int32_t> floors;
    SetSelectActiveFloorPopUpItemHandler([&](int32_t tag) { floors.push_back(tag); });
    int redraws = 0;
    SetRefreshHandler([&] { ++redraws; });
    Edit("One");
    Edit("Two");
    Edit("Three");
    EXPECT_EQ(CountObjects(first()->firstObject), 3);

    DoUndo();
    DoUndo();
    EXPECT_EQ(std::tuple(doc->itsCurrentUndo, CountObjects(first()->firstObject), redraws), std::tuple(2, 1, 2));
    EXPECT_EQ(floors, (std::vector<int32_t>{5275, 5275}));
    DoRedo();
    EXPECT_EQ(CountObjects(first()->firstObject), 2);
    DoUndo();

    Edit("Four");
    EXPECT_EQ(std::tuple(doc->itsCurrentUndo, doc->itsLastUndo), std::tuple(3, 3));
    DoRedo();
    EXPECT_EQ(std::tuple(doc->itsCurrentUndo, CountObjects(first()->firstObject)), std::tuple(3, 2));
}

TEST_F(UndoTest, ActionNamesAndChangeCounts) {
    // The initial snapshot names nothing.
    EXPECT_TRUE(undo.actionNames.empty());
    undo.undoable = true;
    Edit("Move/Resize");
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Move/Resize"}));
    // After an undo a new action only adds its name: the manager drops what could be redone.
    undo.redoable = true;
    Edit("Rotate");
    EXPECT_EQ(undo.actionNames, (std::vector<std::string>{"Move/Resize", "Rotate"}));
    undo.undoing = true;
    Edit("Ignored");
    EXPECT_EQ(undo.actionNames.size(), 2u);
    StoreUndo(" ");
    EXPECT_EQ(undo.actionNames.size(), 2u);
    EXPECT_EQ(undo.changes, 0);

    // Snapshots off: one change recorded and nothing written.
    const int files = SnapshotFiles();
    const auto before = doc->itsCurrentUndo;
    gUndoActive = 0;
    Edit("Line Tool");
    EXPECT_EQ(std::tuple(undo.changes, SnapshotFiles(), doc->itsCurrentUndo), std::tuple(1, files, before));
    StoreUndo(" ");
    EXPECT_EQ(undo.changes, 1);
}

// A snapshot that cannot be written: the edit stands as a named step (so the design counts as
// changed) and its slot is emptied. Undo gives back the design before it; redo, finding no
// file, says so and leaves the design as it is, never the snapshot the ring held there a lap
// ago.
TEST_F(UndoTest, ASnapshotThatCannotBeWrittenIsStillAStepAndItsSlotHoldsNoOlderOne) {
    for (int i = 0; i < gTotalUndos; ++i) Edit();
    ASSERT_EQ(Ring(), std::tuple(2, 1, 1));
    ASSERT_TRUE(port::FileExists(UndoSnapshotPath(2)));
    port::FailNextWriteAt(port::WriteStep::Create);
    Edit("Lost");
    EXPECT_EQ(Ring(), std::tuple(3, 2, 2));
    EXPECT_FALSE(port::FileExists(UndoSnapshotPath(2)));
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to store the undo state.");
    EXPECT_EQ(alerts.shown[0].alert.informative, "Please ensure that adequate disk space exists on your hard drive.");
    EXPECT_TRUE(alerts.shown[0].sheet);
    EXPECT_EQ(std::tuple(gFileWriteFailed, undo.actionNames.back()), std::tuple(1, std::string("Lost")));

    EXPECT_TRUE(DoUndo());
    EXPECT_EQ(std::tuple(doc->itsCurrentUndo, CountObjects(first()->firstObject)), std::tuple(1, gTotalUndos));
    EXPECT_FALSE(DoRedo());
    EXPECT_EQ(std::tuple(doc->itsCurrentUndo, CountObjects(first()->firstObject), gUndoActive),
              std::tuple(1, gTotalUndos, 0));
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[1].alert.message, "Unable to restore the undo state.");
}

// Snapshots are scratch files: a failing sync cannot touch them, while a saved design still
// syncs (and fails with it).
TEST_F(UndoTest, SnapshotsAreWrittenWithoutSyncSavedDesignsWithIt) {
    port::FailNextWriteAt(port::WriteStep::Sync);
    Edit();
    EXPECT_TRUE(alerts.shown.empty());
    EXPECT_EQ(gFileWriteFailed, 0);
    const std::string saved = ApplicationTemporaryPath() + "/saved.pro";
    EXPECT_EQ(KeyFileWrite(saved.c_str()), 0);
    EXPECT_FALSE(port::FileExists(saved));
}

TEST_F(UndoTest, ASnapshotThatCannotBeReadTurnsUndoOff) {
    Edit();
    Edit();
    ASSERT_TRUE(port::RemoveFile(UndoSnapshotPath(2)));
    DoUndo();
    EXPECT_EQ(std::tuple(doc->itsCurrentUndo, gUndoActive), std::tuple(3, 0));
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to restore the undo state.");
    EXPECT_EQ(CountObjects(first()->firstObject), 2);
    DoUndo();
    EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(UndoTest, ARestoreKeepsTheZoomAndReloadsTheTraceImage) {
    FakeImageDecoder images;
    port::DecodedImage picture;
    picture.width = 1;
    picture.height = 2;
    picture.rgb = {1, 2, 3, 4, 5, 6};
    images.add("/plans/trace.png", picture);
    port::setImageDecoder(&images);

    DocState* ds = doc->itsDocState;
    std::strcpy(ds->traceImagePath, "/plans/trace.png");
    ds->traceImageShown = 1;
    Edit();
    ds->traceImagePath[0] = 0;
    ds->zoomFactor = 4.0f;
    ds->savedZoom = 2.5f;
    Edit();

    DoUndo();
    ds = doc->itsDocState;
    EXPECT_EQ(std::tuple(ds->zoomFactor, ds->savedZoom, ds->trackingValue), std::tuple(4.0f, 2.5f, 1));
    EXPECT_STREQ(ds->traceImagePath, "/plans/trace.png");
    auto* trace = dynamic_cast<TraceImage*>(doc->itsTraceImage);
    ASSERT_NE(trace, nullptr);
    // Flipped: the decoder's bottom row comes last.
    EXPECT_EQ(trace->image.rgb, (std::vector<uint8_t>{4, 5, 6, 1, 2, 3}));

    // A trace image that can no longer be loaded is given up.
    Edit();
    std::strcpy(doc->itsDocState->traceImagePath, "/plans/gone.png");
    Edit();
    std::strcpy(doc->itsDocState->traceImagePath, "/plans/other.png");
    Edit();
    DoUndo();
    EXPECT_EQ(std::tuple(doc->itsTraceImage, doc->itsDocState->traceImagePath[0], doc->itsDocState->traceImageShown),
              std::tuple(nullptr, 0, 0));
    port::setImageDecoder(nullptr);
}

// Showing the grid, the plans shown, the zooms and the live view's camera are no edits: undo
// and redo restore the design and its other settings around them.
TEST_F(UndoTest, UndoAndRedoKeepHowTheDesignIsLookedAt) {
    auto look = [this] {
        const DocState& d = *doc->itsDocState;
        return std::tuple(d.showGrid, d.snapToGrid, d.showTopoLines, d.visiblePlans, d.currentPlanBit, d.planMasks[4],
                          d.printZoom, d.viewOrigin.floatH, d.cameraMode, d.cameraHeading, d.cameraPosition.floatV,
                          d.eyeHeight, d.flyValueA, d.elevationView, d.cutAwayPosition, d.renderMode);
    };
    auto lookAt = [this](uint8_t grid, float heading) {
        DocState& d = *doc->itsDocState;
        d.showGrid = grid, d.snapToGrid = !grid, d.showTopoLines = !grid, d.visiblePlans = 0x112;
        d.currentPlanBit = 16, d.planMasks[4] = 0x113, d.printZoom = 2, d.viewOrigin.floatH = 7;
        d.cameraMode = 2, d.cameraHeading = heading, d.cameraPosition.floatV = -300, d.eyeHeight = 70;
        d.flyValueA = 33, d.elevationView = 2, d.cutAwayPosition = 5, d.renderMode = 1;
    };
    Edit("One");
    lookAt(1, 135);
    // A tool default its pane stores a step for, as the roof pitch: the step carries it.
    const float pitch = doc->itsDocState->roofPitch;
    doc->itsDocState->roofPitch = pitch + 2;
    Edit("Two");
    const auto shown = look();

    DoUndo();
    EXPECT_EQ(std::tuple(CountObjects(first()->firstObject), doc->itsDocState->roofPitch), std::tuple(1, pitch));
    EXPECT_EQ(look(), shown);
    lookAt(0, 200);
    const auto changed = look();
    DoRedo();
    EXPECT_EQ(std::tuple(CountObjects(first()->firstObject), doc->itsDocState->roofPitch), std::tuple(2, pitch + 2));
    EXPECT_EQ(look(), changed);
}

// The lot and the true north angle, whose sheets store no step, the snap palette's offset and
// the live view's speed, quality and framing from its menus: an Undo or Redo of another step
// keeps them as they stand, the ground sized for the lot kept. A snapshot that names another
// topography file (the topography tool's step) brings its own lot, which that file gives. The
// program notes each such change before it takes the next input (`NoteSettingsSetWithoutStep`).
TEST_F(UndoTest, WhatNoStepStoresStaysThroughUndoAndRedo) {
    const auto setLot = [this](float half) {
        doc->itsDocState->lotRect = FloatRect{-half, -half, half, half * 2};
        SetupTopoGrid();
    };
    const auto unstored = [this] {
        const DocState& d = *doc->itsDocState;
        return std::tuple(d.lotRect.floatLeft, d.lotRect.floatRight, d.compassAngle, d.snapOffset, d.navigationSpeed,
                          d.lightSetting, d.shadowQuality, d.framingView, gTopoRowCnt, gTopoColumnCnt);
    };
    Edit("One");
    Edit("Two");
    const auto set = [&](float half, float north, float offset, int16_t speed) {
        DocState& d = *doc->itsDocState;
        setLot(half);
        d.compassAngle = north, d.snapOffset = offset, d.navigationSpeed = speed;
        d.lightSetting = int32_t(speed) * 2, d.shadowQuality = int16_t(speed + 1), d.framingView = uint8_t(speed % 2);
        NoteSettingsSetWithoutStep(doc);
    };
    set(300, 45, 6, 7);
    const auto kept = unstored();
    EXPECT_EQ(std::tuple(std::get<8>(kept), std::get<9>(kept)), std::tuple(8, 12));  // the grid of that lot
    DoUndo();
    EXPECT_EQ(CountObjects(first()->firstObject), 1);
    EXPECT_EQ(unstored(), kept);
    set(600, 137, 2, 8);
    const auto second = unstored();
    DoRedo();
    EXPECT_EQ(CountObjects(first()->firstObject), 2);
    EXPECT_EQ(unstored(), second);

    // The topography tool's step: its file (gone here: no grid of its own) and its lot.
    std::strcpy(doc->itsDocState->topoFilePath, "/lots/gone.top");
    setLot(900);
    Edit("Topography");
    doc->itsDocState->topoFilePath[0] = 0;
    setLot(120);
    Edit("Three");
    setLot(240);
    NoteSettingsSetWithoutStep(doc);
    DoUndo();
    EXPECT_EQ(std::tuple(doc->itsDocState->lotRect.floatLeft, doc->itsDocState->lotRect.floatRight), std::tuple(-900.0f, 1800.0f));
    DoRedo();
    EXPECT_EQ(std::tuple(doc->itsDocState->lotRect.floatLeft, doc->itsDocState->lotRect.floatRight), std::tuple(-120.0f, 240.0f));

    // The tool defaults the inspector panes change with nothing selected: one row per field,
    // changed between two steps, kept through the Undo of the later one and its Redo.
    const char* const defaults[] = {
        "wallHeight", "wallPitchA", "wallPitchB", "wallHeightC", "wallHeightD", "wallThickness", "wallThicknessA",
        "studSpacing", "floorDepth", "foundationWidth", "wallSegmentLength", "autoFlooring", "wallFoundation",
        "wallDisplayFlags", "wallStyle", "penStyle", "penWidth", "editLevel", "detailDisplayDims", "multigonSides",
        "windowStyle", "windowDivisions", "windowWidth", "windowHeight", "windowElevation", "windowValue",
        "doorStyle", "doorWidth", "doorHeight", "doorValue", "doorValueB", "skylightStyle", "skylightWidth",
        "skylightLength", "skylightValue", "soffitInclude", "soffitBase", "soffitLeft", "soffitRight",
        "roofSoffitValue", "railHeight", "railValueB", "fenceStyle", "fenceSizes", "gateLength", "floorValue",
        "deckHeight", "deckRailHeight", "balusterSpacing", "deckSkirting", "deckRails", "deckOpenSteps",
        "deckStepWidth", "deckStepSizeB", "deckStepLeftRail", "deckStepRightRail", "lightStyle", "lightOn",
        "lightGlow", "lightAmbient", "lightDimmer", "lightRadius", "lightFalloff", "receptacleStyle",
        "receptacleStyle2", "switchStyle", "switchStyle2",
        // Not a default: the View menu shows or hides the trace image without a step.
        "traceImageShown"};
    // A value the field did not hold, of its type (the first number of a pair or list).
    const auto change = [this](const DocStateField& f) {
        void* at = DocStateFieldAddress(doc->itsDocState, f);
        switch (f.type) {
        case DocFieldType::U8: *static_cast<uint8_t*>(at) ^= 1; break;
        case DocFieldType::I16: case DocFieldType::ShortPoint: *static_cast<int16_t*>(at) += 1; break;
        case DocFieldType::I32: *static_cast<int32_t*>(at) += 1; break;
        default: *static_cast<float*>(at) += 1.5f; break;
        }
    };
    const auto value = [this](const DocStateField& f) {
        const auto* at = static_cast<const unsigned char*>(DocStateFieldAddress(doc->itsDocState, f));
        const size_t size = f.type == DocFieldType::U8 ? 1 : f.type == DocFieldType::I16 ? 2 : 4;
        return std::vector<unsigned char>(at, at + size);
    };
    for (const char* name : defaults) {
        const DocStateField* f = FindDocStateField(name);
        ASSERT_TRUE(f) << name;
        ASSERT_TRUE(f->type == DocFieldType::U8 || f->type == DocFieldType::I16 || f->type == DocFieldType::I32 ||
                    f->type == DocFieldType::ShortPoint || f->type == DocFieldType::F32) << name;
        Edit(name);
        change(*f);
        NoteSettingsSetWithoutStep(doc);
        const auto kept = value(*f);
        DoUndo();
        EXPECT_EQ(value(*f), kept) << name << " after Undo";
        change(*f);
        NoteSettingsSetWithoutStep(doc);
        const auto again = value(*f);
        DoRedo();
        EXPECT_EQ(value(*f), again) << name << " after Redo";
    }
    // The trace image's load stores its step: its Undo and Redo take the image and whether it
    // is shown.
    FakeImageDecoder images;
    images.add("/plans/trace.png", port::DecodedImage{1, 1, {1, 2, 3}});
    port::setImageDecoder(&images);
    doc->itsDocState->traceImageShown = 0;
    Edit("Before");
    std::strcpy(doc->itsDocState->traceImagePath, "/plans/trace.png");
    doc->itsDocState->traceImageShown = 1;
    Edit("Load Floorplan Trace Image");
    DoUndo();
    EXPECT_EQ(std::tuple(std::string(doc->itsDocState->traceImagePath), doc->itsDocState->traceImageShown),
              std::tuple(std::string(), uint8_t(0)));
    DoRedo();
    EXPECT_EQ(std::tuple(std::string(doc->itsDocState->traceImagePath), doc->itsDocState->traceImageShown),
              std::tuple(std::string("/plans/trace.png"), uint8_t(1)));
    port::setImageDecoder(nullptr);
}

// Of those settings, what a step set its Undo takes back to the value before it and its Redo
// brings again, whatever was set without a step before it; the rest stay. And what no step
// stores marks the design changed when it is noted, how the design is looked at does not.
TEST_F(UndoTest, WhatAStepSetOfTheKeptSettingsItsUndoTakesBackAndItsRedoBringsAgain) {
    int indicator = 0;
    SetUpdatePlantGrowthIndicatorLevelHandler([&] { ++indicator; });
    struct Row {
        const char* name;
        std::function<void(DocState&, int)> set;  // the n-th value of the setting
        std::function<float(const DocState&)> get;
    };
    const Row rows[] = {
        // A pane's step with objects selected writes the tool default too.
        {"Wall Base Height", [](DocState& d, int n) { d.wallHeight = 90.0f + float(n); }, [](const DocState& d) { return d.wallHeight; }},
        {"Door Width", [](DocState& d, int n) { d.doorWidth = 30.0f + float(n); }, [](const DocState& d) { return d.doorWidth; }},
        // The trace image loaded again while hidden shows it.
        {"Load Floorplan Trace Image", [](DocState& d, int n) { d.traceImageShown = uint8_t(n % 2); },
         [](const DocState& d) { return float(d.traceImageShown); }},
        // Render Properties' settings set the navigation speed.
        {"Rendering Settings", [](DocState& d, int n) { d.navigationSpeed = int16_t(3 + n); },
         [](const DocState& d) { return float(d.navigationSpeed); }},
        {"Lot", [](DocState& d, int n) { d.lotRect.floatRight = 600.0f + float(n); }, [](const DocState& d) { return d.lotRect.floatRight; }},
    };
    const auto valueOf = [](const Row& r, int n) {
        DocState w{};
        r.set(w, n);
        return r.get(w);
    };
    for (const Row& r : rows) {
        r.set(*doc->itsDocState, 0);
        Edit("Before");
        // Set without a step, then by the step; after it, another setting without a step.
        r.set(*doc->itsDocState, 1);
        NoteSettingsSetWithoutStep(doc);
        r.set(*doc->itsDocState, 2);
        Edit(r.name);
        const float north = doc->itsDocState->compassAngle + 7;
        doc->itsDocState->compassAngle = north;
        NoteSettingsSetWithoutStep(doc);
        DoUndo();
        EXPECT_EQ(std::tuple(r.get(*doc->itsDocState), doc->itsDocState->compassAngle), std::tuple(valueOf(r, 1), north))
            << r.name << " after Undo";
        DoRedo();
        EXPECT_EQ(std::tuple(r.get(*doc->itsDocState), doc->itsDocState->compassAngle), std::tuple(valueOf(r, 2), north))
            << r.name << " after Redo";
    }

    // The plant growth projection, which no snapshot holds: its step's Undo and Redo set it,
    // and the indicator follows.
    doc->itsMaximumPlantAge = 23;
    Edit("Before");
    doc->itsMaximumPlantAge = 8;
    Edit("Plant Growth Projection");
    indicator = 0;
    DoUndo();
    EXPECT_EQ(std::tuple(doc->itsMaximumPlantAge, indicator), std::tuple(int16_t(23), 1));
    DoRedo();
    EXPECT_EQ(std::tuple(doc->itsMaximumPlantAge, indicator), std::tuple(int16_t(8), 2));

    // Noted: a change the design saves marks it changed, once; a zoom or the camera does not.
    const int changes = undo.changes;
    doc->itsDocState->snapOffset += 3;
    NoteSettingsSetWithoutStep(doc);
    NoteSettingsSetWithoutStep(doc);
    EXPECT_EQ(undo.changes, changes + 1) << "the snap offset";
    doc->itsDocState->zoomFactor *= 2, doc->itsDocState->cameraHeading += 10;
    NoteSettingsSetWithoutStep(doc);
    EXPECT_EQ(undo.changes, changes + 1) << "the zoom and the camera";
    SetUpdatePlantGrowthIndicatorLevelHandler(nullptr);
}

TEST_F(UndoTest, AWallInsideAGroupKeepsItsDoorThroughASnapshot) {
    Objex* group = Make(objtype::kGroup).on(first());
    Objex* wall = TrimmedWall(first(), 3);
    Opening(wall, objtype::kDoor, 500, 0);
    UnlinkObject(wall);
    wall->layer = first();
    Make(wall).in(group);
    StoreUndo("Group");
    Edit();
    DoUndo();
    Objex* readWall = first()->firstObject->firstChild;
    ASSERT_TRUE(readWall && readWall->firstChild);
    EXPECT_EQ(readWall->firstChild->type, objtype::kDoor);
}

// The groups of a floor as a tree: each object by type, ID and first point, its members after
// it in brackets.
}  // namespace undo

// Topography files and the grid they carry; the default grid sized from the lot.
namespace topo {

class TopographyTest : public FileTest {
protected:
    TopographyTest() : FileTest("topo") {}
    DocState* ds() { return doc->itsDocState; }

    // Magic, spacing 50, lot 300 x 400 feet, value 2, lot left/right 0/150, top/bottom 0/100,
    // the counts and, for sensible counts, the heights 1, 2, 3 ...
    static Bytes Grid(int32_t magic, int32_t rows, int32_t columns) {
        Bytes b;
        b.i32(magic).f32(50.0f).f32(300.0f).f32(400.0f).i16(2).f32(0.0f).f32(150.0f).f32(0.0f).f32(100.0f);
        b.i32(rows).i32(columns);
        if (rows >= 1 && columns >= 1 && rows < 1000 && columns < 1000)
            for (int i = 0; i < (rows + 1) * (columns + 1); ++i) b.f32(static_cast<float>(i + 1));
        return b;
    }
    // A terrain line, a plain shape and another terrain line, then the end tag.
    static void Objects(Bytes& b, int32_t version) {
        DesignBytes objects(version);
        b.raw(objects.object(objtype::kTopography, 3, 40).object(9, 3, 41).object(objtype::kTopography, 4, 42).tag(400).records());
    }
    int Read(const Bytes& b) { return ReadTopoGridFile(Write(b.data(), "t.topo").c_str()); }
};

TEST_F(TopographyTest, AGridAndItsTerrainLines) {
    Bytes b = Grid(9000, 2, 3);
    // The object section's version follows the heights, little-endian.
    b.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    Objects(b, 11100);
    ASSERT_EQ(Read(b), 1);
    EXPECT_EQ(std::tuple(gTopoRowCnt, gTopoColumnCnt), std::tuple(2, 3));
    ASSERT_EQ(gTopographyGrid.size(), 12u);
    EXPECT_EQ(std::tuple(gTopographyGrid[0], gTopographyGrid[11], ds()->topoGridSpacing, ds()->lotSizeFeet.floatV,
                         ds()->topoGridValue, ds()->lotRect.floatRight, ds()->lotRect.floatBottom),
              std::tuple(1.0f, 12.0f, 50.0f, 400.0f, 2, 150.0f, 100.0f));
    Layer* topo = doc->itsTopoLayer;
    ASSERT_NE(topo, nullptr);
    EXPECT_STREQ(topo->name, "TopoLayer");
    EXPECT_EQ(std::tuple(topo->visible, topo->active), std::tuple(1, 1));
    // Only terrain lines stay, deselected; the floors are untouched.
    ASSERT_EQ(CountObjects(topo->firstObject), 2);
    for (Objex* o = topo->firstObject; o; o = o->next) EXPECT_EQ(std::tuple(o->type, SelectedPointCount(o)), std::tuple(objtype::kTopography, 0));
    EXPECT_EQ(std::tuple(topo->firstObject->next->pointCount, CountObjects(GetLayerFromName("First Floor")->firstObject)),
              std::tuple(4, 0));
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(TopographyTest, NoCellsKeepsTheGridButReplacesTheLayer) {
    Bytes first = Grid(9000, 1, 1);
    first.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    Objects(first, 11100);
    ASSERT_EQ(Read(first), 1);
    // An object the next file must sweep away with the old layer.
    Make(objtype::kTopography).on(doc->itsTopoLayer).line(3);
    const std::vector<float> grid = gTopographyGrid;

    // Magic 8000: a 10800 settings block is passed over and the objects are of 10800.
    Bytes second = Grid(8000, 0, 5);
    second.raw(SettingsBlock(10800));
    Objects(second, 10800);
    ASSERT_EQ(Read(second), 1);
    EXPECT_EQ(std::tuple(gTopoRowCnt, gTopographyGrid), std::tuple(1, grid));
    ASSERT_NE(doc->itsTopoLayer, nullptr);
    EXPECT_EQ(CountObjects(doc->itsTopoLayer->firstObject), 2);
}

TEST_F(TopographyTest, DamagedFilesGiveTheDefaultGrid) {
    // Lot 4800 wide and deep by default, spacing 72: 66 cells each way.
    SetupTopoGrid();
    EXPECT_EQ(std::tuple(gTopoRowCnt, gTopoColumnCnt, gTopographyGrid.size()), std::tuple(66, 66, 67u * 67u));

    Bytes ok = Grid(9000, 1, 2);
    ok.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    Objects(ok, 11100);
    ASSERT_EQ(Read(ok), 1);
    Layer* topo = doc->itsTopoLayer;

    Bytes wrong = Grid(9001, 1, 1);
    EXPECT_EQ(Read(wrong), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to read topography file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "The file '" + dir + "/t.topo' might be damaged or created with a more recent version of Kesto! Grelloc");
    EXPECT_FALSE(alerts.shown[0].sheet);
    // Default grid from the lot the last good file set: 100 / 50 rows, 150 / 50 columns.
    EXPECT_EQ(std::tuple(gTopoRowCnt, gTopoColumnCnt, gTopographyGrid), std::tuple(2, 3, std::vector<float>(12, 0.0f)));
    EXPECT_EQ(doc->itsTopoLayer, topo);

    // Counts whose heights cannot be in the file, or whose product overflows.
    Bytes huge = Grid(9000, 0x7FFFFFFF, 0x7FFFFFFF);
    huge.raw(std::vector<uint8_t>(64, 0));
    EXPECT_EQ(Read(huge), 0);
    Bytes big = Grid(9000, 0, 0);
    big.raw(std::vector<uint8_t>(8, 0));
    std::vector<uint8_t> bytes = big.data();
    bytes[34] = 0x00, bytes[35] = 0x01, bytes[36] = 0x00, bytes[37] = 0x00;  // rows 65536
    bytes[38] = 0x00, bytes[39] = 0x01, bytes[40] = 0x00, bytes[41] = 0x00;  // columns 65536
    EXPECT_EQ(ReadTopoGridFile(Write(bytes, "t.topo").c_str()), 0);
    EXPECT_EQ(std::tuple(alerts.shown.size(), doc->itsTopoLayer, ds()->topoGridSpacing), std::tuple(3u, topo, 50.0f));

    // No path, or no file: the default grid without a word.
    EXPECT_EQ(ReadTopoGridFile(""), 0);
    EXPECT_EQ(ReadTopoGridFile((dir + "/none.topo").c_str()), 0);
    EXPECT_EQ(std::tuple(alerts.shown.size(), gTopoRowCnt), std::tuple(3u, 2));
}

TEST_F(TopographyTest, TheDefaultGridRefusesNonsense) {
    ds()->topoGridSpacing = 0.0f;
    SetupTopoGrid();
    EXPECT_EQ(std::tuple(gTopoRowCnt, gTopographyGrid.empty()), std::tuple(0, true));
    ds()->topoGridSpacing = 0.0001f;
    SetupTopoGrid();
    EXPECT_TRUE(gTopographyGrid.empty());
    ds()->topoGridSpacing = 300.0f;
    ds()->lotRect = FloatRect{0.0f, 0.0f, 1000.5f, 1000.0f};
    SetupTopoGrid();
    EXPECT_EQ(std::tuple(gTopoRowCnt, gTopoColumnCnt, gTopographyGrid.size()), std::tuple(3, 3, 16u));
}

}  // namespace topo

// Cabinet state records and cabinet files.
namespace cabinet {

class CabinetFilesTest : public FileTest {
protected:
    CabinetFilesTest() : FileTest("cabinet") {}

    // Every field a distinct value.
    static CabinetState Numbered() {
        CabinetState s;
        s.f1 = 1.25f;
        s.f2 = -2;
        for (int i = 0; i < 15; ++i) s.f3to17[i] = 3.0f + static_cast<float>(i);
        s.f18 = 18;
        for (int i = 0; i < 3; ++i) s.f19to21[i] = 19.0f + static_cast<float>(i);
        s.f22 = 22;
        for (int i = 0; i < 4; ++i) s.f23to26[i] = 23.0f + static_cast<float>(i);
        s.f27 = 27;
        s.f28to29[0] = 28.0f;
        s.f28to29[1] = 29.0f;
        s.f30 = 30;
        for (int i = 0; i < 6; ++i) s.f31to36[i] = 31.0f + static_cast<float>(i);
        s.f37 = 37;
        s.f38 = 38.5f;
        s.f39 = -39;
        s.f40 = 40.5f;
        s.elevation = 41.5f;
        return s;
    }
    // A selected cabinet group on the current layer with two parts at the given elevation.
    Objex* Assembly(float elevation) {
        Objex* group = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(current());
        Make(group).with(new CabinetState(Numbered()));
        group->elevation = elevation;
        for (int i = 0; i < 2; ++i) {
            Objex* part = Make(objtype::kCabinetPart).line(4);
            PointAt(part, 2)->position[2] = 10.0f;
            part->closed = 1;
            part->elevation = 36.0f;
            part->layer = current();
            Make(part).in(group);
            for (Poinz* p = part->firstPoint; p; p = p->next) p->selected = 1;
        }
        return group;
    }
};

TEST_F(CabinetFilesTest, TheStateRecordKeepsAllFortyOneFields) {
    const CabinetState s = Numbered();
    const std::vector<uint8_t> bytes = Written([&] { DoWriteCabinetState(&s); });
    ASSERT_EQ(bytes.size(), 162u);
    // The length says 164; the record is little-endian with two pad bytes.
    EXPECT_EQ(Slice(bytes, 0, 4), (std::vector<uint8_t>{0, 0, 0, 0xA4}));
    const uint8_t* r = bytes.data() + 4;
    // Fields 2 (-2), 18, 22, 27, 30, 37 and 39 (-39).
    EXPECT_EQ(std::tuple(r[4], r[68], r[69], r[82], r[102], r[103], r[112], r[140], r[148], r[149]),
              std::tuple(0xFE, 18, 0, 22, 27, 0, 30, 37, 0xD9, 0xFF));
    float elevation;
    std::memcpy(&elevation, r + 154, 4);
    EXPECT_EQ(elevation, 41.5f);

    OpenInputBytes(bytes);
    CabinetState* back = DoReadCabinetState();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Written([&] { DoWriteCabinetState(back); }), bytes);
    EXPECT_EQ(std::tuple(back->f3to17[14], back->f31to36[5], back->f39), std::tuple(17.0f, 36.0f, -39));
    delete back;

    // A record cut short gives no state.
    std::vector<uint8_t> shortRecord(bytes.begin(), bytes.end() - 1);
    OpenInputBytes(shortRecord);
    EXPECT_EQ(DoReadCabinetState(), nullptr);
}

TEST_F(CabinetFilesTest, WriteThenReadAnAssembly) {
    Objex* group = Assembly(12.0f);
    const std::string path = dir + "/c.cab";
    ASSERT_EQ(CabinetFileWrite(path.c_str()), 1);
    EXPECT_EQ(gFileWriteFailed, 0);
    const std::vector<uint8_t> file = ReadWholeFile(path);
    ASSERT_GT(file.size(), 170u);
    EXPECT_EQ(Slice(file, 0, 6), (std::vector<uint8_t>{0, 0, 0x2A, 0xF8, 0, 2}));
    EXPECT_EQ(std::tuple(file[168], file[169]), std::tuple(0, 200));

    DeleteObj(group);
    CabinetState* state = nullptr;
    ASSERT_EQ(CabinetFileRead(path.c_str(), &state), 1);
    ASSERT_NE(state, nullptr);
    CabinetState expected = Numbered();
    expected.elevation = 12.0f;
    EXPECT_EQ(Written([&] { ApplePortWritePaddedCabinetState(state); }),
              Written([&] { ApplePortWritePaddedCabinetState(&expected); }));
    delete state;

    // The parts land on the current layer, selected, their elevation folded into V:
    // 36 inches at the default scale of 36 are 72 plan units.
    ASSERT_EQ(CountObjects(current()->firstObject), 2);
    for (Objex* part = current()->firstObject; part; part = part->next)
        EXPECT_EQ(std::tuple(part->type, part->elevation, part->pointCount, part->firstPoint->position[1], part->firstPoint->selected),
                  std::tuple(objtype::kCabinetPart, 0.0f, 4, -72.0f, 1));
    EXPECT_EQ(std::tuple(gOpenSymbol, gCabinetOpen), std::tuple(0, 0));
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(CabinetFilesTest, RefusedFilesAndNothingToWrite) {
    Bytes old;
    old.i32(10400).i16(2).i32(164).zeros(158).i16(400);
    const std::string path = Write(old.data(), "c.cab");
    CabinetState* state = reinterpret_cast<CabinetState*>(1);
    EXPECT_EQ(CabinetFileRead(path.c_str(), &state), 0);
    EXPECT_EQ(state, nullptr);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to load the cabinet file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "Please ensure the file is not damaged and was not created by a newer version of Kesto! Mirabec.");
    EXPECT_EQ(current()->firstObject, nullptr);

    // A file cut inside its state record is refused the same way.
    Bytes cut;
    cut.i32(11000).i16(2).i32(164).zeros(100);
    Write(cut.data(), "c.cab");
    EXPECT_EQ(CabinetFileRead(path.c_str(), &state), 0);
    EXPECT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(CabinetFileRead((dir + "/none.cab").c_str(), &state), 0);
    EXPECT_EQ(alerts.shown.size(), 2u);

    // Nothing selected: nothing written, no word.
    Objex* group = Assembly(0.0f);
    for (Objex* c = group->firstChild; c; c = c->next)
        for (Poinz* p = c->firstPoint; p; p = p->next) p->selected = 0;
    EXPECT_EQ(CabinetFileWrite((dir + "/out.cab").c_str()), 0);
    EXPECT_EQ(std::tuple(gFileWriteFailed, alerts.shown.size()), std::tuple(1, 2u));
}

TEST_F(CabinetFilesTest, ElevationsFoldIntoThePoints) {
    Objex* group = Assembly(0.0f);
    Objex* unselected = group->firstChild->next;
    for (Poinz* p = unselected->firstPoint; p; p = p->next) p->selected = 0;
    doc->itsDocState->planScale = 72.0f;
    AdjustTheCabinetObjectElevation(group);
    // 36 inches at 72 inches to the paper inch are 36 plan units.
    EXPECT_EQ(std::tuple(group->firstChild->firstPoint->position[1], group->firstChild->elevation,
                         unselected->firstPoint->position[1], unselected->elevation),
              std::tuple(-36.0f, 0.0f, 0.0f, 36.0f));

    Objex* part = Make(objtype::kCabinetPart).on(current()).line(2);
    part->elevation = -18.0f;
    AdjustTheCabinetObjectElevation(part);
    EXPECT_EQ(std::tuple(part->firstPoint->position[1], part->elevation), std::tuple(18.0f, 0.0f));
}

}  // namespace cabinet

// Every prefix of sound files, read from memory: no crash, no overrun, no endless loop; a
// design file or snapshot cut anywhere is never taken for a clean load.
namespace prefixes {

class FilePrefixesTest : public FileTest {
protected:
    FilePrefixesTest() : FileTest("prefixes") {}
    // A wall with a door, a group of two parts, a cabinet, a live view and a plug-in block.
    void FillFirstFloor() {
        Layer* first = GetLayerFromName("First Floor");
        Opening(TrimmedWall(first, 3), objtype::kDoor, 500, 0);
        Objex* group = Make(objtype::kGroup).on(first);
        for (int i = 0; i < 2; ++i) Make(9).line(3).in(group)->layer = first;
        Cabinet(first, 1);
        std::strcpy(AddLiveViewsListEntry()->name, "View");
        StorePlugInData(new char[3]{1, 2, 3}, 3, 5);
    }
    std::vector<uint8_t> Saved() {
        const std::string path = dir + "/whole.pro";
        EXPECT_EQ(KeyFileWrite(path.c_str()), 1);
        return ReadWholeFile(path);
    }
};

TEST_F(FilePrefixesTest, DesignFilesAndSnapshots) {
    FillFirstFloor();
    const std::vector<uint8_t> saved = Saved();
    DesignBytes old(10450);
    old.layer("First Floor").object(9, 3).object(1000, 0).tag(202).object(9, 3).tag(203);
    old.layer("Second Floor").layer("Third Floor").tag(400);
    for (const std::vector<uint8_t>* file : {&saved, &old.data()}) {
        const std::string path = dir + "/cut.pro";
        ReadPrefixes(*file, path, [&](size_t length) {
            const int result = KeyFileRead(path.c_str());
            ASSERT_EQ(result == 1, length == file->size()) << "cut at " << length;
            ASSERT_NE(doc->itsDocState, nullptr);
        });
    }

    // A snapshot is a design file read back over the open design.
    const std::string snapshot = dir + "/snapshot";
    ReadPrefixes(saved, snapshot, [&](size_t length) {
        gUndoActive = 1;
        // A cut snapshot may leave no floor, and a restore needs one to replace.
        if (!doc->itsLayers) AppendLayerToDocument(CreateLayer("Scratch", 1, 1, nullptr));
        const int result = RestoreState(snapshot.c_str());
        EXPECT_TRUE(length < saved.size() || result == 1);
        ASSERT_FALSE(DesignFileBusy()) << "cut at " << length;
        ASSERT_NE(doc->itsDocState, nullptr);
    });
    EXPECT_NE(GetLayerFromName("First Floor"), nullptr);
}

TEST_F(FilePrefixesTest, TopographyAndCabinetFiles) {
    Bytes topo;
    topo.i32(9000).f32(72.0f).f32(100.0f).f32(100.0f).i16(1).f32(0).f32(144.0f).f32(0).f32(144.0f).i32(2).i32(2);
    for (int i = 0; i < 9; ++i) topo.f32(static_cast<float>(i));
    topo.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    DesignBytes objects(11100);
    topo.raw(objects.layer("Terrain").object(objtype::kTopography, 4, 7).object(9, 3, 8).tag(400).records());
    const std::string topoPath = dir + "/cut.top";
    ReadPrefixes(topo.data(), topoPath, [&](size_t length) {
        ReadTopoGridFile(topoPath.c_str());
        ASSERT_EQ(gTopographyGrid.size(), static_cast<size_t>(gTopoRowCnt + 1) * static_cast<size_t>(gTopoColumnCnt + 1))
            << "cut at " << length;
    });
    ASSERT_NE(doc->itsTopoLayer, nullptr);
    EXPECT_EQ(std::tuple(gTopoRowCnt, CountObjects(doc->itsTopoLayer->firstObject)), std::tuple(2, 1));

    Layer* layer = doc->itsCurLayer;
    Objex* cabinet = Cabinet(layer, 2);
    for (Objex* part = cabinet->firstChild; part; part = part->next) Make(part).select();
    const std::string path = dir + "/whole.cab";
    ASSERT_EQ(CabinetFileWrite(path.c_str()), 1);
    ReadPrefixes(ReadWholeFile(path), path, [&](size_t) {
        CabinetState* state = nullptr;
        CabinetFileRead(path.c_str(), &state);
        delete state;
        // Parts read from a longer prefix are dropped, so the reads do not pile up.
        while (layer->firstObject && layer->firstObject != cabinet) DeleteObj(layer->firstObject);
        while (cabinet->next) DeleteObj(cabinet->next);
        ASSERT_EQ(std::tuple(gOpenSymbol, gCabinetOpen), std::tuple(0, 0));
    });
}

}  // namespace prefixes
