#pragma once
// Building the 3D scene (scene/plane_object.h) from the plan: the walk over floors and objects,
// what each type builds and under which type, and the generic builder that turns an object's
// outline or point grid into pieces.
//
// The live view's render gate decides whether a build runs at all: only with a live-view
// controller, and only while its window is visible, unless a caller forces it
// (gForceRenderObjectNow, never into an empty or stale scene) or background rendering is on.
// A build refused while the window is hidden marks the whole scene for a rebuild when it shows
// (gRenderOnShow), so a hidden window never shows a stale scene.
//
// Building borrows the model: an object built under another type gets its own type code,
// closed flag, face-builder flag and render-owner link back on every path, and the walk's
// marks on other objects' render-pending bytes are put back. Only terrain drops move model
// points (groups of imported solids or cabinet parts, and edging pieces, on the terrain).
struct Layer;
struct Objex;
struct PlaneObject;

// After an edit: the object's pieces are built again and move to the end of the scene; a
// group's members are built again whole. What stands on the ground is placed by the edit,
// whether or not the scene shows it (scene/terrain.h): the scene's builds move no point. The gate ignores background rendering here. A null
// object only runs the gate.
void ReRenderObject(Objex* object);
// The whole scene again from the document's first floor (found by its place, whatever its
// name) on, each shown floor after it in turn; floors before it build nothing. While the window
// is hidden it only marks the scene for a rebuild on show.
void RenderAllLayers();
// Each object of a shown floor with objects, in list order (status "Preparing LiveView").
void RenderLayer(Layer* layer);
// After an edit: the object and then each of its children, recursively, each replacing its
// pieces (what stands on the ground placed first, as ReRenderObject places it).
void RenderEntireObject(Objex* object);
// The same as it stands, placing nothing: the walk of a whole build, and what a ground batch
// held back.
void BuildEntireObject(Objex* object);
// Appends the object's pieces with its parts and attachments, by its type (a group standing on
// the ground is placed first, as ReRenderObject places it; a group builds nothing of its own). The framing view builds only walls, floors, roofs, stairs, cut-outs and
// decks, and of a wall its outline, solid and framing but not its openings. Nothing is built
// for an object on a hidden floor.
void RenderSingleObject(Objex* object);
// The object's own outline (a capped face when its face-builder flag is set) or point grid
// (a piece per cell; wall faces carved with their openings; one piece for a grid surface;
// closed grids wrap round and, with the face-builder flag, get both caps), then its children.
void RenderObject(Objex* object);

// The opacity a piece of `o` takes by its type: glass (158; of subtype 17 the window glass
// setting), imported translucent solids, and under a wall an accessory's plane by the
// accessory's translucency (grid cells only). Pieces of any other type keep theirs.
void SetPieceAlpha(PlaneObject* piece, const Objex* o, bool grid);
