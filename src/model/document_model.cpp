#include "model/document_model.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/core/document_seams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/rebuild_table.h"
#include "port/files.h"
#include "port/memory.h"
#include "port/random.h"
#include "port/seam.h"
#include "port/session.h"
#include "model/custom_texture_list.h"
#include "model/document_file_hooks.h"

QMDDocumentModel* gCurDocument = nullptr;
std::string gCurrentTraceImageSourcePath;
static const port::GlobalReset kReset([] {
    gCurDocument = nullptr;
    gCurrentTraceImageSourcePath.clear();
});

namespace {

constexpr uint32_t kDocIDRange = 16777216;
// After this many repeated draws the search walks on from the last value, so a generator
// stuck on one value still ends with a free ID.
constexpr int kRandomDraws = 1000;
constexpr int kChangeCleared = 2;

std::vector<QMDDocumentModel*>& LiveModels() {
    static std::vector<QMDDocumentModel*> models;
    return models;
}

void ForgetModel(QMDDocumentModel* m) {
    auto& v = LiveModels();
    v.erase(std::remove(v.begin(), v.end(), m), v.end());
}

}  // namespace

DocState* CurrentDocState() {
    return gCurDocument ? gCurDocument->itsDocState : nullptr;
}

CurrentDocumentScope::CurrentDocumentScope(QMDDocumentModel* model) : previous_(gCurDocument) {
    gCurDocument = model;
}

CurrentDocumentScope::~CurrentDocumentScope() {
    gCurDocument = previous_;
}

DocumentModelHandle::DocumentModelHandle(QMDDocumentModel* model)
    : model_(model), docID_(model ? model->itsDocID : 0) {
    if (model) alive_ = model->itsLifetime;
}

bool IsDocumentIDInUse(int32_t id, const QMDDocumentModel* except) {
    for (const QMDDocumentModel* m : LiveModels())
        if (m != except && m->itsDocID == id) return true;
    return IsOpenDocumentIDInUse(id);
}

QMDDocumentModel* QMDDocumentModel::alloc() {
    return new QMDDocumentModel();
}

void QMDDocumentModel::chooseDocID() {
    uint32_t id = port::RandomNumber() % kDocIDRange;
    for (int draw = 1; IsDocumentIDInUse(static_cast<int32_t>(id), this) && draw < kRandomDraws; ++draw)
        id = port::RandomNumber() % kDocIDRange;
    while (IsDocumentIDInUse(static_cast<int32_t>(id), this)) id = (id + 1) % kDocIDRange;
    itsDocID = static_cast<int32_t>(id);
}

static uint64_t NextSerial() {
    static uint64_t sLastSerial = 0;
    return ++sLastSerial;
}

bool QMDDocumentModel::holdsLayer(const Layer* layer) const {
    for (const Layer* l = itsLayers; layer && l; l = l->next)
        if (l == layer) return true;
    return false;
}

bool QMDDocumentModel::buildNewDesign() {
    itsSerial = NextSerial();
    Layer* first = CreateLayer("First Floor", 1, 1, nullptr);
    if (!first) return false;
    itsLayers = first;
    itsCurLayer = first;
    Layer* second = CreateLayer("Second Floor", 1, 0, nullptr);
    if (!second) return false;
    AppendLayerToDocument(second);
    Layer* third = CreateLayer("Third Floor", 1, 0, nullptr);
    if (!third) return false;
    AppendLayerToDocument(third);

    itsCur2DLayer = nullptr;
    itsTopoLayer = nullptr;
    itsDocState = CreateDocState();
    itsPlugIns = nullptr;
    itsCustomTextureList = nullptr;
    itsLiveViews = nullptr;
    itsPaletteList = nullptr;

    if (DocumentFiles().addActiveDocPaletteList) DocumentFiles().addActiveDocPaletteList();
    gCurrentTraceImageSourcePath.clear();
    InitializeVisiblePlansFromToolsetOptions();

    itsVRVisible = 0;
    itsVRStartPt = FloatPoint{-144.0f, 0.0f};
    itsVREndPt = FloatPoint{144.0f, 0.0f};
    itsMaximumPlantAge = 23;

    CreatePlugInDataList();
    if (itsDocState && itsDocState->units == kMetricUnits) SetDocStateMetricDefaults(itsDocState);
    if (DocumentFiles().initializeUndo) DocumentFiles().initializeUndo();
    return true;
}

QMDDocumentModel* QMDDocumentModel::init() {
    QMDDocumentModel* previous = gCurDocument;
    gCurDocument = this;
    LiveModels().push_back(this);
    chooseDocID();
    if (!buildNewDesign()) {
        releaseContents();
        ForgetModel(this);
        gCurDocument = previous;
        delete this;
        return nullptr;
    }
    return this;
}

void QMDDocumentModel::releaseContents() {
    CurrentDocumentScope scope(this);
    deletePlugInDataList();
    deleteCustomTextureList();
    deleteLiveViewList();
    deleteAllDocPalettes();
    deleteDocumentElements();
}

void QMDDocumentModel::dealloc() {
    {
        CurrentDocumentScope scope(this);
        releaseContents();
        sanitizeUndoFiles();
        delete itsTraceImage;
        itsTraceImage = nullptr;
    }
    if (gCurDocument == this) gCurDocument = nullptr;
    ForgetModel(this);
    delete this;
    port::ReturnFreedMemory();
}

void QMDDocumentModel::reinitializeDocumentModel() {
    CurrentDocumentScope scope(this);
    sanitizeUndoFiles();
    releaseContents();
    delete itsTraceImage;
    itsTraceImage = nullptr;
    port::ReturnFreedMemory();

    MainWindowDocumentUpdateChangeCount(kChangeCleared);
    MainWindowDocumentUpdateChangeCount(kChangeCleared);
    MainWindowDocumentSetFileName(nullptr);

    // The ring's record was the old design's: the new one starts as its file (none) holds it.
    itsUndoSettings.reset();
    buildNewDesign();
}

void QMDDocumentModel::takeDesignOf(QMDDocumentModel* source) {
    if (!source || source == this) return;
    {
        CurrentDocumentScope scope(this);
        sanitizeUndoFiles();
        releaseContents();
        itsUndoSettings.reset();
        delete itsTraceImage;
    }
    itsLayers = std::exchange(source->itsLayers, nullptr);
    itsCurLayer = std::exchange(source->itsCurLayer, nullptr);
    itsCur2DLayer = std::exchange(source->itsCur2DLayer, nullptr);
    itsTopoLayer = std::exchange(source->itsTopoLayer, nullptr);
    itsDocState = std::exchange(source->itsDocState, nullptr);
    itsPlugIns = std::exchange(source->itsPlugIns, nullptr);
    itsCustomTextureList = std::exchange(source->itsCustomTextureList, nullptr);
    itsLiveViews = std::exchange(source->itsLiveViews, nullptr);
    itsPaletteList = std::exchange(source->itsPaletteList, nullptr);
    itsTraceImage = std::exchange(source->itsTraceImage, nullptr);
    itsVRVisible = source->itsVRVisible;
    itsVRStartPt = source->itsVRStartPt;
    itsVREndPt = source->itsVREndPt;
    itsMaximumPlantAge = source->itsMaximumPlantAge;
    // Whatever was copied from the design before is from another design now.
    itsSerial = NextSerial();
    // The source's snapshots go with it; they hold its ID, not this model's.
    source->dealloc();
    gCurDocument = this;
    // Empty until the caller, its read finished, starts the ring from the design as it stands.
    itsFirstUndo = itsLastUndo = itsCurrentUndo = -1;
}

void QMDDocumentModel::deletePlugInDataList() {
    CurrentDocumentScope scope(this);
    DeletePlugInDataList();
}

void QMDDocumentModel::deleteCustomTextureList() {
    DeleteCustomTextureList(itsCustomTextureList);
}

void QMDDocumentModel::deleteAllCachedCustomTextures() {
    DeleteAllCachedCustomTextures(itsCustomTextureList);
}

void QMDDocumentModel::deleteLiveViewList() {
    CurrentDocumentScope scope(this);
    DeleteLiveViewsList();
}

void QMDDocumentModel::deleteAllDocPalettes() {
    CurrentDocumentScope scope(this);
    if (DocumentFiles().deleteAllDocPalettes) DocumentFiles().deleteAllDocPalettes();
}

void QMDDocumentModel::deleteDocPalette(DocPaletteList* palette) {
    CurrentDocumentScope scope(this);
    if (DocumentFiles().deleteDocPalette) DocumentFiles().deleteDocPalette(palette);
}

void QMDDocumentModel::deleteDocumentElements() {
    CurrentDocumentScope scope(this);
    // The scene borrows these objects; freeing them one by one would search it for each.
    rebuild::DeleteDocumentRendererObjects(this);
    while (itsLayers) DeleteLayer(itsLayers);
    itsLayers = nullptr;
    itsCurLayer = nullptr;
    itsCur2DLayer = nullptr;
    if (itsTopoLayer) DeleteLayer(itsTopoLayer);
    itsTopoLayer = nullptr;
    DeleteDocState(itsDocState);
    itsDocState = nullptr;
}

void QMDDocumentModel::sanitizeUndoFiles() {
    const std::string folder = DocumentFiles().undoFolder ? DocumentFiles().undoFolder() : std::string();
    if (folder.empty()) return;
    // The "_" after the document ID keeps document 12 from matching document 123's files.
    const std::string prefix = "com.dedarovozurev.dovranix_1100_" + std::to_string(port::LoginSessionID()) +
                               "_" + std::to_string(itsDocID) + "_";
    for (const std::string& name : port::ListFolder(folder))
        if (name.compare(0, prefix.size(), prefix) == 0) port::RemoveFile(port::JoinPath(folder, name));
}
