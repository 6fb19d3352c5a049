#pragma once
// The 3D scene as a VRML 2.0 text file: a viewpoint, then one shape per plane of each exported
// plane object, a flat diffuse colour and an indexed face set each. The text is built in the
// output buffer (files/streams.h) and written whole, replacing the target only once complete;
// numbers are written the same whatever the process's locale. The output buffer is left
// released (empty) on every path.
//
// A face with openings is written as the face less its masks, one shape of triangles each
// closed by -1; the masks themselves are never written, so doors and windows stay open.
struct PlaneObject;

// Writes the current scene at the path (NUL-terminated bytes); nothing without a document, its
// settings or a path. A hidden live view is shown for the export (its scene built when it is
// due) and closed again afterwards. A failed write leaves any file there as it was and alerts.
void ExportVRMLFile(const char* path);
// "#VRML V2.0 utf8" and the viewpoint: the walk camera's eye height and the lot's bottom edge,
// each plus 0.5 and truncated.
void ExportVRMLHeader();
// Each plane object of the list but plants of surface kind 8, photos and masks, each followed
// by its trims.
void VRMLExportGLPlaneObjects(PlaneObject* list);
// The shapes of one plane object: one per plane with corners.
void ExportVRMLPlaneObject(PlaneObject* object);
