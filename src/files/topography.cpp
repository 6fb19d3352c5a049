#include "files/topography.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "port/alerts.h"
#include "files/texture_files.h"
#include "model/topo_grid.h"

namespace {

constexpr int32_t kOldTopoObjectVersion = 10800;
constexpr size_t kPathBufferSize = 512;

// The grid part of a topography file, read in full before any of it is taken.
struct PendingGrid {
    float spacing = 0;
    FloatPoint lotSizeFeet;
    int16_t gridValue = 0;
    float lotLeft = 0, lotRight = 0, lotTop = 0, lotBottom = 0;
    int32_t rows = 0;
    int32_t columns = 0;
    bool hasHeights = false;
    std::vector<float> heights;
};

bool ReadPendingGrid(PendingGrid& g) {
    const DocState* ds = CurrentDocState();
    if (!ds) return false;
    g.spacing = ds->topoGridSpacing;
    g.lotSizeFeet = ds->lotSizeFeet;
    g.gridValue = ds->topoGridValue;
    g.lotLeft = ds->lotRect.floatLeft;
    g.lotRight = ds->lotRect.floatRight;
    g.lotTop = ds->lotRect.floatTop;
    g.lotBottom = ds->lotRect.floatBottom;
    const bool fields = ReadFloat(&g.spacing) && ReadFloat(&g.lotSizeFeet.floatH) && ReadFloat(&g.lotSizeFeet.floatV) &&
                        ReadShort(&g.gridValue) && ReadFloat(&g.lotLeft) && ReadFloat(&g.lotRight) &&
                        ReadFloat(&g.lotTop) && ReadFloat(&g.lotBottom) && ReadLong(&g.rows) && ReadLong(&g.columns);
    if (!fields) return false;
    if (g.rows < 1 || g.columns < 1) return true;
    // The heights must all be in the input before anything is allocated for them.
    const uint64_t nodes = (uint64_t{static_cast<uint32_t>(g.rows)} + 1) * (uint64_t{static_cast<uint32_t>(g.columns)} + 1);
    if (nodes > RemainingInput() / sizeof(float)) return false;
    try {
        g.heights.resize(static_cast<size_t>(nodes));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (float& h : g.heights) ReadFloat(&h);
    g.hasHeights = true;
    return true;
}

void TakePendingGrid(PendingGrid& g) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ds->topoGridSpacing = g.spacing;
    ds->lotSizeFeet = g.lotSizeFeet;
    ds->topoGridValue = g.gridValue;
    ds->lotRect.floatLeft = g.lotLeft;
    ds->lotRect.floatRight = g.lotRight;
    ds->lotRect.floatTop = g.lotTop;
    ds->lotRect.floatBottom = g.lotBottom;
    if (g.hasHeights) ReplaceTopoGrid(g.rows, g.columns, std::move(g.heights));
}

void ShowDamagedTopographyAlert(const char* path) {
    port::Alert alert;
    alert.message = "Unable to read topography file.";
    alert.informative = std::string("The file '") + path +
                        "' might be damaged or created with a more recent version of Kesto! Grelloc";
    alert.buttons = {"OK"};
    port::alerts().runModal(alert);
}

}  // namespace

bool DoReadGrid() {
    PendingGrid grid;
    if (!ReadPendingGrid(grid)) return false;
    TakePendingGrid(grid);
    return true;
}

int ReadTopoGridFile(const char* path) {
    QMDDocumentModel* doc = gCurDocument;
    if (!path || !doc) return 0;
    char checked[kPathBufferSize] = {};
    std::strncpy(checked, path, kPathBufferSize - 1);
    Validate512Pathname(checked);
    if (!checked[0] || DesignFileBusy()) {
        SetupTopoGrid();
        return 0;
    }
    int result = 0;
    {
        FileOperationScope operation;
        if (!OpenInputFile(checked)) {
            SetupTopoGrid();
            return 0;
        }
        InputBufferScope input;
        ReadStateGuard restore;
        int32_t magic = 0;
        ReadLong(&magic);
        PendingGrid grid;
        int32_t version = kOldTopoObjectVersion;
        bool sound = (magic == kTopoFileMagicOld || magic == kTopoFileMagic) && ReadPendingGrid(grid);
        if (sound && magic == kTopoFileMagicOld) DoReadTemplateDocStateOfVersion(DocStateVersion::V80);
        if (sound && magic == kTopoFileMagic) sound = ReadStdLong(&version) && filever::IsAcceptedVersion(version);
        if (!sound) {
            ShowDamagedTopographyAlert(checked);
            SetupTopoGrid();
            return 0;
        }
        TakePendingGrid(grid);

        if (doc->itsTopoLayer) DeleteLayer(doc->itsTopoLayer);
        doc->itsTopoLayer = CreateLayer("TopoLayer", 1, 1, nullptr);
        Layer* topo = doc->itsTopoLayer;
        gReadingTopoLayer = 1;
        gOpenSymbol = 1;
        sInputVersion = version;
        if (topo) DoReadObjects();
        gReadingTopoLayer = 0;
        gOpenSymbol = 0;
        if (topo) {
            for (Objex* o = topo->firstObject; o;) {
                Objex* next = o->next;
                if (o->type != objtype::kTopography) DeleteObj(o);
                o = next;
            }
            SelectAllLayers(topo, selmode::kDeselect, 0);
        }
        result = 1;
    }
    return result;
}
