#include "powertools/core/exchange_file_reader.h"

#include <cstring>
#include <string>

#include "app/core/main_window_seams.h"
#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_records.h"
#include "files/object_section.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "files/topography.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"
#include "powertools/core/exchange_layout.h"
#include "powertools/core/exchange_reader.h"
#include "powertools/core/exchange_tokens.h"
#include "powertools/core/exchange_values.h"
#include "model/topo_grid.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"

using namespace exchange_values;

namespace {

constexpr float kDefaultTopoGridSpacing = 72.0f;

// The next i16 tag without taking it.
int16_t PeekTag() {
    const uint32_t mark = gInDataBufferPos;
    int16_t tag = 0;
    ReadStdShort(&tag);
    gInDataBufferPos = mark;
    return tag;
}

// The whole-file reader's token loop: objects go to the last floor read.
class FileObjectReader : public ExchangeTokenReader {
public:
    Layer* target() override { return scratch_.orTarget(lastFloor_); }
    void floor() override {
        Layer* layer = ReadAPlugInLayer();
        if (!layer) return;
        if (gOpenSymbol) DeleteLayer(layer);
        else lastFloor_ = layer;
    }

private:
    Layer* lastFloor_ = nullptr;
    ScratchSectionLayer scratch_;
};

// After the objects: the current floor, the plan from above, the camera and the terrain.
bool FinishRead() {
    if (!ChooseCurrentFloorAfterRead()) return false;
    ViewTop();
    DocState* ds = CurrentDocState();
    if (!ds) return true;
    ds->cameraMode = 1;
    if (!ds->topoFilePath[0] || !ReadTopoGridFile(ds->topoFilePath)) {
        std::memset(ds->topoFilePath, 0, sizeof ds->topoFilePath);
        ds->topoGridSpacing = kDefaultTopoGridSpacing;
        SetupTopoGrid();
    }
    // The ground the terrain objects just read give (a topography file's heights are kept).
    SetLotElevation();
    return true;
}

}  // namespace

bool DoReadPlugInHeader() {
    ReadExchangeHeader();  // the document ID is not used
    ReadTextItem(kPathLimit);
    ReadTextItem(kPathLimit);
    return xver::IsExchangeVersion(sInputVersion) && !InputTruncated();
}

void DoReadPlugInDocState() {
    QMDDocumentModel* doc = gCurDocument;
    DocState* fresh = CreateDocState();
    if (!doc || !fresh) {
        DeleteDocState(fresh);
        return;
    }
    DeleteDocState(doc->itsDocState);
    doc->itsDocState = fresh;
    if (PeekTag() != exchange::kSettingsTag) return;
    SkipInput(2);
    for (const exchange::SettingsRow& row : exchange::SettingsSection())
        if (exchange::Carries(row.since, sInputVersion)) ReadSettingsRow(fresh, row);
    BoundCurveSegments(fresh);
    if (!xver::Is10000Plus(sInputVersion)) return;
    DoReadPlugInLiveViews();
    DoReadPlugInPalettes();
}

void DoReadPlugInLiveViews() {
    QMDDocumentModel* doc = gCurDocument;
    int32_t count = 0;
    ReadStdLong(&count);
    if (!doc || count <= 0) return;
    if (DocState* ds = doc->itsDocState) std::memset(ds->currentLiveView, 0, sizeof ds->currentLiveView);
    DeleteLiveViewsList();
    for (int32_t i = 0; i < count && !AtEndOfInput(); ++i) {
        LiveViewsList scratch;
        LiveViewsList* view = AddLiveViewsListEntry();
        LiveViewsList* into = view ? view : &scratch;
        const std::string name = ReadTextItem(sizeof into->name - 1);
        std::memset(into->name, 0, sizeof into->name);
        std::memcpy(into->name, name.data(), name.size());
        ReadRecordRows(exchange::SavedViewItems(), into);
    }
}

void DoReadPlugInPalettes() {
    // The count and the palettes; with no palette the end tag follows the count alone.
    const uint32_t start = gInDataBufferPos;
    int32_t count = 0;
    ReadStdLong(&count);
    gInDataBufferPos = start;
    ReadStdPaletteLists();
    if (count > 0) return;
    const uint32_t mark = gInDataBufferPos;
    int32_t tag = 0;
    if (!ReadStdLong(&tag) || tag != exchange::kPalettesEndTag) {
        gInDataBufferPos = mark;
        ClearInputTruncated();
    }
}

Layer* ReadAPlugInLayer() {
    const std::string name = ReadTextItem(kLayerNameSize - 1);
    uint8_t visible = 1, active = 1;
    ReadSome(&visible, 1);
    ReadSome(&active, 1);
    float height = 0;
    const bool haveHeight = ReadStdFloat(&height);
    Layer* layer = CreateLayer("Untitled", 1, 1, nullptr);
    if (!layer) return nullptr;
    std::memset(layer->name, 0, kLayerNameSize);
    std::strcpy(layer->name, name == "X_TOP" ? "X_TOP_FIRST_FLOOR" : name.c_str());
    layer->visible = visible;
    layer->active = active;
    if (haveHeight) layer->height = height;
    if (!gOpenSymbol) AppendLayerToDocument(layer);
    layer->visible = 1;
    SetViewForLayerName(layer->name);
    return layer;
}

void DoReadPlugInObjects() {
    FileObjectReader reader;
    reader.run();
}

int PlugInFileRead(const char* path, int32_t plugInID) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !path || DesignFileBusy()) return 0;
    // The design freed and read: the ground and what stands on it follow once.
    const rebuild::GroundBatch ground;
    {
        FileOperationScope operation;
        ReadStateGuard restore;
        if (!OpenInputFile(path)) return 0;
        InputBufferScope input;
        if (!DoReadPlugInHeader()) return 0;
        DoReadPlugInDocState();
        DeleteDocumentLayers(doc);
        ExchangeIDIndex ids;
        DoReadPlugInObjects();
        DoReadPlugInBlackBox(plugInID);
    }
    const bool floors = FinishRead();
    Refresh();
    RenderAllLayers();
    return floors ? 1 : 0;
}
