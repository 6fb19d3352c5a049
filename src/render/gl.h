#pragma once
// The one way the renderer includes OpenGL: the 1.x API with the prototypes of the later
// entry points it uses (framebuffer objects), which both libGL and OSMesa export.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
