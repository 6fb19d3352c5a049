#pragma once
// The root of one open design. Each document window owns one; the plain functions of the
// whole program work on the model in `gCurDocument`.
#include <cstdint>
#include <memory>
#include <string>

#include "model/types.h"

struct Layer;
struct DocState;
struct PlugInData;
struct LiveViewsList;
struct DocPaletteList;
struct CustomTextureIDList;
struct PlatformObject;
struct UndoSettingsRecord;

class QMDDocumentModel {
public:
    // A zeroed model, not yet built. Build it with init().
    static QMDDocumentModel* alloc();

    // Builds a new design (three floors, default settings and palette, plug-in blocks) and
    // makes it `gCurDocument`. On failure frees the model and returns null.
    QMDDocumentModel* init();
    // Frees everything the model owns (its undo files included) and the model itself.
    void dealloc();
    // Turns the model into a new, untitled design in place; keeps `itsDocID`.
    void reinitializeDocumentModel();
    // Takes the design of `source` (a model built to read a file into) in place of this one's,
    // then frees `source`: the model keeps its ID, gets a new serial, becomes current and
    // holds no undo snapshot until the caller initializes its ring.
    void takeDesignOf(QMDDocumentModel* source);

    void deletePlugInDataList();
    void deleteCustomTextureList();
    void deleteAllCachedCustomTextures();
    void deleteLiveViewList();
    void deleteAllDocPalettes();
    void deleteDocPalette(DocPaletteList* palette);
    void deleteDocumentElements();
    // Removes this document's undo snapshot files from the temporary folder.
    void sanitizeUndoFiles();

    Layer* itsLayers = nullptr;
    Layer* itsCurLayer = nullptr;
    Layer* itsCur2DLayer = nullptr;        // current elevation view layer
    Layer* itsTopoLayer = nullptr;         // kept outside the layer list
    // Whether the layer is in this design's layer list (a floor or view layer; not the
    // topography layer).
    bool holdsLayer(const Layer* layer) const;
    DocState* itsDocState = nullptr;
    PlugInData* itsPlugIns = nullptr;
    CustomTextureIDList* itsCustomTextureList = nullptr;
    LiveViewsList* itsLiveViews = nullptr;
    DocPaletteList* itsPaletteList = nullptr;
    uint8_t itsVRVisible = 0;              // virtual ruler
    FloatPoint itsVRStartPt;
    FloatPoint itsVREndPt;
    int32_t itsDocID = 0;                  // 0..16777215, unique among open documents
    // Never reused during a run (a new design in place gets a new one): tells a document
    // apart from a later one that happens to take its address or ID.
    uint64_t itsSerial = 0;
    int32_t itsFirstUndo = 0;
    int32_t itsLastUndo = 0;
    int32_t itsCurrentUndo = 0;
    int16_t itsMaximumPlantAge = 0;
    PlatformObject* itsTraceImage = nullptr;  // owned
    // What the undo ring keeps beside its snapshots (files/undo.cpp): the settings no snapshot
    // gives back by itself, what each slot's step set of them, and the selection each step left
    // on pieces a read makes anew.
    std::shared_ptr<UndoSettingsRecord> itsUndoSettings;
    // Lives exactly as long as the model: a DocumentModelHandle watches it.
    std::shared_ptr<const int> itsLifetime = std::make_shared<const int>(0);

private:
    QMDDocumentModel() = default;
    ~QMDDocumentModel() = default;
    QMDDocumentModel(const QMDDocumentModel&) = delete;
    QMDDocumentModel& operator=(const QMDDocumentModel&) = delete;

    bool buildNewDesign();
    void chooseDocID();
    void releaseContents();
};

// The model every plain function works on; null when no document is current.
extern QMDDocumentModel* gCurDocument;
// Source path of the trace image last loaded (cleared for a new design).
extern std::string gCurrentTraceImageSourcePath;

// The settings record of the current document, or null.
DocState* CurrentDocState();

// Makes `model` current for the lifetime of the guard, then puts the previous one back.
class CurrentDocumentScope {
public:
    explicit CurrentDocumentScope(QMDDocumentModel* model);
    ~CurrentDocumentScope();
    CurrentDocumentScope(const CurrentDocumentScope&) = delete;
    CurrentDocumentScope& operator=(const CurrentDocumentScope&) = delete;

private:
    QMDDocumentModel* previous_;
};

// The live models (in creation order) for document ID uniqueness.
bool IsDocumentIDInUse(int32_t id, const QMDDocumentModel* except);

// Refers to a model without keeping it alive, and knows when it is gone: whoever must not
// outlive a model (a plug-in tool it locked) keeps one of these, never a bare pointer.
class DocumentModelHandle {
public:
    DocumentModelHandle() = default;
    explicit DocumentModelHandle(QMDDocumentModel* model);
    // The model while it exists; null once it was freed (or for an empty handle).
    QMDDocumentModel* get() const { return alive_.expired() ? nullptr : model_; }
    // The document ID the model had when the handle was made.
    int32_t docID() const { return docID_; }

private:
    QMDDocumentModel* model_ = nullptr;
    int32_t docID_ = 0;
    std::weak_ptr<const int> alive_;
};
