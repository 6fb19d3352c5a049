#pragma once
// Registers the renderer's handlers for the seams the logic calls (the jittered projection's
// GL steps, deleting custom textures) and sets up the faces' light. The program calls it at start-up and the render tests
// in their fixture; the handlers act on whatever context is current.
void StartRenderer();
