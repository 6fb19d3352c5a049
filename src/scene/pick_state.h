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
// the lot under kLotPickName.
extern uint8_t gGLPickMode;
