// Content read from the library: templates, 2D symbols, object files, custom window, door and
// skylight definitions and the geometry built from them.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/core/main_window_seams.h"
#include "content/core/content_selection_seams.h"
#include "files/content_folders.h"
#include "files/content_paths.h"
#include "commands/custom_attachment_commands.h"
#include "files/custom_definitions.h"
#include "files/design_file.h"
#include "files/object_files.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "files/symbol2d_files.h"
#include "files/symbol_lists.h"
#include "files/template_files.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/command_globals.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/texture_mapping.h"
#include "plan/refresh_seams.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "support/rebuild_recorder.h"
#include "support/seam_recorders.h"
#include "model/deck_step_records.h"

using namespace dvxtest;

// Template files: objects merged onto the current layer, selected, with their groups.
namespace templates {

// The content palette shows an entry of the kind selected.
void SelectEntryOfKind(int16_t kind) {
    SymEntryInfo e;
    e.type = kind;
    SetContentPaletteSelectedSymEntryHandler([e] { return std::optional<SymEntryInfo>(e); });
}

class TemplateFilesTest : public FileTest {
protected:
    TemplateFilesTest() : FileTest("templates") {}
};

// Two groups of two lines each, behind a layer record naming another floor.
DesignBytes TwoGroups() {
    DesignBytes t(11100);
    t.layer("Third Floor").object(1000, 0, 1).tag(202).object(9, 3, 2).object(9, 3, 3, 50.0f).tag(203);
    t.object(1000, 0, 4).tag(202).object(9, 3, 5, 100.0f).object(9, 3, 6, 150.0f).tag(203).tag(400);
    return t;
}

TEST_F(TemplateFilesTest, GroupsComeInSelectedOnTheCurrentLayerWithTheCurrentPlan) {
    doc->itsCurLayer = GetLayerFromName("Second Floor");
    doc->itsDocState->currentPlanBit = 16;
    const int layers = CountLayers(doc->itsLayers);
    const int32_t version = sInputVersion;
    ASSERT_EQ(TemplateFileRead(Write(TwoGroups().data()).c_str()), 1);

    EXPECT_EQ(CountLayers(doc->itsLayers), layers);
    EXPECT_EQ(GetLayerFromName("Third Floor")->firstObject, nullptr);
    const std::vector<Objex*> top = ListOf(current()->firstObject);
    ASSERT_EQ(top.size(), 2u);
    float left[2] = {0.0f, 100.0f};
    for (int g = 0; g < 2; ++g) {
        Objex* group = top[g];
        ASSERT_EQ(group->type, objtype::kGroup);
        EXPECT_EQ(std::tuple(IsObjectSelected(group), group->planBits, CountObjects(group->firstChild)), std::tuple(true, 16, 2));
        for (Objex* c = group->firstChild; c; c = c->next) {
            EXPECT_EQ(std::tuple(c->parent, c->layer, c->planBits), std::tuple(group, current(), 16));
            for (Poinz* p = c->firstPoint; p; p = p->next) EXPECT_TRUE(p->selected);
        }
        // Bounds of the finished group: the two lines from `left` to `left` + 70.
        EXPECT_FLOAT_EQ(group->bounds3D.floatLeft, left[g]);
        EXPECT_FLOAT_EQ(group->bounds3D.floatRight, left[g] + 70.0f);
    }
    EXPECT_EQ(sInputVersion, version);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(TemplateFilesTest, TagEndsAnAttachmentDefinitionOnlyWhileOneIsRead) {
    DesignBytes t(11100);
    t.layer("First Floor").object(9, 4, 1).object(9, 3, 2).tag(kAttachmentDefinitionEndTag).object(9, 3, 3).tag(400);
    const std::string path = Write(t.data());

    Layer* scratch = CreateLayer("AttachDefLayer", 0, 0, nullptr);
    gAttachmentTempLayer = scratch;
    gReadingAttachmentDefinition = 1;
    EXPECT_EQ(TemplateFileRead(path.c_str()), 1);
    gReadingAttachmentDefinition = 0;
    gAttachmentTempLayer = nullptr;
    EXPECT_EQ(CountObjects(scratch->firstObject), 2);
    EXPECT_EQ(current()->firstObject, nullptr);
    DeleteLayer(scratch);

    EXPECT_EQ(TemplateFileRead(path.c_str()), 1);
    EXPECT_EQ(CountObjects(current()->firstObject), 3);
}

TEST_F(TemplateFilesTest, UnknownVersionShowsTheAlertAndReadsNothing) {
    std::vector<uint8_t> bytes = DesignBytes(11100).object(9, 3, 1).tag(400).data();
    bytes[0] = 0, bytes[1] = 0, bytes[2] = 0x29, bytes[3] = 0x68;  // 10600
    const std::string path = Write(bytes);
    sInputVersion = 10900;

    EXPECT_EQ(TemplateFileRead(path.c_str()), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to read template file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "The file '" + path + "' might be damaged or created with a more recent version of Kesto! Dovrane");
    EXPECT_EQ(std::tuple(alerts.shown[0].sheet, current()->firstObject, sInputVersion, DesignFileBusy()),
              std::tuple(false, nullptr, 10900, false));

    // A file that cannot be opened says nothing.
    EXPECT_EQ(TemplateFileRead((dir + "/missing.ptm").c_str()), 0);
    EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(TemplateFilesTest, SpecialGroupsAreDroppedUnlessASymbolEntryIsSelected) {
    DesignBytes t(11100);
    t.object(1000, 0, 1, 0.0f, 117).tag(202).object(29, 3, 2).tag(203);
    t.object(1000, 0, 3).tag(202).object(29, 3, 4).tag(203).tag(400);
    const std::string path = Write(t.data());

    SelectEntryOfKind(3);
    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    ASSERT_EQ(CountObjects(current()->firstObject), 1);
    EXPECT_EQ(std::tuple(current()->firstObject->groupKind, current()->firstObject->firstChild->optionA & 1), std::tuple(0, 0));
    ClearCurrentLayer();

    SelectEntryOfKind(symentry::kSymbol);
    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    ASSERT_EQ(CountObjects(current()->firstObject), 2);
    EXPECT_EQ(current()->firstObject->groupKind, 117);
    // Detail objects dropped from a 2D symbol entry are marked.
    for (Objex* g = current()->firstObject; g; g = g->next) EXPECT_EQ(g->firstChild->optionA & 1, 1);
    ClearCurrentLayer();

    SetContentPaletteSelectedSymEntryHandler(nullptr);
    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    EXPECT_EQ(CountObjects(current()->firstObject), 2);
    ClearCurrentLayer();

    // A special group inside a plain one is dropped from it; the members read after it join
    // the plain group behind the member before it.
    DesignBytes nested(11100);
    nested.object(1000, 0, 10).tag(202).object(29, 3, 11, 5.0f);
    nested.object(1000, 0, 12, 0.0f, 117).tag(202).object(29, 3, 13).tag(203);
    nested.object(29, 3, 14, 25.0f).object(29, 3, 15, 35.0f).tag(203).tag(400);
    SelectEntryOfKind(3);
    ASSERT_EQ(TemplateFileRead(Write(nested.data()).c_str()), 1);
    ASSERT_EQ(CountObjects(current()->firstObject), 1);
    const Objex* plain = current()->firstObject;
    std::vector<float> members;
    for (const Objex* m = plain->firstChild; m; m = m->next) {
        members.push_back(m->firstPoint->position[0]);
        EXPECT_EQ(std::tuple(m->parent, m->next ? m->next->prev : m), std::tuple(plain, m));
    }
    EXPECT_EQ(members, (std::vector<float>{5, 25, 35}));
}

TEST_F(TemplateFilesTest, ASavedDesignReadsAsATemplateWithGroupedWallsKeepingTheirDoors) {
    Layer* floor = current();
    Objex* group = Make(objtype::kGroup).on(floor);
    Objex* wall = TrimmedWall(floor, 3);
    UnlinkObject(wall);
    wall->layer = floor;
    Make(wall).in(group);
    Opening(wall, objtype::kDoor, 500, 0);
    Objex* line = Make(objtype::kLine).on(floor).line(4);
    line->closed = 0;
    // As a read leaves it.
    SetTextureFaceUV(line);
    SetObjectPointLengths(line);
    UpdateObjectBounds(line);
    wall->planBits = line->planBits = doc->itsDocState->currentPlanBit;

    const std::string path = dir + "/saved.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);
    const std::vector<uint8_t> expectedWall = WrittenObject(wall);
    const std::vector<uint8_t> expectedLine = WrittenObject(line);
    ClearCurrentLayer();

    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    const std::vector<Objex*> top = ListOf(floor->firstObject);
    ASSERT_EQ(top.size(), 2u);
    ASSERT_EQ(top[0]->type, objtype::kGroup);
    Objex* readWall = top[0]->firstChild;
    ASSERT_TRUE(readWall && readWall->type == objtype::kWall && readWall->firstChild);
    EXPECT_EQ(std::tuple(readWall->firstChild->type, readWall->firstChild->parent), std::tuple(objtype::kDoor, readWall));
    // Same records, but for the selection the template gave the points.
    for (Objex* o : {readWall, top[1]}) SelectObj(o, selmode::kDeselect, 0);
    EXPECT_EQ(WrittenObject(readWall), expectedWall);
    EXPECT_EQ(WrittenObject(top[1]), expectedLine);
}

TEST_F(TemplateFilesTest, EveryPrefixOfATemplateReadsWithoutHarm) {
    DesignBytes t(10000);
    t.layer("First Floor").object(1000, 0).tag(202).object(9, 3).object(9, 3, 0, 50.0f).tag(203).tag(400);
    const std::string path = dir + "/cut.ptm";
    ReadPrefixes(t.data(), path, [&](size_t length) {
        EXPECT_EQ(TemplateFileRead(path.c_str()), length >= 6 ? 1 : 0) << length;
        EXPECT_FALSE(DesignFileBusy());
        if (length == t.data().size()) {
            ASSERT_NE(current()->firstObject, nullptr);
            EXPECT_EQ(CountObjects(current()->firstObject->firstChild), 2);
        }
        ClearCurrentLayer();
    });
}

}  // namespace templates

// 2D symbol files and the built-in symbol lists.
namespace symbols {

struct Pt {
    float h, v, d;
};

class SymbolFilesTest : public FileTest {
protected:
    SymbolFilesTest() : FileTest("symbols") {}

    // An object record (tag 200) of an open line through the points.
    std::vector<uint8_t> LineRecord(const std::vector<Pt>& points) {
        Objex* o = Make(objtype::kLine);
        for (const Pt& p : points) {
            Poinz* q = Point(o, {p.h, p.v, p.d});
            q->kind = 0;
            q->detectable = 1;
        }
        std::vector<uint8_t> bytes = WrittenObject(o);
        DeleteObj(o);
        return bytes;
    }
    // A symbol file: a layer record, a line from (10, 0, 5) to (30, 0, 15), and a group
    // holding a line from (20, 0, 25) to (20, 0, 20).
    std::vector<uint8_t> SymbolFile() {
        DesignBytes f(11100);
        f.layer("Symbol");
        f.raw().raw(LineRecord({{10, 0, 5}, {30, 0, 15}}));
        f.object(1000, 0, 0).tag(202);
        f.raw().raw(LineRecord({{20, 0, 25}, {20, 0, 20}}));
        f.tag(203).tag(400);
        return f.data();
    }
    std::string Write(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
        std::filesystem::create_directories(folder);
        const std::string path = folder + "/" + name;
        WriteFileBytes(path, bytes);
        return path;
    }
};

// Every object of the list, its children and parts, recursively.
void Walk(Objex* head, const std::function<void(Objex*)>& visit) {
    for (Objex* o = head; o; o = o->next) {
        visit(o);
        Walk(o->firstChild, visit);
        Walk(o->firstPart, visit);
    }
}

TEST_F(SymbolFilesTest, ObjectsBecomeChildrenCentredOnTheSymbol) {
    const std::string path = Write(dir, "s.ptm", SymbolFile());
    const int layers = CountLayers(doc->itsLayers);
    const uint32_t nextObjectID = doc->itsDocState->nextObjectID;

    // Not a fixed component: centred across, back edge on the origin: moved by (-20, 0, -5).
    Objex plain{};
    plain.type = 55;
    ASSERT_EQ(Symbol2DFileRead(path.c_str(), &plain), 1);
    ASSERT_EQ(CountObjects(plain.firstChild), 2);
    for (Objex* c = plain.firstChild; c; c = c->next)
        EXPECT_EQ(std::tuple(c->type, c->parent, c->layer), std::tuple(55, &plain, nullptr));
    ExpectPosition(plain.firstChild->firstPoint, -10, 0, 0);
    ExpectPosition(plain.firstChild->firstPoint->next, 10, 0, 10);
    ExpectPosition(plain.firstChild->next->firstPoint, 0, 0, 20);

    // A fixed component is centred in depth too: moved by (-20, 0, -15).
    Objex fixed{};
    fixed.type = 68;
    ASSERT_EQ(Symbol2DFileRead(path.c_str(), &fixed), 1);
    ExpectPosition(fixed.firstChild->firstPoint, -10, 0, -10);
    ExpectPosition(fixed.firstChild->next->firstPoint, 0, 0, 10);

    // Nothing went into the document, and the group was not kept anywhere.
    EXPECT_EQ(CountLayers(doc->itsLayers), layers);
    for (Layer* l = doc->itsLayers; l; l = l->next) EXPECT_EQ(l->firstObject, nullptr);
    EXPECT_GE(doc->itsDocState->nextObjectID, nextObjectID);

    for (Objex* s : {&plain, &fixed})
        while (s->firstChild) DeleteObj(s->firstChild);

    // Refused files leave the symbol empty, without a message.
    std::vector<uint8_t> bytes = SymbolFile();
    bytes[3] = static_cast<uint8_t>(bytes[3] + 1);  // 11101
    EXPECT_EQ(Symbol2DFileRead(Write(dir, "bad.ptm", bytes).c_str(), &plain), 0);
    EXPECT_EQ(Symbol2DFileRead((dir + "/missing.ptm").c_str(), &plain), 0);
    EXPECT_EQ(plain.firstChild, nullptr);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(SymbolFilesTest, CentringMovesChildrenOfChildren) {
    Objex symbol{};
    symbol.type = 55;
    Objex* child = Make(objtype::kLine);
    Make(child).line(3);  // (0, 0, 0), (10, 0, 0), (20, 0, 0)
    Objex* grandchild = Make(objtype::kLine).line(1);
    grandchild->firstPoint->position[2] = 40.0f;
    Make(grandchild).in(child);
    Append2DSymbolToParent(child, &symbol);
    for (Objex* o : {child, grandchild})
        for (Poinz* p = o->firstPoint; p; p = p->next) p->selected = 1;

    Initialize2DSymbolObject(&symbol);
    ExpectPosition(child->firstPoint, -10, 0, 0);
    ExpectPosition(grandchild->firstPoint, -10, 0, 40);
    DeleteObj(child);
}

TEST_F(SymbolFilesTest, ListsHoldEveryBuiltInSymbolEvenWithAnEmptyFolder) {
    std::filesystem::create_directories(LocalDomainOEMSym2DPath());
    Load2DSymbolList();
    Load3DSymbolList();
    for (auto [list, order] : {std::pair{gSymbol2DList, Symbol2DLoadOrder()}, std::pair{gSymbol3DList, Symbol3DLoadOrder()}}) {
        std::set<int16_t> types;
        int i = 0;
        for (Objex* e = list; e; e = e->next, ++i) {
            ASSERT_LT(i, kBuiltInSymbolCount);
            EXPECT_EQ(std::tuple(e->type, e->firstChild, e->next ? e->next->prev : e), std::tuple(order[i], nullptr, e));
            types.insert(e->type);
        }
        EXPECT_EQ(std::tuple(i, types.size()), std::tuple(kBuiltInSymbolCount, static_cast<size_t>(kBuiltInSymbolCount)));
    }
    EXPECT_EQ(std::tuple(Symbol2DLoadOrder()[16], Symbol3DLoadOrder()[27], FindSymbolEntry(gSymbol2DList, 89),
                         FindSymbolEntry(gSymbol3DList, 89)),
              std::tuple(146, 68, nullptr, nullptr));
}

TEST_F(SymbolFilesTest, MixedCaseFilesAreFoundByTheirExactNames) {
    Write(LocalDomainOEMSym2DPath(), "LtLandscapeUp2D.ptm", SymbolFile());
    Write(LocalDomainOEMSym2DPath(), "LTFLOOD2D.ptm", SymbolFile());  // not its name
    Write(LocalDomainOEMSym3DPath(), "LtPoint3D.ptm", SymbolFile());
    Write(LocalDomainOEMSym3DPath(), "RECSINGL3D.PTM", SymbolFile());
    LoadSymbolListsIfEmpty();

    EXPECT_EQ(std::tuple(CountObjects(FindSymbolEntry(gSymbol2DList, 147)->firstChild), FindSymbolEntry(gSymbol2DList, 83)->firstChild,
                         CountObjects(FindSymbolEntry(gSymbol3DList, 152)->firstChild),
                         CountObjects(FindSymbolEntry(gSymbol3DList, 55)->firstChild), FindSymbolEntry(gSymbol3DList, 152)->firstChild->type),
              std::tuple(2, nullptr, 2, 2, 152));

    // Loaded once: a later document keeps the same lists.
    Objex* head = gSymbol2DList;
    LoadSymbolListsIfEmpty();
    EXPECT_EQ(gSymbol2DList, head);
}

TEST_F(SymbolFilesTest, ListsOutliveTheDocumentTheyWereReadThrough) {
    // A wall with a door brings descendants of descendants into an entry.
    Layer* floor = doc->itsCurLayer;
    Objex* wall = TrimmedWall(floor, 2);
    Opening(wall, objtype::kDoor, 500, 0);
    DesignBytes f(11100);
    f.raw().raw(WrittenObject(wall));
    f.tag(400);
    DeleteObj(wall);
    Write(LocalDomainOEMSym2DPath(), "TOILET2D.PTM", f.data());
    Write(LocalDomainOEMSym2DPath(), "RECSINGL2D.PTM", SymbolFile());
    LoadSymbolListsIfEmpty();

    Objex* toilet = FindSymbolEntry(gSymbol2DList, 90);
    ASSERT_NE(toilet->firstChild, nullptr);
    ASSERT_NE(toilet->firstChild->firstChild, nullptr);
    int objects = 0;
    for (Objex* list : {gSymbol2DList, gSymbol3DList})
        Walk(list, [&](Objex* o) {
            ++objects;
            EXPECT_EQ(o->layer, nullptr);
        });
    EXPECT_GT(objects, 2 * kBuiltInSymbolCount + 3);
    EXPECT_EQ(floor->firstObject, nullptr);

    doc->dealloc();
    doc = QMDDocumentModel::alloc()->init();
    ASSERT_NE(doc, nullptr);
    float sum = 0;
    for (Objex* list : {gSymbol2DList, gSymbol3DList})
        Walk(list, [&](Objex* o) {
            for (Poinz* p = o->firstPoint; p; p = p->next) sum += p->position[0] + p->position[2];
        });
    EXPECT_TRUE(std::isfinite(sum));
}

TEST_F(SymbolFilesTest, EveryPrefixOfASymbolFileReadsWithoutHarm) {
    const std::vector<uint8_t> file = SymbolFile();
    const std::string path = dir + "/cut.ptm";
    Objex symbol{};
    symbol.type = 55;
    ReadPrefixes(file, path, [&](size_t length) {
        const int result = Symbol2DFileRead(path.c_str(), &symbol);
        EXPECT_TRUE(length < file.size() || result == 1);
        ASSERT_FALSE(DesignFileBusy());
        while (symbol.firstChild) DeleteObj(symbol.firstChild);
    });
}

}  // namespace symbols

// Object files of the sibling modelling product: imported objects on the current layer.
namespace objects {

StoredObject Triangle(float h) {
    StoredObject o;
    o.points = {{h, 0, 0}, {h + 36.0f, 0, 0}, {h, 36.0f, 36.0f}};
    return o;
}

// A layer record, a group's record with tag 202, two objects, tag 203 and the end tag.
std::vector<uint8_t> GroupFile(int32_t settingsLength = 680) {
    Bytes b = ObjectFileHeader(10001, settingsLength);
    b.i16(100).raw(std::string("Layer 1")).zeros(256 - 7).u8(1).u8(1).f32(96.0f);
    StoredObject group;
    group.type = 1000;
    ObjectFileRecord(b, group);
    b.i16(202);
    ObjectFileRecord(b, Triangle(0));
    StoredObject second = Triangle(360.0f);
    second.type = 9;
    ObjectFileRecord(b, second);
    b.i16(203).i16(400);
    return b.data();
}

class ObjectFilesTest : public FileTest {
protected:
    ObjectFilesTest() : FileTest("objects") {}
    void SetUp() override {
        FileTest::SetUp();
        SetCloseMainWindowSheetHandler([this] { ++sheetsClosed; });
    }
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "chair.obj") {
        return FileTest::Write(bytes, name);
    }
    std::vector<Objex*> Imported() { return ListOf(current()->firstObject); }

    int sheetsClosed = 0;
};

TEST_F(ObjectFilesTest, GroupsComeApartIntoSelectedImportedObjectsInPlanUnits) {
    RebuildRecorder seen;
    doc->itsDocState->currentPlanBit = 16;
    const int layers = CountLayers(doc->itsLayers);
    // The settings length says 704; the block is 680 bytes all the same.
    const std::string path = Write(GroupFile(704));
    ASSERT_TRUE(ObjectFileRead(path.c_str()));

    std::vector<Objex*> objects = Imported();
    ASSERT_EQ(objects.size(), 2u);
    for (Objex* o : objects)
        EXPECT_EQ(std::tuple(o->type, o->planBits, o->pointCount, IsObjectSelected(o), seen.Rendered(o)),
                  std::tuple(objtype::kFentrix, 16, 3, true, true));
    EXPECT_EQ(CountLayers(doc->itsLayers), layers);
    // Stored 36 is 12 in the plan, tangents included.
    const Poinz* p = objects[0]->firstPoint;
    ExpectPosition(p->next->next, 0.0f, 12.0f, 12.0f);
    EXPECT_EQ(std::tuple(p->inTangent[2], p->outTangent[0]), std::tuple(3.0f, -1.0f));
    ExpectPosition(objects[1]->firstPoint, 120.0f, 0.0f, 0.0f);
    EXPECT_TRUE(alerts.shown.empty());
    ClearCurrentLayer();

    std::ofstream(dir + "/chair.OBD") << "[Style]\nObject2D=1\n";
    ASSERT_TRUE(ObjectFileRead(path.c_str()));
    objects = Imported();
    ASSERT_EQ(objects.size(), 2u);
    for (Objex* o : objects) EXPECT_EQ(o->type, objtype::kImported2D);
    EXPECT_EQ(gObjectStyle2D, 0);
}

TEST_F(ObjectFilesTest, OtherVersionsAreRefusedWithTheAlert) {
    std::vector<uint8_t> bytes = GroupFile();
    bytes[3] = 0x12;  // 10002
    const std::string path = Write(bytes);
    sInputVersion = 10900;

    EXPECT_FALSE(ObjectFileRead(path.c_str()));
    EXPECT_EQ(std::tuple(current()->firstObject, sheetsClosed, sInputVersion), std::tuple(nullptr, 1, 10900));
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to load the object file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "The file '" + path + "' might be damaged or created with a more recent version of Fentrix");

    EXPECT_FALSE(ObjectFileRead((dir + "/missing.obj").c_str()));
    EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(ObjectFilesTest, RecordsAreCheckedOneByOne) {
    Bytes b = ObjectFileHeader(10000);
    StoredObject overcounted = Triangle(0);
    overcounted.rows = 4;
    overcounted.pointCount = INT32_MAX;  // appending a point to the stored count would overflow
    overcounted.points[1].texture1 = 1700;
    overcounted.points[2].texture2 = 1701;
    ObjectFileRecord(b, overcounted);
    StoredObject solid;
    solid.type = 158;
    solid.rows = 2;
    solid.fillPattern = 7;
    solid.points = {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}, {0, 3, 3000000.0f}};  // depth 1,000,000
    ObjectFileRecord(b, solid);
    StoredObject beyond = Triangle(0);
    beyond.points[2].d = 3000001.5f;  // 1,000,000.5
    ObjectFileRecord(b, beyond);
    ObjectFileRecord(b, StoredObject{});  // no points
    b.i16(400);
    Objex* workbench = Make(objtype::kFentrix);
    workbench->planBits = 64;
    gWorkbenchObject = workbench;
    gSymbarObjectDrop = 1;
    RebuildRecorder seen;
    ASSERT_TRUE(ObjectFileRead(Write(b.data()).c_str()));
    gWorkbenchObject = nullptr;
    DeleteObj(workbench);

    const std::vector<Objex*> objects = Imported();
    ASSERT_EQ(objects.size(), 2u);
    // The points read count, not the stored count; rows that do not divide it become 1.
    EXPECT_EQ(std::tuple(objects[0]->pointCount, objects[0]->rows, objects[0]->planBits), std::tuple(3, 1, 64));
    const Poinz* p = objects[0]->firstPoint;
    EXPECT_EQ(std::tuple(p->color1.red, p->color2.blue, p->next->color1.green, p->next->color2.green,
                         p->next->next->color2.red),
              std::tuple(kStoredPen.red, kStoredFill.blue, 65535, kStoredFill.green, 65535));
    EXPECT_EQ(std::tuple(objects[1]->type, objects[1]->subtype, objects[1]->optionB, objects[1]->rows),
              std::tuple(objtype::kFentrix, 158, 7, 2));
    EXPECT_FLOAT_EQ(PointAt(objects[1], 3)->position[2], 1000000.0f);
    // A content drop renders the objects itself.
    EXPECT_TRUE(seen.rendered.empty());
}

TEST_F(ObjectFilesTest, CutFilesKeepTheCompleteObjects) {
    Bytes b = ObjectFileHeader(10000);
    ObjectFileRecord(b, Triangle(0));
    const size_t firstEnd = b.size();
    ObjectFileRecord(b, Triangle(36.0f));
    b.i16(400);
    const std::string path = dir + "/cut.obj";
    ReadPrefixes(b.data(), path, [&](size_t length) {
        ObjectFileRead(path.c_str());
        const size_t expected = length < firstEnd ? 0 : (length < b.size() - 2 ? 1 : 2);
        ASSERT_EQ(Imported().size(), expected) << "cut at " << length;
        EXPECT_FALSE(DesignFileBusy());
        ClearCurrentLayer();
    });
}

}  // namespace objects

// The parts a custom door or window builds from its definition: sizes and scale factors, the
// hardware spread, the outline planes on both wall faces and the placement on the wall.
// The document draws at scale 36, so one inch is two plan units.
namespace geometry {

constexpr float kPi = 3.14159265358979f;
constexpr float kTol = 1e-3f;

using P = Pt;

// A loose part (not on a layer) through the points.
Objex* Part(int16_t type, std::initializer_list<Pt> pts, bool closed = false) {
    Objex* o = Make(type).closed(closed).at(pts);
    o->rows = 1;
    return o;
}

class CustomGeometryTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ASSERT_FLOAT_EQ(ds->planScale, 36.0f);
    }

    // A wall from `start` at `degrees` holding a custom door w by h whose points P1, P2 lie
    // `length` apart from `start` along the wall.
    void Door(P start, float degrees, float length, float w, float h) {
        const float c = std::cos(degrees * kPi / 180.0f), s = std::sin(degrees * kPi / 180.0f);
        wall = Part(objtype::kWall, {start, {start.h + 2 * length * c, 0, start.d - 2 * length * s}});
        AppendObjectToLayer(wall, doc->itsCurLayer);
        door = Part(objtype::kDoor, {start, {start.h + length * c, 0, start.d - length * s}});
        record = new AttachmentRecord{};
        record->style = customdef::kDoorStyle;
        record->width = w;
        record->height = h;
        Make(door).with(record).in(wall);
        door->layer = doc->itsCurLayer;
    }

    void Add(int list, Objex* part) {
        part->parent = door;
        Objex** at = &record->customParts[list];
        for (; *at; at = &(*at)->next) part->prev = *at;
        *at = part;
    }

    // The definition outline, 36 wide and 48 high, centred on H 0.
    Objex* Outline() { return Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true); }

    static Float3DRect Box(Objex* o) {
        Float3DRect b = EmptyFloat3DRect();
        GetObject3DBounds(o, 0, &b, 0);
        return b;
    }
    // Left, right, top and bottom of the box.
    static void ExpectSides(const Float3DRect& b, float left, float right, float top, float bottom) {
        EXPECT_NEAR(b.floatLeft, left, kTol);
        EXPECT_NEAR(b.floatRight, right, kTol);
        EXPECT_NEAR(b.floatTop, top, kTol);
        EXPECT_NEAR(b.floatBottom, bottom, kTol);
    }

    DocState* ds = nullptr;
    Objex* wall = nullptr;
    Objex* door = nullptr;
    AttachmentRecord* record = nullptr;
};

TEST_F(CustomGeometryTest, BodyPartsAreScaledToTheOpening) {
    Door({100, 0, 50}, 0.0f, 18.0f, 18.0f, 96.0f);
    Add(0, Outline());
    // The body is the outline drawn as a band 2 wide, 1 on either side of it.
    Objex* body = Part(objtype::kWindowSeparator, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true);
    body->penWidth = 2.0f;
    Add(1, body);

    float w = 0, h = 0;
    GetCustomAttachmentWidthAndHeight(record, &w, &h);
    EXPECT_EQ(std::tuple(w, h), std::tuple(36.0f, 48.0f));

    UpdateCustomAttachment(door);
    const auto parts = ListOf(record->generatedParts);
    ASSERT_EQ(parts.size(), 3u);  // the body, then the outline on each face
    // Band -19..19 by -1..49, scaled by 0.5 and 2, centred on M (109, 50) just off the wall.
    const Float3DRect b = Box(parts[0]);
    ExpectSides(b, 109.0f - 9.5f, 109.0f + 9.5f, -2.0f, 98.0f);
    EXPECT_NEAR(b.floatBack, 50.1f, kTol);
    EXPECT_NEAR(b.floatFront, 50.1f, kTol);
    EXPECT_EQ(parts[0]->parent, door);
    EXPECT_NEAR(Box(body).floatRight, 18.0f, kTol);  // the definition part itself is untouched
}

TEST_F(CustomGeometryTest, MissingOrFlatOutlinesGiveNoSizeOrUnitFactor) {
    Door({0, 0, 0}, 0.0f, 18.0f, 18.0f, 96.0f);
    Objex* body = Part(objtype::kWindowSeparator, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}}, true);
    body->penWidth = 2.0f;
    Add(1, body);
    // Parts of an earlier build go when the opening is rebuilt.
    record->generatedParts = Part(objtype::kFrameGroup, {{0, 0, 0}, {1, 0, 0}});

    float w = -1, h = -1;
    GetCustomAttachmentWidthAndHeight(record, &w, &h);
    UpdateCustomAttachment(door);
    EXPECT_EQ(std::tuple(w + h, record->generatedParts), std::tuple(0.0f, nullptr));

    // An outline with no height: the body keeps its height, its width is still halved.
    Add(0, Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}}));
    GetCustomAttachmentWidthAndHeight(record, &w, &h);
    EXPECT_EQ(std::tuple(w, h), std::tuple(36.0f, 0.0f));
    UpdateCustomAttachment(door);
    ASSERT_NE(record->generatedParts, nullptr);
    ExpectSides(Box(record->generatedParts), 9.0f - 9.5f, 9.0f + 9.5f, -1.0f, 49.0f);

    // Skylights measure across H and D.
    RoofAttachmentRecord sky;
    float sw = -1, sh = -1;
    Float3DRect sb;
    GetCustomSkylightWHAndBounds(&sky, &sw, &sh, &sb);
    EXPECT_TRUE(sw + sh == 0.0f && IsEmptyBounds(sb));
    sky.partLists[0] = Part(objtype::kOpeningMask, {{10, 0, 20}, {40, 0, 20}, {40, 0, 44}});
    GetCustomSkylightWHAndBounds(&sky, &sw, &sh, &sb);
    EXPECT_EQ(std::tuple(sw, sh, sb.floatLeft, sb.floatFront), std::tuple(30.0f, 24.0f, 10.0f, 44.0f));
    DeleteObj(sky.partLists[0]);
}

TEST_F(CustomGeometryTest, HardwareSpreadsItsFifthParameterAndWhitePartsBecome158) {
    Door({0, 0, 0}, 0.0f, 36.0f, 36.0f, 48.0f);
    door->texture = 2218;
    door->penColor = RGBColor{100, 200, 300};
    Add(0, Outline());
    for (float fifth : {10.0f, 15.0f, 20.0f}) {
        Objex* knob = Part(objtype::kDoorHardware, {{0, 10, 0}, {2, 10, 0}});
        knob->params[4] = fifth;
        Add(2, knob);
    }
    record->customParts[2]->next->params[3] = 4.0f;

    UpdateCustomAttachment(door);
    const auto parts = ListOf(record->generatedParts);
    ASSERT_EQ(parts.size(), 5u);
    const float spread[3] = {0.9f, 0.95f, 1.0f};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(parts[i]->params[4], spread[i], 1e-6) << i;

    EXPECT_EQ(std::tuple(parts[0]->type, parts[1]->type, parts[0]->firstPoint->texture1),
              std::tuple(objtype::kDoorHardware, objtype::kSkylightPart, 2218));
    for (Poinz* p = parts[1]->firstPoint; p; p = p->next)
        EXPECT_TRUE((p->texture1 | p->texture2) == 0 && p->color2 == (RGBColor{65535, 65535, 65535}));
    EXPECT_TRUE(parts[0]->firstPoint->color2 == (RGBColor{100, 200, 300}));

    // All alike: every one ends at 1.0.
    for (Objex* o = record->customParts[2]; o; o = o->next) o->params[4] = 7.0f;
    UpdateCustomAttachment(door);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ListOf(record->generatedParts)[i]->params[4], 1.0f);
}

TEST_F(CustomGeometryTest, EachOutlineIsClosedOnBothWallFaces) {
    Door({100, 0, 50}, 0.0f, 36.0f, 36.0f, 48.0f);
    wall->penWidth = 6.0f;  // T = 3 inches = 6 plan units, + 2.1
    Objex* open = Part(objtype::kOpeningMask, {{-18, 0, 0}, {18, 0, 0}, {18, 48, 0}, {-18, 48, 0}});
    open->rows = 0;
    Add(0, open);

    UpdateCustomAttachment(door);
    const auto parts = ListOf(record->generatedParts);
    ASSERT_EQ(parts.size(), 2u);
    const float faces[2] = {50.0f - 9.1f, 50.0f + 9.1f};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(std::tuple(parts[i]->type, parts[i]->closed, parts[i]->rows, parts[i]->flagA),
                  std::tuple(objtype::kFrameGroup, 1, 1, 1));
        const Float3DRect b = parts[i]->bounds3D;
        EXPECT_NEAR(b.floatBack, faces[i], kTol);
        EXPECT_NEAR(b.floatFront, faces[i], kTol);
        EXPECT_NEAR(b.floatLeft, 100.0f, kTol);
        EXPECT_NEAR(b.floatRight, 136.0f, kTol);
    }
    EXPECT_EQ(open->closed, 0);
}

TEST_F(CustomGeometryTest, PartsSitAtTheCentreAndTurnAboutTheSidePivot) {
    // Wall at 30 degrees; P1 (100, 200), the opening 36 long, so M is 18 along the wall:
    // (100 + 18 cos 30, 200 - 18 sin 30) = (115.5885, 191).
    Door({100, 0, 200}, 30.0f, 36.0f, 36.0f, 48.0f);
    record->elevation = 4.0f;
    wall->params[2] = 10.0f;  // B = 20 + 4
    ds->viewKind = 2;
    ds->curveSegments = 8;
    Add(0, Outline());
    Add(2, Part(objtype::kDoorHardware, {{0, 0, 0}, {10, 0, 0}}));

    UpdateCustomAttachment(door);
    Poinz* a = record->generatedParts->firstPoint;
    ExpectNear(a, 115.5885f, -24.0f, 191.0f, kTol);
    // Ten along the definition's H runs ten along the wall.
    EXPECT_NEAR(a->next->position[0], 115.5885f + 8.6603f, kTol);
    EXPECT_NEAR(a->next->position[2], 191.0f - 5.0f, kTol);

    // A quarter turn: M, at 30 degrees from P1, goes to 120 degrees from P1, or from 210 to
    // 300 degrees about P2 (131.1769, 182).
    record->swingOrOffset = kPi / 2;
    record->sideFlag = 1;
    UpdateCustomAttachment(door);
    a = record->generatedParts->firstPoint;
    EXPECT_NEAR(a->position[0], 91.0f, kTol);
    EXPECT_NEAR(a->position[2], 200.0f - 15.5885f, kTol);
    record->sideFlag = 0;
    UpdateCustomAttachment(door);
    ExpectNear(record->generatedParts->firstPoint, 131.1769f + 9.0f, -24.0f, 182.0f + 15.5885f, kTol);
    EXPECT_EQ(std::tuple(ds->viewKind, ds->curveSegments), std::tuple(2, 8));
}

}  // namespace geometry

