#pragma once
// The live view's camera and backdrop as the scene sees them: aiming the camera, scrolling the
// backdrop with the heading and asking the live view to redraw.
#include <cstdint>

struct DocState;

// Scroll the backdrop with the camera heading (a live-view preference).
extern uint8_t gAnimateBackground;
// Horizontal texture coordinates of the backdrop quad's four corners.
extern float gBackgroundVertices[4];

// Asks the live view for a full redraw; always 1.
int16_t RenderLoop();
// The renderer reads the camera from the settings record itself, so only the backdrop follows
// a new angle (when animated); the position is not kept here.
void SetCameraAngle(float x, float y, float z);
void SetCameraPosition(float x, float y, float z);
// Unless the record keeps the backdrop still (render exclusion bit 0x40), a quarter turn of the
// heading (the orbit heading when flying around) moves the backdrop by one texture width.
void AnimateBackground(const DocState* docState);
