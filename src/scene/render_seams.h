#pragma once
// What the model asks of 3D generation. Until the scene lands every call does nothing but
// emptying the scene, which frees its list; calls without an object never reach a handler.
#include "port/seam.h"
#include "scene/plane_object.h"

struct Objex;

// Replaces the object's pieces in the live view's scene when the view is shown.
DVX_SEAM_GUARDED(ReRenderObject, "scene", port::SeamKind::Temporary, port::NoNullPointer, nullptr, void(Objex*))
// Rebuilds the whole scene from the layers when the live view is shown.
DVX_SEAM(RenderAllLayers, "scene", port::SeamKind::Temporary, void())
// Builds the pieces of one object and its attachments into the scene.
DVX_SEAM_GUARDED(RenderSingleObject, "scene", port::SeamKind::Temporary, port::NoNullPointer, nullptr, void(Objex*))
// Rebuilds the pieces of the object and of all its descendants.
DVX_SEAM_GUARDED(RenderEntireObject, "scene", port::SeamKind::Temporary, port::NoNullPointer, nullptr, void(Objex*))
