#pragma once
// The 3D rebuilds the model and the readers ask for, filled at start-up by the folders that
// build the pieces (tools, geometry, scene: RegisterLogicTables in app/core/startup.h), so
// nothing below them includes a builder. A type nobody registered rebuilds nothing, and
// without a scene nothing is rendered or freed. The global reset empties the table.
#include <cstdint>
#include <vector>

class QMDDocumentModel;
struct Objex;

namespace rebuild {

// What a type's rebuild reaches: the object alone, the terrain under it (no type now), the
// whole lot (topography, lot and slope lot: the lot elevation), or the symbol pieces of a
// fixed component (3D) or of a skylight (plan) (built only when a caller asks for that scope:
// grouping, reading).
enum class Scope : uint8_t { Object = 1, Terrain = 2, Lot = 4, Symbol = 8 };
inline constexpr uint8_t kObjectScopes = uint8_t(Scope::Object);
inline constexpr uint8_t kObjectAndTerrain = kObjectScopes | uint8_t(Scope::Terrain);
inline constexpr uint8_t kEveryScope = kObjectAndTerrain | uint8_t(Scope::Lot);

using Builder = void (*)(Objex*);
// Registers (a null builder: forgets) the rebuild of a type.
void Register(int16_t type, Builder build, Scope scope = Scope::Object);
// Runs the rebuild of the object's type when its scope is among `scopes`; false when none ran.
bool Run(Objex* object, uint8_t scopes);
// The types with a registered rebuild of one of the scopes, in type order.
std::vector<int16_t> RegisteredTypes(uint8_t scopes = kEveryScope);

// What refits a host's attachments after the host changed (walls: doors, windows and the
// rest; roofs: skylights and cut-outs). Nothing for a type nobody registered.
void RegisterRefit(int16_t type, Builder refit);
void RefitAttachments(Objex* host);

// The scene's side: rendering an object's pieces again, freeing them, the lot's heights.
struct SceneHooks {
    void (*reRenderObject)(Objex*) = nullptr;
    void (*renderEntireObject)(Objex*) = nullptr;
    void (*renderAllLayers)() = nullptr;
    void (*deleteRendererObject)(Objex*) = nullptr;
    void (*deleteDocumentRendererObjects)(const QMDDocumentModel*) = nullptr;
    void (*setLotElevation)() = nullptr;
    void (*renderSingleObject)(Objex*) = nullptr;
    bool (*hasPieces)() = nullptr;
    bool (*pieceShowsTexture)(int32_t texture) = nullptr;
    // What a ground batch held, done: the ground computed again when `groundMoved` (a terrain
    // object changed), what stands on it placed once, and the scene built whole once when
    // `wholeScene` (asked for inside the batch) or else what the batch held back.
    void (*settleGround)(bool groundMoved, bool wholeScene) = nullptr;
};
void RegisterScene(const SceneHooks& hooks);
void ReRenderObject(Objex* object);
void RenderEntireObject(Objex* object);
// Appends the pieces of a new object (nothing is replaced).
void RenderSingleObject(Objex* object);
// Inside a ground batch the whole build waits for the batch's end, once.
void RenderAllLayers();
void DeleteRendererObject(Objex* object);
void DeleteDocumentRendererObjects(const QMDDocumentModel* doc);
// The terrain grid again from every layer's terrain objects, and what stands on the ground
// placed on it: now, or inside a ground batch when the batch ends.
void SetLotElevation();

// A ground batch: an edit of many objects (a walk over the selection or the plan, a paste, a
// restore, a read) moves terrain objects and what stands on the ground in an order of its
// own, a group before its members. While one is open the ground is not computed at each
// terrain object's rebuild and the scene holds back the pieces of what stands on the ground
// (a group of imported objects is not dropped): when the outermost batch ends, or a step is
// stored (SettleGround), the ground is computed once from the terrain objects as they stand
// and what stands on it is placed once, where a read puts it. Batches nest.
class GroundBatch {
public:
    GroundBatch();
    ~GroundBatch();
    GroundBatch(const GroundBatch&) = delete;
    GroundBatch& operator=(const GroundBatch&) = delete;
};
// Whether the scene holds back what stands on the ground now (a batch open, not settling).
bool GroundHeld();
// What the open batches hold, done now (the batches stay open; nothing held, nothing done).
void SettleGround();
// Whether the scene holds any piece; whether a piece, mask or trim shows the texture on its
// visible face. False without a scene.
bool SceneHasPieces();
bool ScenePieceShowsTexture(int32_t texture);

}  // namespace rebuild
