// Design files: the bytes written, write-then-read of a whole design, files of older
// versions assembled by hand, refused and damaged files, and the copy buffer's section.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/cabinet_files.h"
#include "files/design_file.h"
#include "support/records.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/projection.h"
#include "model/texture_mapping.h"
#include "model/view_state.h"
#include "port/files.h"
#include "render/core/custom_textures.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

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
        for (int i = 0; i < n; ++i)
            AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, x + kCircle[i % 5][0], -8.0f, kCircle[i % 5][1],
                                            0, 0, 0, 0, 0, 0, o),
                                o);
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
    ASSERT_GE(file.size(), start.size());
    EXPECT_TRUE(std::equal(start.begin(), start.end(), file.begin()));

    // Without layers: header, settings, 400, 602, a camera count and the palettes, nothing else.
    while (doc->itsLayers) DeleteLayer(doc->itsLayers);
    ASSERT_EQ(KeyFileWrite(Path("empty.pro").c_str()), 1);
    Bytes expected;
    expected.raw(start).raw(Written([] { ApplePortWritePaddedDocState(CurrentDocState()); }));
    expected.i16(400).i16(602).i32(0);
    expected.raw(Written([] { DoWritePalettes(11100); }));
    EXPECT_EQ(ReadWholeFile(Path("empty.pro")), expected.data());
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
    const std::vector<uint8_t> again = ReadWholeFile(Path("again.pro"));
    ASSERT_EQ(again.size(), file.size());
    EXPECT_TRUE(std::equal(file.begin() + SettingsEnd(), file.end(), again.begin() + SettingsEnd()));

    EXPECT_EQ(back->itsDocState->nextObjectID, ds()->nextObjectID);
    EXPECT_EQ(back->itsDocState->nextPointID, ds()->nextPointID);
    const Layer* a = doc->itsLayers;
    const Layer* b = back->itsLayers;
    for (; a && b; a = a->next, b = b->next) {
        EXPECT_EQ(0, std::memcmp(a->name, b->name, kLayerNameSize));
        EXPECT_EQ(a->active, b->active);
        EXPECT_EQ(b->visible, 1);
        EXPECT_EQ(a->height, b->height);
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
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->size, 4);
    EXPECT_EQ(std::string(block->data, 4), "abcd");
    ASSERT_NE(GetPlugInData(78), nullptr);
    EXPECT_EQ(GetPlugInData(78)->size, 0);
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
    EXPECT_EQ(ds()->trackingValue, 0);
    EXPECT_EQ(gFileWriteFailed, 0);
    EXPECT_EQ(cabinet->typeData.cabinet->elevation, 0.0f);
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
    EXPECT_EQ(gFileWriteFailed, 1);
    EXPECT_EQ(ds()->trackingValue, 3);
    EXPECT_EQ(ReadWholeFile(Path("kept.pro")), old);

    EXPECT_EQ(KeyFileWrite(Path("no such folder/x.pro").c_str()), 0);
    EXPECT_EQ(gFileWriteFailed, 1);
    EXPECT_FALSE(port::FileExists(Path("no such folder/x.pro")));
}

TEST_F(DesignFileTest, AVersion10000File) {
    DesignBytes f(10000);
    f.layer("First Floor").object(9, 3);
    f.object(objtype::kFreehandRoofPanel, 3).object(9, 4, 0, 50.0f);
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
    EXPECT_EQ(objects[1]->pointCount, 4);
    EXPECT_EQ(objects[1]->firstPoint->position[0], 50.0f);
    // The group's children in their order.
    Objex* group = objects[2];
    ASSERT_EQ(group->type, objtype::kGroup);
    std::vector<float> firstX;
    for (Objex* c = group->firstChild; c; c = c->next) {
        EXPECT_EQ(c->parent, group);
        EXPECT_EQ(c->layer, first);
        firstX.push_back(c->firstPoint->position[0]);
    }
    EXPECT_EQ(firstX, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    // "X_TOP" is read as "X_TOP_FIRST_FLOOR", whose objects move to the first floor.
    Layer* top = GetLayerFromName("X_TOP_FIRST_FLOOR");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->firstObject, nullptr);
    EXPECT_EQ(objects[3]->firstPoint->position[0], 70.0f);
    EXPECT_EQ(objects[3]->layer, first);
    // The last layer sets the view.
    EXPECT_EQ(gXViewAngle, 0.0f);
    EXPECT_EQ(gYViewAngle, 270.0f);
    EXPECT_EQ(ds()->viewKind, 3);
    EXPECT_EQ(gPerspective, 0);
    EXPECT_EQ(doc->itsCurLayer, first);
    EXPECT_EQ(ds()->cameraMode, 1);
    EXPECT_EQ(ds()->currentPlanBit, 2);
    EXPECT_EQ(ds()->visiblePlans, ds()->planMasks[1]);
}

TEST_F(DesignFileTest, A10450FileGoesFromItsObjectsToThePalettes) {
    const int32_t palettesBefore = [] {
        int n = 0;
        for (const DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next) ++n;
        return n;
    }();
    DesignBytes f(10450);
    f.floorsAndEnd();
    // Bytes that would be a plug-in block in a later version.
    f.raw().i16(600).i32(5).i32(2).raw("ab").i16(601).i16(602);
    ASSERT_EQ(Read(f.data()), 1);
    EXPECT_EQ(GetPlugInData(5), nullptr);
    int palettesAfter = 0;
    for (const DocPaletteList* p = doc->itsPaletteList; p; p = p->next) ++palettesAfter;
    EXPECT_EQ(palettesAfter, palettesBefore);
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
    EXPECT_EQ(ds()->sunAngle, 300.0f);
    EXPECT_EQ(ds()->lotColor, (RGBColor{24415, 36751, 12079}));
    // The readout formats are not in a 10800 block: the defaults gain the older bits.
    DocState* defaults = CreateDocState();
    EXPECT_EQ(ds()->imperialReadout, defaults->imperialReadout | 97);
    EXPECT_EQ(ds()->metricReadout, defaults->metricReadout | 2);
    DeleteDocState(defaults);
    EXPECT_EQ(ds()->angleReadout, 0);
    EXPECT_EQ(ds()->planMasks[1], 510);
    EXPECT_EQ(ds()->traceImagePath[0], 0);
    EXPECT_EQ(ds()->planColors[0], (RGBColor{49344, 0, 0}));
    EXPECT_EQ(ds()->backgroundColor, (RGBColor{65535, 65535, 65535}));

    DesignBytes newer(10900, sunAndLot);
    newer.floorsAndEnd().raw().i16(602).i32(0);
    ASSERT_EQ(Read(newer.data()), 1);
    EXPECT_EQ(ds()->sunAngle, 30.0f);
    EXPECT_EQ(ds()->angleReadout, 5);
}

TEST_F(DesignFileTest, RefusedAndIncompleteFiles) {
    Layer* layers = doc->itsLayers;
    DocState* settings = ds();
    const int32_t version = sInputVersion;
    Bytes refused;
    refused.i32(10600).i16(2).raw(SettingsBlock(11100)).i16(100);
    EXPECT_EQ(Read(refused.data()), 0);
    EXPECT_EQ(doc->itsLayers, layers);
    EXPECT_EQ(ds(), settings);
    EXPECT_EQ(sInputVersion, version);
    EXPECT_EQ(KeyFileRead(Path("missing.pro").c_str()), 0);

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
    EXPECT_EQ(std::strlen(first->name), 127u);
    EXPECT_EQ(first->cameraMode, 7);
    EXPECT_EQ(first->sunAngle, 45.0f);
    EXPECT_EQ(first->lightFlag, 1);
    EXPECT_STREQ(first->next->name, "Porch");
    EXPECT_EQ(first->next->cameraMode, 2);

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
    EXPECT_EQ(ds()->nextObjectID, 91u);
    EXPECT_EQ(ds()->nextPointID, 9003u);

    // Sound counters are the file's own.
    DesignBytes g(11100, [](DocState* s) {
        s->nextObjectID = 500;
        s->nextPointID = 20000;
    });
    g.floorsAndEnd().raw().i16(602).i32(0).i32(0);
    ASSERT_EQ(Read(g.data()), 1);
    EXPECT_EQ(ds()->nextObjectID, 500u);
    EXPECT_EQ(ds()->nextPointID, 20000u);
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
    // No layer records: the first tag is an object's.
    EXPECT_EQ(scrap[0], 0x00);
    EXPECT_EQ(scrap[1], 200);
    EXPECT_EQ(scrap[scrap.size() - 2], 0x01);
    EXPECT_EQ(scrap[scrap.size() - 1], 0x90);

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
    EXPECT_EQ(second->firstObject->firstPoint->position[0], 0.0f);
    EXPECT_EQ(gXViewAngle, 90.0f);
    EXPECT_EQ(ds()->viewKind, 2);
}

}  // namespace
