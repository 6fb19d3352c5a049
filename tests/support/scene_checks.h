#pragma once
// Scene pieces: planes from corners, pieces by base object and piece kind, and their geometry
// (vertex counts, tags, normals, areas, edges shared once corners are welded at 1e-3).
//   AddPlane(piece, {{0, 0, 0}, {10, 0, 0}, {10, 0, 10}}, {0, 1, 0});
//   EXPECT_TRUE(Band(PiecesOf(wall), 4));
#include <gtest/gtest.h>

#include <initializer_list>

#include "scene/plane_object.h"
#include "support/build.h"

namespace dvxtest {

// A live view for the scene build: its controller exists and its window is shown or hidden
// (the window is the live view's flag, so ShowLiveView and CloseLiveView work on it too).
void RegisterLiveView(bool visible);
// A shown live view whose scene holds a piece of each base as an earlier build would have left
// it; rebuilding the object replaces it.
void AddStalePieces(std::initializer_list<Objex*> bases);
bool HasStalePiece(const Objex* base);
// Whether the scene holds a piece built for `base` (stale pieces do not count).
bool Built(const Objex* base);

// A small house for the whole-scene paths: two walls 6 inches thick and 48 high meeting at
// (200, 0), a door (style 500) in the first, and a gable roof with a skylight; the walls'
// 3D parts are built. `doored` (may be null) gets the wall with the door.
void HouseWithDoorAndRoof(Layer* floor, Objex** doored = nullptr);

// The planes a VRML export of the scene writes, one shape each, in order: every piece's own but
// plants of kind 8 and photos, then its trims'; `masked` when an opening cuts the plane.
struct ExportedPlane {
    const PlaneObject* piece;
    const Plane* plane;
    bool masked;
};
std::vector<ExportedPlane> ExportedPlanes();

// A plane of the corners (x, y, z) at the tail of the piece's planes, tags 0.
Plane* AddPlane(PlaneObject* piece, const std::vector<V3>& corners, V3 normal);

std::vector<PlaneObject*> PiecesOf(const Objex* base, PlaneObject* head = gGLPlaneObjects);
std::vector<PlaneObject*> PiecesOfKind(int pieceKind, PlaneObject* head = gGLPlaneObjects);
std::vector<const Plane*> PlanesOf(const PlaneObject* piece);
int VertexCount(const PlaneObject* piece);
std::vector<uint16_t> Tags(const Plane* plane);

// The area of every plane of the pieces.
double Area(const std::vector<PlaneObject*>& pieces);
// Each plane has a normal, perpendicular to each of its edges (|cosine| within the tolerance).
::testing::AssertionResult NormalsPerpendicular(const std::vector<PlaneObject*>& pieces, double tolerance = 1e-3);
// Every vertex of the face's masks lies in the plane of its first plane and within the box of
// its vertices.
::testing::AssertionResult MasksOnFace(const PlaneObject* face, double tolerance = 1e-3);
// Every inner edge is shared by exactly two faces and `boundary` edges belong to one (0: closed).
::testing::AssertionResult Band(const std::vector<PlaneObject*>& pieces, int boundary = 0);

}  // namespace dvxtest
