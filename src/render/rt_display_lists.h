#pragma once
// The display lists of a real-time interaction: what does not change while the user drags is
// compiled on the first frame (compile and execute, so that frame draws too) and replayed on
// later ones. 0 names no list. RTInitializeGLScene deletes all six; the scene's list is also
// deleted whenever plane objects are removed (the ResetSceneDisplayList seam).
#include <cstdint>

// The scene's plane objects except plants and photos.
extern uint32_t gSceneDisplayList;
// The projection and fixed model-view set-up.
extern uint32_t gViewpointDisplayList;
// The background quad's set-up.
extern uint32_t gBackgroundDisplayList;
// The terrain grid, the flat lot and the soil block under the lot.
extern uint32_t gLotDisplayList;
extern uint32_t gFlatLotDisplayList;
extern uint32_t gBaseLotDisplayList;
// Lists compiled since start-up (tests and benchmarks count them).
extern int64_t gDisplayListCompiles;

// The resets (the scene's is also the handler of the ResetSceneDisplayList seam, whose name
// the namespace keeps apart).
namespace rt {
void ResetSceneDisplayList();
void ResetViewpointDisplayList();
void ResetBackgroundDisplayList();
void ResetLotDisplayList();
void ResetFlatLotDisplayList();
void ResetBaseLotDisplayList();
void ResetAllDisplayLists();
}  // namespace rt

// Replays the list when it exists and returns false; otherwise opens a new one for compile
// and execute (none when GL has no name to give) and returns true: the caller draws, then
// calls EndDisplayList.
bool BeginDisplayList(uint32_t& list);
void EndDisplayList(uint32_t list);
// Closes and deletes a list whose compile failed half-way.
void AbandonDisplayList(uint32_t& list);
