// 2D symbol files and the built-in symbol lists.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "files/content_folders.h"
#include "support/records.h"
#include "files/object_records.h"
#include "files/symbol2d_files.h"
#include "files/symbol_lists.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

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
            Poinz* q = CreatePoint(0, 0, 0, 0, 0, 0, p.h, p.v, p.d, 0, 0, 0, 0, 0, 0, o);
            q->detectable = 1;
            AppendPointToObject(q, o);
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
    for (Objex* c = plain.firstChild; c; c = c->next) {
        EXPECT_EQ(c->type, 55);
        EXPECT_EQ(c->parent, &plain);
        EXPECT_EQ(c->layer, nullptr);
    }
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
            EXPECT_EQ(e->type, order[i]);
            EXPECT_EQ(e->firstChild, nullptr);
            if (e->next) {
                EXPECT_EQ(e->next->prev, e);
            }
            types.insert(e->type);
        }
        EXPECT_EQ(i, kBuiltInSymbolCount);
        EXPECT_EQ(types.size(), static_cast<size_t>(kBuiltInSymbolCount));
    }
    EXPECT_EQ(Symbol2DLoadOrder()[16], 146);
    EXPECT_EQ(Symbol3DLoadOrder()[27], 68);
    EXPECT_EQ(FindSymbolEntry(gSymbol2DList, 89), nullptr);
    EXPECT_EQ(FindSymbolEntry(gSymbol3DList, 89), nullptr);
}

TEST_F(SymbolFilesTest, MixedCaseFilesAreFoundByTheirExactNames) {
    Write(LocalDomainOEMSym2DPath(), "LtLandscapeUp2D.ptm", SymbolFile());
    Write(LocalDomainOEMSym2DPath(), "LTFLOOD2D.ptm", SymbolFile());  // not its name
    Write(LocalDomainOEMSym3DPath(), "LtPoint3D.ptm", SymbolFile());
    Write(LocalDomainOEMSym3DPath(), "RECSINGL3D.PTM", SymbolFile());
    LoadSymbolListsIfEmpty();

    EXPECT_EQ(CountObjects(FindSymbolEntry(gSymbol2DList, 147)->firstChild), 2);
    EXPECT_EQ(FindSymbolEntry(gSymbol2DList, 83)->firstChild, nullptr);
    EXPECT_EQ(CountObjects(FindSymbolEntry(gSymbol3DList, 152)->firstChild), 2);
    EXPECT_EQ(CountObjects(FindSymbolEntry(gSymbol3DList, 55)->firstChild), 2);
    EXPECT_EQ(FindSymbolEntry(gSymbol3DList, 152)->firstChild->type, 152);

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

}  // namespace
