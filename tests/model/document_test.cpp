// The records of a design and the document around them: objects, layers and points, the
// document model, the settings record, view layers and saved blocks.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/core/document_seams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/preferences.h"
#include "render/core/texture_seams.h"
#include "model/tool_defaults.h"
#include "model/view_layers.h"
#include "model/view_state.h"
#include "port/defaults.h"
#include "port/random.h"
#include "port/session.h"
#include "powertools/core/plugin_list_seams.h"
#include "model/render_state.h"
#include "support/build.h"
#include "support/design_links.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

// Creating, linking, unlinking and finding layers, objects and points; groups; the view ID.
namespace objects {

class ObjectsTest : public DocumentTest {
protected:
    Layer* first() { return doc->itsLayers; }
};

TEST_F(ObjectsTest, CreationTakesConsecutiveIDsAndDefaults) {
    doc->itsDocState->plantAge = 5.5f;
    doc->itsDocState->currentElevation = 96.0f;
    Objex* a = Make(objtype::kRectangle);
    Objex* b = Make(objtype::kPlant);
    EXPECT_EQ(b->objectID, a->objectID + 1);
    EXPECT_TRUE(Near({a->plantAge, a->elevation}, {5.5f, 96.0f}, kUlps));

    Poinz* p = NewPoint({1, 2, 3}, a);
    Poinz* q = NewPoint({4, 5, 6}, a);
    EXPECT_EQ(q->pointID, p->pointID + 1);
    delete p;
    delete q;

    // Without a document a point is refused and no ID is taken.
    const uint32_t next = doc->itsDocState->nextPointID;
    gCurDocument = nullptr;
    EXPECT_EQ(NewPoint({0, 0, 0}), nullptr);
    Objex* loose = Make(objtype::kLine);
    EXPECT_EQ(loose->objectID, 0u);
    // ...and an object comes back zero-filled: neither the arguments nor the defaults are set.
    EXPECT_TRUE(Near({loose->type, loose->visible, loose->penWidth, loose->penStyle}, {0, 0, 0.0f, 0}));
    EXPECT_TRUE(Near({loose->rows, loose->flagA, loose->faceAxis, loose->needsRebuild}, {0, 0, 0, 0}));
    EXPECT_EQ(loose->textureScales[4].x, 0);
    gCurDocument = doc;
    EXPECT_EQ(doc->itsDocState->nextPointID, next);
    for (Objex* o : {loose, a, b}) DeleteObj(o);
}

TEST_F(ObjectsTest, AppendingAndUnlinkingKeepsListsLinkedBothWays) {
    Objex* a = Make(objtype::kLine).on(first());
    EXPECT_EQ(first()->firstObject, a);
    Objex* b = Make(objtype::kLine).on(first());
    Objex* c = Make(objtype::kLine).on(first());
    EXPECT_TRUE(Same({a->next, b->prev}, {b, a}));

    EXPECT_TRUE(Same({UnlinkObject(a), first()->firstObject, b->prev, a->layer}, {a, b, nullptr, nullptr}));
    UnlinkObject(c);
    EXPECT_EQ(b->next, nullptr);
    EXPECT_EQ(CountObjects(first()->firstObject), 1);

    // Unlinking the first child of a group moves the group's head.
    Objex* group = Make(objtype::kGroup).on(first());
    gGroupLeader = group;
    GroupObject(a);
    GroupObject(c);
    GroupObject(group);  // the leader itself is not grouped
    // A member names the group's floor, as a read links it.
    EXPECT_TRUE(Same({group->firstChild, a->parent, a->layer, c->prev}, {a, group, first(), a}));
    UnlinkObject(a);
    EXPECT_TRUE(Same({group->firstChild, c->prev}, {c, nullptr}));
    EXPECT_EQ(a->parent, group);  // left as it was
    a->parent = nullptr;
    DeleteObj(a);

    // The floor link: a piece joining a tree takes its root's floor, one on none stays on none,
    // and a root joining a floor takes every piece that names one there.
    Layer* upper = first()->next;
    Objex* wall = Wall(first(), {{0, 0}, {100, 0}});
    Objex* window = Opening(wall, objtype::kWindow, 600, 0);
    Objex *named = Part(objtype::kWindowSeparator), *unnamed = Part(objtype::kOpeningMask);
    named->layer = upper;
    AppendObjectToList(window->typeData.attachment->generatedParts, named, window);
    AppendObjectToList(window->typeData.attachment->generatedParts, unnamed, window);
    Objex* door = Make(objtype::kDoor).line(2).on(upper);
    UnlinkObject(door)->layer = upper;
    AppendChildToObject(door, wall);
    EXPECT_TRUE(Same({named->layer, unnamed->layer, door->layer}, {first(), nullptr, first()}));
    InsertObjectInLayer(UnlinkObject(wall), upper, nullptr);
    EXPECT_TRUE(Same({window->layer, named->layer, unnamed->layer, door->layer}, {upper, upper, nullptr, upper}));
    EXPECT_TRUE(DesignLinkFaults(doc).empty());
    // A tree off every floor may still name one freed since: freeing it reads nothing of it
    // (the sanitizers watch).
    Layer* gone = CreateLayer("Gone", 1, 1, nullptr);
    AppendLayerToDocument(gone);
    UnlinkObject(wall);
    window->layer = door->layer = gone;
    DeleteLayer(gone);
    DeleteObj(wall);
}

// Parts and record lists appended one after another keep their order whatever happens
// between appends: another list's appends, the last part unlinked, the list emptied or moved
// to another head, the owner freed (the remembered end is never followed once its object is
// gone: the sanitizers watch).
TEST_F(ObjectsTest, PartsAppendInOrderAcrossOtherOwnersUnlinksAndFrees) {
    Objex* owner = Make(objtype::kRailing).on(first());
    Objex* other = Make(objtype::kFence).on(first());
    auto piece = [] { return static_cast<Objex*>(Make(objtype::kPolygon)); };
    auto parts = [](const Objex* o) {
        std::vector<const Objex*> v;
        for (const Objex* p = o->firstPart; p; p = p->next) v.push_back(p);
        return v;
    };
    Objex* a = piece();
    Objex* b = piece();
    Objex* x = piece();
    Objex* c = piece();
    AppendPartToObject(owner, a), AppendPartToObject(owner, b);
    AppendPartToObject(other, x);
    AppendPartToObject(owner, c);
    EXPECT_EQ(parts(owner), (std::vector<const Objex*>{a, b, c}));
    EXPECT_TRUE(Same({c->prev, b->next, x->prev, x->next}, {b, c, nullptr, nullptr}));
    EXPECT_EQ(std::pair(PartCount(owner), PartCount(other)), std::pair(3, 1));
    // The remembered last part unlinked, then freed: the next one follows b.
    DeleteObj(UnlinkObject(c));
    Objex* d = piece();
    AppendPartToObject(owner, d);
    EXPECT_EQ(parts(owner), (std::vector<const Objex*>{a, b, d}));
    // Emptied and refilled; the other owner freed with its part in between.
    DeleteObjectList(owner->firstPart);
    Objex* e = piece();
    AppendPartToObject(owner, e);
    DeleteObj(UnlinkObject(other));
    Objex* f = piece();
    AppendPartToObject(owner, f);
    EXPECT_EQ(parts(owner), (std::vector<const Objex*>{e, f}));
    EXPECT_EQ(PartCount(owner), 2);
    // A record's lists, appended to in turn and one moved to another head, read in order.
    Objex* lists[2] = {};
    std::vector<const Objex*> made[2];
    for (int i = 0; i < 6; ++i) {
        Objex* p = piece();
        AppendObjectToList(lists[i % 2], p, nullptr);
        made[i % 2].push_back(p);
    }
    Objex* moved = std::exchange(lists[1], nullptr);
    Objex* late = piece();
    AppendObjectToList(moved, late, nullptr);
    made[1].push_back(late);
    for (int i = 0; i < 2; ++i) {
        std::vector<const Objex*> v;
        for (const Objex* p = i ? moved : lists[0]; p; p = p->next) v.push_back(p);
        EXPECT_EQ(v, made[i]) << i;
    }
    DeleteObjectList(lists[0]), DeleteObjectList(moved);
    // Points after the tail a reader keeps, and after one that no longer ends the list.
    Objex* line = Make(objtype::kLine).on(first());
    Poinz* tail = nullptr;
    for (int i = 0; i < 3; ++i) tail = AppendPointAfter(NewPoint({float(i), 0, 0}), line, tail);
    AppendPointAfter(NewPoint({3, 0, 0}), line, line->firstPoint);
    std::vector<float> at;
    for (const Poinz* p = line->firstPoint; p; p = p->next) at.push_back(p->position[0]);
    EXPECT_EQ(at, (std::vector<float>{0, 1, 2, 3}));
    EXPECT_EQ(line->pointCount, 4);
    DeleteObj(UnlinkObject(line));
    DeleteObj(UnlinkObject(owner));
    Objex* lone = Make(objtype::kRailing).on(first());
    Objex* g = piece();
    AppendPartToObject(lone, g);
    EXPECT_EQ(parts(lone), (std::vector<const Objex*>{g}));
    DeleteObj(UnlinkObject(lone));
}

TEST_F(ObjectsTest, PointInsertion) {
    Objex* poly = Make(objtype::kPolygon).on(first()).line(3);
    Poinz* p0 = PointAt(poly, 0);
    Poinz* p2 = PointAt(poly, 2);
    p0->selected = 1;
    p0->baseElevation = 8;
    p0->position[1] = 30;

    // After the last point the new one copies the first point.
    Poinz* added = NewPoint({99, 1, 2});
    InsertPointInObjectAndUpdatePointInfo(added, poly, p2);
    EXPECT_EQ(poly->pointCount, 4);
    EXPECT_TRUE(Same({p2->next, added->prev, added->owner}, {added, p2, poly}));
    EXPECT_TRUE(Near({added->selected, added->baseElevation}, {1, 8.0f}, kUlps));
    EXPECT_FLOAT_EQ(added->position[1], 1.0f);  // not a deck: own height kept

    // At the head.
    Poinz* head = NewPoint({-5, 0, 0});
    InsertPointInObject(head, poly, nullptr);
    EXPECT_TRUE(Same({poly->firstPoint, p0->prev}, {head, head}));
    EXPECT_EQ(poly->pointCount, 5);

    // Decks take the neighbour's height; walls refuse.
    Objex* deck = Make(objtype::kDeck).on(first()).line(2);
    PointAt(deck, 1)->position[1] = 24;
    Poinz* mid = NewPoint({5, 0, 0});
    InsertPointInObjectAndUpdatePointInfo(mid, deck, PointAt(deck, 0));
    EXPECT_FLOAT_EQ(mid->position[1], 24.0f);

    Objex* wall = Make(objtype::kWall).on(first()).line(2);
    Poinz* refused = NewPoint({5, 0, 0});
    InsertPointInObjectAndUpdatePointInfo(refused, wall, PointAt(wall, 0));
    EXPECT_EQ(wall->pointCount, 2);
    EXPECT_EQ(refused->owner, nullptr);
    delete refused;
}

TEST_F(ObjectsTest, DeletingLayersMovesTheDocumentsPointers) {
    Layer* f = first();
    Layer* second = f->next;
    Make(objtype::kLine).on(f);
    DeleteLayer(f);
    EXPECT_TRUE(Same({doc->itsLayers, doc->itsCurLayer, second->prev}, {second, second, nullptr}));

    // The current layer in the middle falls back to its predecessor.
    Layer* third = second->next;
    Layer* fourth = CreateLayer("Fourth", 1, 1, nullptr);
    AppendLayerToDocument(fourth);
    doc->itsCurLayer = third;
    DeleteLayer(third);
    EXPECT_TRUE(Same({doc->itsCurLayer, second->next, fourth->prev}, {second, fourth, second}));

    // The 2D view and topography layers are not left pointing at freed layers.
    doc->itsCur2DLayer = fourth;
    DeleteLayer(fourth);
    EXPECT_EQ(doc->itsCur2DLayer, nullptr);
    Layer* topo = CreateLayer("TopoLayer", 1, 1, nullptr);
    doc->itsTopoLayer = topo;
    Make(objtype::kTopography).on(topo);
    DeleteLayer(topo);
    EXPECT_TRUE(Same({doc->itsTopoLayer, doc->itsLayers}, {nullptr, second}));

    DeleteLayer(second);
    EXPECT_TRUE(Same({doc->itsLayers, doc->itsCurLayer}, {nullptr, nullptr}));

    // An empty document takes its first appended layer as current.
    Layer* fresh = CreateLayer("Fresh", 1, 1, nullptr);
    AppendLayerToDocument(fresh);
    EXPECT_TRUE(Same({doc->itsLayers, doc->itsCurLayer}, {fresh, fresh}));

    // Layer names are cut to 255 bytes.
    const std::string longName(300, 'x');
    Layer* l = CreateLayer(longName.c_str(), 1, 0, nullptr);
    EXPECT_TRUE(Near({std::strlen(l->name), l->height}, {255u, 96.0f}, kUlps));
    Layer* unnamed = CreateLayer(nullptr, 0, 0, nullptr);
    EXPECT_STREQ(unnamed->name, "");
    DeleteLayer(l);
    DeleteLayer(unnamed);
}

TEST_F(ObjectsTest, Lookups) {
    Layer* second = first()->next;
    Objex* top = Make(objtype::kGroup).on(second);
    Objex* child = Make(objtype::kRectangle).in(top);
    Make(top).line(1);
    Make(child).line(2);
    Objex* grandChild = Make(objtype::kLine).in(child).line(1);
    const uint32_t childPoint = PointAt(child, 1)->pointID;

    EXPECT_TRUE(Same({GetObjectFromPointID(childPoint), GetPointFromPointID(childPoint)}, {child, nullptr}));
    EXPECT_EQ(GetPointFromPointID(top->firstPoint->pointID), top->firstPoint);
    EXPECT_EQ(GetObjectFromPointID(grandChild->firstPoint->pointID), nullptr);
    EXPECT_EQ(GetObjectFromObjectID(child->objectID), child);
    EXPECT_EQ(GetObjectFromObjectID(grandChild->objectID), nullptr);
    EXPECT_EQ(GetObjectFromObjectID(999999), nullptr);
    EXPECT_EQ(FindObjectWithID(top->objectID), nullptr);  // not on the current layer
    doc->itsCurLayer = second;
    EXPECT_TRUE(Same({FindObjectWithID(top->objectID), GetRootObject(grandChild)}, {top, top}));
    EXPECT_EQ(GetRootObject(top), top);
    EXPECT_EQ(GetLayerFromName("Second Floor"), second);
    EXPECT_EQ(GetLayerFromName("second floor"), nullptr);
    EXPECT_FLOAT_EQ(GetLayerAbsBaseHeight(nullptr), 0.0f);

    top->groupKind = groupkind::kSymbolEditor;
    EXPECT_TRUE(IsObjectSymbolEditorObject(grandChild));
    EXPECT_FALSE(IsObjectSectionDetailObject(grandChild));
    top->groupKind = groupkind::kSectionDetail;
    EXPECT_TRUE(IsObjectSectionDetailObject(child));

    // A wall is deleted whole only with every point selected.
    Objex* wall = Make(objtype::kWall).on(first()).line(3);
    EXPECT_FALSE(DeleteEntireWallObject(wall));
    for (Poinz* p = wall->firstPoint; p; p = p->next) p->selected = 1;
    EXPECT_TRUE(DeleteEntireWallObject(wall));
    EXPECT_TRUE(DeleteEntireWallObject(Make(objtype::kLine).on(first())));
    EXPECT_FALSE(DeleteEntireWallObject(nullptr));
}

TEST_F(ObjectsTest, CurrentViewFromAngles) {
    struct Case {
        float x, y;
        uint8_t perspective;
        float factor;
        int32_t view;
    };
    const Case cases[] = {
        {90, 0, 0, 1, 5149},     {89.6f, 0.4f, 0, 1, 5149}, {0, 270, 0, 1, 5151},
        {0, 90, 0, 1, 5152},     {0, 0, 0, 1, 5153},        {0, 180, 0, 1, 5154},
        {90, 0, 1, 1, 5179},     {30, 45, 1, 6, 5155},      {30, 45, 0, 6, 5162},
        {30, 45, 1, 2.5f, 0},    {30, 45, 0, 2.5f, 5162},   {0, 45, 0, 1, 5162},
    };
    for (const Case& c : cases) {
        gXViewAngle = c.x;
        gYViewAngle = c.y;
        gPerspective = c.perspective;
        gViewFactor = c.factor;
        EXPECT_EQ(GetCurrentView(), c.view) << c.x << "," << c.y << " p" << int(c.perspective) << " f" << c.factor;
    }
    gCurDocument = nullptr;
    EXPECT_EQ(GetCurrentView(), 0);
    gCurDocument = doc;
}

}  // namespace objects

// A new design, its metric variant, document IDs, resetting in place and undo file clean-up.
namespace document {

class DocumentModelTest : public DocumentTest {};

TEST_F(DocumentModelTest, NewMetricDesign) {
    gDefaultToImperial = false;
    QMDDocumentModel* metric = QMDDocumentModel::alloc()->init();
    ASSERT_NE(metric, nullptr);
    DocState* ds = metric->itsDocState;
    EXPECT_TRUE(Near({ds->units, ds->wallHeight}, {kMetricUnits, 94.4882f}, kUlps));
    for (Layer* l = metric->itsLayers; l; l = l->next) EXPECT_FLOAT_EQ(l->height, 94.48819f);
    EXPECT_FLOAT_EQ(GetLayerAbsBaseHeight(metric->itsLayers->next->next), 2 * 94.48819f);
    EXPECT_FLOAT_EQ(ds->gridSpacing.floatH, 19.685f);
    EXPECT_EQ(std::bit_cast<uint32_t>(ds->flyAltitude), 0x44F9FFF8u);
    EXPECT_FLOAT_EQ(ds->roofValue, 7.0f);  // no metric value: stays imperial
    EXPECT_TRUE(Near({gdsAccessoryWidth, gCeilingThickness}, {47.244f, 11.811f}, 1e-3));
    metric->dealloc();
    EXPECT_EQ(gCurDocument, nullptr);
}

TEST_F(DocumentModelTest, DocumentIDsStayDistinctWhenTheGeneratorRepeats) {
    ScriptedRandom repeating({5});
    port::setRandomSource(&repeating);
    QMDDocumentModel* a = QMDDocumentModel::alloc()->init();
    QMDDocumentModel* b = QMDDocumentModel::alloc()->init();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->itsDocID, b->itsDocID);
    EXPECT_NE(a->itsDocID, doc->itsDocID);
    EXPECT_NE(b->itsDocID, doc->itsDocID);
    b->dealloc();
    a->dealloc();

    // The largest draw stays in range, and a second document wraps round to a free ID.
    ScriptedRandom top({0xFFFFFFFFu});
    port::setRandomSource(&top);
    a = QMDDocumentModel::alloc()->init();
    b = QMDDocumentModel::alloc()->init();
    EXPECT_EQ(a->itsDocID, 16777215);
    EXPECT_GE(b->itsDocID, 0);
    EXPECT_LT(b->itsDocID, 16777216);
    EXPECT_NE(b->itsDocID, a->itsDocID);
    b->dealloc();
    a->dealloc();

    // Documents the shell knows of count too.
    SetIsOpenDocumentIDInUseHandler([](int32_t id) { return id == 9; });
    ScriptedRandom nine({9, 9 + 16777216u, 10});
    port::setRandomSource(&nine);
    a = QMDDocumentModel::alloc()->init();
    EXPECT_EQ(a->itsDocID, 10);
    a->dealloc();
    port::setRandomSource(nullptr);
}

TEST_F(DocumentModelTest, FreeingAModelThatIsNotCurrentLeavesTheCurrentOneAlone) {
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_EQ(gCurDocument, other);
    Make(objtype::kLine).on(doc->itsLayers);
    gCurDocument = other;
    doc->dealloc();
    doc = nullptr;
    EXPECT_EQ(gCurDocument, other);
    EXPECT_EQ(CountLayers(other->itsLayers), 3);
    other->dealloc();
    EXPECT_EQ(gCurDocument, nullptr);
}

}  // namespace document

// The settings table against the record, the dimension flag word and the toolset masks.
namespace docstate {

size_t SizeOf(const DocStateField& f) {
    switch (f.type) {
    case DocFieldType::U8: return 1;
    case DocFieldType::I16: case DocFieldType::U16: return 2;
    case DocFieldType::I32: case DocFieldType::U32: case DocFieldType::F32: return 4;
    case DocFieldType::FloatPoint: return sizeof(FloatPoint);
    case DocFieldType::Float3DPoint: return sizeof(Float3DPoint);
    case DocFieldType::FloatRect: return sizeof(FloatRect);
    case DocFieldType::ShortPoint: return sizeof(ShortPoint);
    case DocFieldType::RGBColor: return sizeof(RGBColor);
    case DocFieldType::LogFont: return sizeof(LOGFONT);
    case DocFieldType::Chars: return f.count;
    case DocFieldType::SelectionState: return sizeof(SelectionState);
    case DocFieldType::SelectionState40: return sizeof(SelectionState40);
    case DocFieldType::I32Array: return 4u * f.count;
    }
    return 0;
}

TEST(DocStateTable, CoversTheRecordInOrderWithoutOverlap) {
    auto fields = DocStateFields();
    ASSERT_EQ(fields.size(), 321u);
    size_t end = 0;
    for (const DocStateField& f : fields) {
        EXPECT_GE(f.offset, end) << f.number << " " << f.name;
        // Nothing but alignment padding between fields.
        EXPECT_LT(f.offset - end, 4u) << f.number << " " << f.name;
        end = f.offset + SizeOf(f);
        EXPECT_LE(end, sizeof(DocState)) << f.name;
    }
    EXPECT_LT(sizeof(DocState) - end, 4u);
    // The record keeps the in-memory size its files' length field names.
    EXPECT_EQ(sizeof(DocState), 3732u);
    ASSERT_NE(FindDocStateField("nextObjectID"), nullptr);
    EXPECT_EQ(FindDocStateField("planMasks")->element, 0);
    EXPECT_EQ(FindDocStateField("no such field"), nullptr);
}

class DocStateTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }
};

TEST_F(DocStateTest, ArrowToleranceAndReadoutBits) {
    // Arrow styles 5086..5092 set one of bits 0..6; others none. Other bits are kept.
    const int32_t keep = 0x80000 | (1 << 10) | (1 << 14);
    for (int16_t id : {5085, 5086, 5087, 5088, 5089, 5090, 5091, 5092, 5093, 0, -1}) {
        ds()->dimensionFlags = keep | 0x7F;
        ds()->arrowStyleID = id;
        SetDocStateDimensionArrowFlags(ds());
        EXPECT_EQ(ds()->dimensionFlags, keep | (id >= 5086 && id <= 5092 ? 1 << (id - 5086) : 0)) << id;
    }
    const std::pair<int16_t, int32_t> tolerances[] = {
        {5053, 0}, {5057, 0}, {5052, 0}, {0, 0}, {5054, 1 << 9}, {5056, 1 << 11}};
    for (auto [id, bit] : tolerances) {
        ds()->dimensionFlags = 0x8 | (0x7 << 9);
        ds()->toleranceID = id;
        SetDocStateDimensionToleranceFlags(ds());
        EXPECT_EQ(ds()->dimensionFlags, 0x8 | bit) << id;
    }

    ds()->dimensionFlags = 0x7F << 12;
    ds()->readoutStyleID = 5058;
    SetDocStateDimensionReadoutFlags(ds());
    EXPECT_EQ(ds()->dimensionFlags, 1 << 12);
    ds()->readoutStyleID = 5065;
    SetDocStateDimensionReadoutFlags(ds());
    EXPECT_EQ(ds()->dimensionFlags, 0);
}

TEST_F(DocStateTest, DimensionObjectFlagWord) {
    Objex* dim = Make(objtype::kLengthDimension);
    DimensionArrowFlag(dim, 5090);  // no record: nothing
    Make(dim).with(new DimensionRecord{});
    dim->typeData.dimension->flags = (1 << 7) | 0x1;
    DimensionArrowFlag(dim, 5090);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4));
    DimensionToleranceFlag(dim, 5055);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4) | (1 << 10));
    DimensionToleranceFlag(dim, 5053);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4));

    QMDDocumentModel* keep = gCurDocument;
    gCurDocument = nullptr;  // the tolerance form needs a document
    DimensionToleranceFlag(dim, 5056);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4));
    gCurDocument = keep;
    DeleteObj(dim);
}

TEST_F(DocStateTest, ToolsetOptionsOnlyAddPlanBits) {
    int32_t before[9];
    std::memcpy(before, ds()->planMasks, sizeof before);

    gToolsetOptions = 6911;
    InitializeVisiblePlansFromToolsetOptions();
    EXPECT_EQ(std::memcmp(before, ds()->planMasks, sizeof before), 0);

    gToolsetOptions = 6911 & ~(0x8 | 0x200 | 0x800);
    InitializeVisiblePlansFromToolsetOptions();
    for (int i = 0; i < 9; ++i) EXPECT_EQ(ds()->planMasks[i], before[i] | 0xE0) << i;

    std::memcpy(ds()->planMasks, before, sizeof before);
    gToolsetOptions = 6911 & ~0x200;
    InitializeVisiblePlansFromToolsetOptions();
    EXPECT_TRUE(Near({ds()->planMasks[0], ds()->planMasks[1]}, {0x101 | 0x80, 0x1FF}));
}

TEST_F(DocStateTest, MetricSwitchNeedsARecordAndADocument) {
    SetDocStateMetricDefaults(nullptr);
    QMDDocumentModel* keep = gCurDocument;
    gCurDocument = nullptr;
    SetDocStateMetricDefaults(ds());
    EXPECT_FLOAT_EQ(ds()->wallHeight, 96.0f);
    gCurDocument = keep;
    InitializeDocState(nullptr);

    // Readouts and units come from preferences.
    port::defaults().setInt("UseImperialSystemKey", 4);
    port::defaults().setInt("ImperialReadoutKey", 7);
    port::defaults().setInt("MetricReadoutKey", 3);
    port::defaults().setInt("AngleReadoutKey", 1);
    LoadModelPreferences();
    DocState* fresh = CreateDocState();
    EXPECT_EQ(fresh->units, kMetricUnits);
    EXPECT_TRUE(Near({fresh->imperialReadout, fresh->metricReadout, fresh->angleReadout}, {7, 3, 1}));
    // A settings record alone never switches to metric values.
    EXPECT_FLOAT_EQ(fresh->wallHeight, 96.0f);
    DeleteDocState(fresh);
}

}  // namespace docstate

// Elevation view layers: names by view, creation on first use, moving drafting objects and
// the visibility of each view's layer.
namespace dvxtest::viewlayers {

class ViewLayers : public SelectionTest {
protected:
    Layer* Last() {
        Layer* l = doc->itsLayers;
        while (l->next) l = l->next;
        return l;
    }
};

TEST_F(ViewLayers, AskingTwiceAppendsOneLayerAtTheEnd) {
    const int before = CountLayers(doc->itsLayers);
    Layer* front = Get2DViewLayer(5153);
    ASSERT_NE(front, nullptr);
    EXPECT_STREQ(front->name, "X_FRONT");
    EXPECT_TRUE(Near({front->visible, front->active}, {1, 1}));
    EXPECT_EQ(Get2DViewLayer(5153), front);
    EXPECT_EQ(CountLayers(doc->itsLayers), before + 1);
    EXPECT_EQ(Last(), front);

    EXPECT_STREQ(Get2DViewLayerName(5151), "X_LEFT");
    EXPECT_STREQ(Get2DViewLayerName(5152), "X_RIGHT");
    EXPECT_STREQ(Get2DViewLayerName(5154), "X_BACK");
    EXPECT_STREQ(Get2DViewLayerName(5162), "X_TOP_FIRST_FLOOR");

    // Plan layer follows the current floor by name.
    Layer* second = GetLayerFromName("Second Floor");
    doc->itsCurLayer = second;
    Layer* plan = Get2DViewLayer(5149);
    ASSERT_NE(plan, nullptr);
    EXPECT_STREQ(plan->name, "X_TOP_SECOND_FLOOR");
    doc->itsCurLayer = GetLayerFromName("Third Floor");
    EXPECT_STREQ(Get2DViewLayerName(5149), "X_TOP_THIRD_FLOOR");

    doc->itsCurLayer = second;
    std::strcpy(second->name, "Mezzanine");
    EXPECT_STREQ(Get2DViewLayer(5149)->name, "X_TOP_FIRST_FLOOR");
}

TEST_F(ViewLayers, VisibilityShowsOnlyTheViewsLayer) {
    Layer* second = GetLayerFromName("Second Floor");
    second->visible = 0;
    Layer* top1 = Get2DViewLayer(5149);
    doc->itsCurLayer = second;
    Layer* top2 = Get2DViewLayer(5149);
    Layer* left = Get2DViewLayer(5151);
    Layer* front = Get2DViewLayer(5153);
    Layer* other = CreateLayer("Notes", 1, 1, nullptr);
    AppendLayerToDocument(other);
    Objex* note = Shape(left, objtype::kOldText, {{0, 0}, {10, 0}});
    Make(note).select();

    Set2DViewLayerVisibility(front);
    EXPECT_TRUE(Near({front->visible, front->active, left->visible, left->active}, {1, 1, 0, 0}));
    EXPECT_TRUE(Near({SelectedPointCount(note), top1->visible}, {0, 1}));  // its floor is shown
    EXPECT_EQ(top2->visible, 0);  // its floor is hidden
    EXPECT_TRUE(Near({top1->active, top2->active, other->visible, other->active}, {0, 0, 1, 1}));

    Set2DViewLayerVisibility(nullptr);
    EXPECT_EQ(front->visible, 0);
}

TEST_F(ViewLayers, DraftingObjectsMoveInOrderWithTheirMembers) {
    Objex* text = Shape(floor, objtype::kDimensionText, {{0, 0}});
    Objex* wall = Wall(floor, {{0, 0}, {10, 0}});
    Objex* label = Shape(floor, objtype::kOldText, {{0, 0}});
    Objex* linked = Shape(floor, objtype::kDimensionLinked, {{0, 0}, {5, 0}});
    Objex* inner = Shape(floor, objtype::kDimensionText, {{0, 0}});
    Objex* group = Group(floor, {inner});
    Objex* empty = Group(floor, {});

    Move2DObjectsTo2DLayer(floor, 5153);
    Layer* front = GetLayerFromName("X_FRONT");
    ASSERT_NE(front, nullptr);
    EXPECT_TRUE(Same({front->firstObject, text->next, label->next}, {text, label, linked}));
    EXPECT_TRUE(Same({linked->next, group->next, inner->layer}, {group, nullptr, front}));
    EXPECT_TRUE(Same({floor->firstObject, wall->next}, {wall, empty}));

    // Onto itself nothing moves.
    Move2DObjectsTo2DLayer(front, 5153);
    EXPECT_EQ(CountObjects(front->firstObject), 4);

    // Moved as a read moves an older file's drafting, an object takes all it holds along.
    Objex* window = Opening(wall, objtype::kWindow, 600, 0);
    Objex* piece = Part(objtype::kWindowSeparator);
    piece->layer = floor;
    AppendObjectToList(window->typeData.attachment->generatedParts, piece, window);
    Move2DObject(wall, front);
    EXPECT_TRUE(Same({window->layer, piece->layer, wall->layer}, {front, front, front}));
}

}  // namespace dvxtest::viewlayers

// Saved cameras and plug-in data blocks.
namespace blocks {

class SavedCamerasTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }

    // Every camera field of the settings record, in order; a point is two fields.
    template <class F>
    void EachCameraField(F f) {
        DocState* d = ds();
        f(d->cameraMode), f(d->navigationFlag), f(d->flyValueA), f(d->flyValueB), f(d->cameraHeading);
        f(d->cameraPosition), f(d->flyAltitude), f(d->eyeHeight), f(d->lightOffset), f(d->cutAwayPosition);
        f(d->cutAwayKind), f(d->renderValue), f(d->liveViewFlag), f(d->liveViewValue), f(d->liveViewFlagB);
        f(d->liveViewFlagC), f(d->navigationValue), f(d->renderMode), f(d->renderFlag), f(d->renderSetting);
        f(d->lightValue), f(d->sunOn), f(d->sunAngle), f(d->sunValueB), f(d->sunValueD), f(d->cameraValue);
        f(d->lightIntensity), f(d->lightFlag);
    }
    // Field k (from 1) holds base + k.
    void SetCamera(float base) {
        EachCameraField([&](auto& field) {
            if constexpr (std::is_same_v<std::decay_t<decltype(field)>, FloatPoint>)
                field = FloatPoint{++base, ++base};
            else
                field = static_cast<std::decay_t<decltype(field)>>(++base);
        });
    }
    void ExpectCamera(float base) {
        int k = 0;
        EachCameraField([&](const auto& field) {
            if constexpr (std::is_same_v<std::decay_t<decltype(field)>, FloatPoint>) {
                EXPECT_EQ(field.floatH, base + ++k) << k;
                EXPECT_EQ(field.floatV, base + ++k) << k;
            } else {
                EXPECT_EQ(field, base + ++k) << k;
            }
        });
    }
};

TEST_F(SavedCamerasTest, SaveAndChooseRestoresEveryField) {
    SetCamera(100);
    LiveViewsList* porch = AddLiveViewsListEntry();
    ASSERT_NE(porch, nullptr);
    EXPECT_STREQ(porch->name, "");
    std::strcpy(porch->name, "Porch");
    SetCamera(40);
    LiveViewsList* garden = AddLiveViewsListEntry();
    std::strcpy(garden->name, "Garden");
    EXPECT_EQ(CountLiveViewsList(), 2);
    EXPECT_EQ(garden->prev, porch);

    SetCamera(7);
    gRefreshRender = 0;
    SetCurrentLiveView(1);
    ExpectCamera(100);
    EXPECT_STREQ(ds()->currentLiveView, "Porch");
    EXPECT_EQ(gRefreshRender, 1);

    // Indices outside the list change nothing.
    SetCamera(7);
    gRefreshRender = 0;
    SetCurrentLiveView(0);
    SetCurrentLiveView(3);
    ExpectCamera(7);
    EXPECT_EQ(gRefreshRender, 0);

    // The current camera takes the settings back; an unknown current name changes nothing.
    UpdateCurrentLiveView();
    SetCamera(55);
    SetCurrentLiveView(1);
    ExpectCamera(7);
    std::strcpy(ds()->currentLiveView, "Attic");
    SetCamera(60);
    UpdateCurrentLiveView();
    SetCurrentLiveView(2);
    ExpectCamera(40);

    EXPECT_EQ(GetLiveViewFromName("Garden"), garden);
    EXPECT_EQ(GetLiveViewFromName("garden"), nullptr);
    EXPECT_EQ(GetLiveViewFromName(nullptr), nullptr);

    DeleteLiveViewsListEntry(porch);
    EXPECT_TRUE(Same({doc->itsLiveViews, garden->prev}, {garden, nullptr}));
    EXPECT_EQ(CountLiveViewsList(), 1);
    DeleteLiveViewsList();
    EXPECT_EQ(doc->itsLiveViews, nullptr);
    EXPECT_EQ(CountLiveViewsList(), 0);

    // Nothing without a document.
    gCurDocument = nullptr;
    EXPECT_EQ(AddLiveViewsListEntry(), nullptr);
    EXPECT_EQ(CountLiveViewsList(), 0);
    SetCurrentLiveView(1);
    UpdateCurrentLiveView();
    gCurDocument = doc;
}

class PlugInBlocksTest : public DocumentTest {};

TEST_F(PlugInBlocksTest, OneBlockPerPlugIn) {
    SetLoadedPlugInIDsHandler([] { return std::vector<int32_t>{7, 9}; });
    QMDDocumentModel* withTools = QMDDocumentModel::alloc()->init();
    PlugInData* first = withTools->itsPlugIns;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(Near({first->plugInID, first->size}, {7, 0}));
    EXPECT_EQ(first->data, nullptr);
    ASSERT_NE(first->next, nullptr);
    EXPECT_EQ(first->next->plugInID, 9);
    EXPECT_EQ(first->next->next, nullptr);

    // Storing twice keeps one block with the second data (the first is freed).
    StorePlugInData(new char[3]{'a', 'b', 'c'}, 3, 9);
    StorePlugInData(new char[2]{'x', 'y'}, 2, 9);
    PlugInData* nine = GetPlugInData(9);
    EXPECT_EQ(nine, first->next);
    EXPECT_EQ(nine->size, 2);
    EXPECT_EQ(nine->data[1], 'y');

    // An unknown ID is appended after the loaded plug-ins' blocks.
    StorePlugInData(new char[1]{'z'}, 1, 42);
    EXPECT_EQ(nine->next->plugInID, 42);
    EXPECT_EQ(nine->next->prev, nine);
    withTools->dealloc();

    // Without a document the handed-over data is not kept (and not leaked).
    StorePlugInData(new char[1]{'q'}, 1, 5);
    gCurDocument = doc;
    EXPECT_EQ(doc->itsPlugIns, nullptr);
    AppendPlugInDataToList(3);
    EXPECT_EQ(doc->itsPlugIns->plugInID, 3);
    DeletePlugInDataList();
    EXPECT_EQ(doc->itsPlugIns, nullptr);
}

}  // namespace blocks
