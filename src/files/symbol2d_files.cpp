#include "files/symbol2d_files.h"

#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/object_section.h"
#include "files/streams.h"
#include "files/template_files.h"
#include "files/type_data_io.h"
#include "files/symbol_lists.h"
#include "model/bounds.h"
#include "model/duplicate.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/generated_numbers.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "model/rebuild_table.h"

namespace {

constexpr int16_t kPlanViewKind = 2;

// The section's reading state: the symbol, the layer of its own the objects are read onto,
// and the open group.
class Symbol2DSectionReader {
public:
    explicit Symbol2DSectionReader(Objex* symbol) : symbol_(symbol) {
        layer_ = CreateLayer("Untitled", 1, 1, nullptr);
    }
    ~Symbol2DSectionReader() {
        for (Objex* o = symbol_->firstChild; o; o = o->next) ClearSymbolLayerLinks(o);
        // Groups (which the symbol does not take) end here with the layer.
        if (layer_) DeleteLayer(layer_);
    }
    Symbol2DSectionReader(const Symbol2DSectionReader&) = delete;
    Symbol2DSectionReader& operator=(const Symbol2DSectionReader&) = delete;

    void run() {
        if (layer_) ReadObjectSectionTags(*this);
    }

    void readLayer() { ReadATemplateLayer(); }
    void openGroup() {
        if (lastObject_ && lastObject_->type == objtype::kGroup) group_ = lastObject_;
    }
    // A 2D symbol holds no cabinets: their brackets are passed over.
    void openCabinet() {}
    void closeCabinet() {}
    bool otherTag(int16_t) { return true; }

    void readObject() {
        Objex* o = ReadASymbol2DObject(layer_, 1, symbol_);
        lastObject_ = o;
        if (!o) return;
        // A damaged coordinate would carry over to every child through the centring.
        if (IsObjectPointValuesInvalid(o)) {
            DeleteObj(o);
            lastObject_ = nullptr;
            return;
        }
        if (o->parent != symbol_) AppendObjectToLayer(o, layer_);
    }

    void closeGroup() {
        Objex* group = group_;
        group_ = nullptr;
        if (!group) return;
        UpdateGroupAndRootBounds(group);
        Objex* first = group->firstChild;
        if (first && objtype::IsFixedComponent(first->type)) rebuild::Run(first, uint8_t(rebuild::Scope::Symbol));
    }

private:
    Objex* symbol_;
    Layer* layer_ = nullptr;
    Objex* lastObject_ = nullptr;
    Objex* group_ = nullptr;
};

// Moves the object's selected points in the plan, whatever view the document shows.
void TranslateInPlan(Objex* o, const TransformRecord& record) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const int16_t view = ds->viewKind;
    ds->viewKind = kPlanViewKind;
    TranslateObject(o, &record);
    ds->viewKind = view;
}

}  // namespace

int Symbol2DFileRead(const char* path, Objex* symbol) {
    if (!symbol || !path || !gCurDocument || DesignFileBusy()) return 0;
    {
        FileOperationScope operation;
        if (!OpenInputFile(path)) return 0;
        InputBufferScope input;
        ReadStateGuard restore;
        DocStateVersion settings{};
        if (!DoReadHeader() || !DocStateVersionOfFile(sInputVersion, &settings) ||
            !DesignFileVersionSections(sInputVersion, nullptr))
            return 0;
        DoReadTemplateDocStateOfVersion(settings);
        DoReadSymbol2DObjects(symbol);
    }
    Initialize2DSymbolObject(symbol);
    return 1;
}

void DoReadSymbol2DObjects(Objex* symbol) {
    if (!symbol || !gCurDocument || !CurrentDocState()) return;
    Symbol2DSectionReader reader(symbol);
    reader.run();
}

Objex* ReadASymbol2DObject(Layer* layer, uint8_t attach, Objex* symbol) {
    if (!layer || !symbol || !gCurDocument) return nullptr;
    const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
    const RGBColor black{0, 0, 0};
    Objex* o = CreateObject(0, 0, 0, &white, &black, 1.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, layer,
                            TypeData{});
    if (!o) return nullptr;
    ReadObjectInfo(o);
    // The stored point count gives way to the points actually read.
    o->pointCount = 0;
    ReadObjectPoints(o);
    ReadObjectData(o, layer);
    if (attach) Append2DSymbolToParent(o, symbol);
    UpdateObjectBounds(o);
    SelectObj(o, selmode::kSelect, 0);
    if (o->type != objtype::kGroup) {
        SetTextureFaceUV(o);
        SetObjectPointLengths(o);
    }
    return o;
}

void Initialize2DSymbolObject(Objex* symbol) {
    if (!symbol) return;
    Float3DRect box = EmptyFloat3DRect();
    for (Objex* child = symbol->firstChild; child; child = child->next) GetObject3DBounds(child, 0, &box, 0);
    if (IsEmptyBounds(box)) return;
    TransformRecord record;
    record.values[xform::kTranslateH] = -(box.floatLeft + box.floatRight) / 2.0f;
    record.values[xform::kTranslateH + 2] = objtype::IsFixedComponent(symbol->type)
                                                ? -(box.floatBack + box.floatFront) / 2.0f
                                                : -box.floatBack;
    for (Objex* child = symbol->firstChild; child; child = child->next) {
        TranslateInPlan(child, record);
        for (Objex* grandchild = child->firstChild; grandchild; grandchild = grandchild->next)
            TranslateInPlan(grandchild, record);
    }
}

void Append2DSymbolToParent(Objex* object, Objex* symbol) {
    if (!object || !symbol || object == symbol || object->type == objtype::kGroup) return;
    object->type = symbol->type;
    // The parent link too, so that unlinking a child later keeps the list head right.
    object->parent = symbol;
    AppendObjectToList(symbol->firstChild, object, symbol);
}

void Append3DSymbolToParent(Objex* object, Objex* symbol) {
    if (!object || !symbol || object == symbol || object->type == objtype::kGroup) return;
    object->parent = symbol;
    AppendPartToObject(symbol, object);
}

namespace {
constexpr int16_t kSymbol3DPiece = 111;
}  // namespace

void Attach3DSymbol(Objex* object, int16_t symbolType, const float offset[2]) {
    if (!object || !offset || !CurrentDocState()) return;
    Objex* symbol = FindSymbolEntry(gSymbol3DList, symbolType);
    if (!symbol) return;
    // The pieces are made again at every read and rebuild, never saved nor looked up by number:
    // they take none, so a design opened and saved at once keeps its counters.
    const KeepNumberCounters numbers(CurrentDocState());
    auto attach = [&](Objex* piece) {
        Objex* copy = DuplicateObject(piece, nullptr, nullptr, offset, 0, cmd::kSymbolTop);
        if (!copy) return;
        Unnumber(copy);
        copy->layer = object->layer;
        Append3DSymbolToParent(copy, object);
        copy->type = kSymbol3DPiece;
        SelectObj(copy, selmode::kDeselect, 0);
    };
    for (Objex* top = symbol->firstChild; top; top = top->next) {
        attach(top);
        for (Objex* child = top->firstChild; child; child = child->next)
            attach(child);
    }
}

void ClearSymbolLayerLinks(Objex* o) {
    if (o) SetTreeFloor(o, nullptr, true);
}
