#pragma once
// Fills the rebuild table's scene side (rendering and freeing an object's pieces, the lot
// elevation, which textures the pieces show) and the lot types' rebuild. Called at start-up with the other folders' rebuilds.
void RegisterSceneRebuilders();
