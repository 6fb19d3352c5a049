#pragma once
// What the real-time drawing reads while a drop in the live view is picked: the window point
// of the drop and the flags that make it draw into the selection buffer.
#include <cstdint>

// The drop point, in the live view's window coordinates.
extern int32_t gPickX;
extern int32_t gPickY;
// Set while the scene is drawn through OpenGL for a pick.
extern uint8_t gRenderingOpenGL;
// Set while drawing in selection mode: each plane object is drawn under a name of its own and
// the lot under kLotPickName. Plants are left out of such a pick unless gGLFindAppliedMode is
// set too.
extern uint8_t gGLPickMode;
// Set while a pick selects in 3D: plants and photos carry their names.
extern uint8_t gGLPick3DSelectionMode;
// Set while a pick looks for the object a click or a drop acts on: plants are drawn into the
// pick and carry their names.
extern uint8_t gGLFindAppliedMode;
