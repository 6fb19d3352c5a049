#pragma once
// The 3D rebuilds of building and site elements that model and file code ask for after an
// object changed. Until the tools land every call does nothing; calls without an object never
// reach a handler.
#include "port/seam.h"

struct Objex;

// 22
DVX_SEAM_GUARDED(Update3DPath, "tools", port::SeamKind::Temporary, port::NoNullPointer, nullptr, void(Objex*))
// 130
DVX_SEAM_GUARDED(Update3DPhoto, "tools", port::SeamKind::Temporary, port::NoNullPointer, nullptr, void(Objex*))
// 134
DVX_SEAM_GUARDED(Update3DTopoCutoutDepthObject, "tools", port::SeamKind::Temporary, port::NoNullPointer, nullptr,
                 void(Objex*))
