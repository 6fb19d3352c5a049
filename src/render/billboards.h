#pragma once
// Plants and photos of the scene list. A plant is a camera-facing billboard rebuilt from the
// current matrices at every draw (never in a display list); a photo is a flat picture plane.
// Both key their texture's black texels out. Each leaves texturing and the alpha test off.
#include <cstdint>
#include <string>

struct DocState;
struct Objex;

struct PlaneObject;

// A plant (surface kind 8 or 9): its quad stands on the ground point of its footprint, its
// base half width wide and its height tall on screen whatever the camera's pitch. The plant
// drawer owns plant texture IDs: the first to load one keys it, and a stock load of the same
// ID (a face drawn first) keeps it unkeyed for the life of the context.
void RenderGLPlantObject(PlaneObject* object);
// A photo (surface kind 131): its image at 512 x 512, texture coordinates mirrored when its
// base object's mirror flag is set.
void RenderGLPhotoObject(PlaneObject* object);

// What the real-time plant drawer shares: the quad from the current matrices (top left, top
// right, bottom right, bottom left; false without a base object or a four-corner footprint),
// and the image file of plant texture `id` in the render mode (empty when there is none).
bool PlantBillboardCorners(const PlaneObject* object, const DocState* ds, double corners[4][3]);
std::string PlantTexturePath(int32_t id, const Objex* base, int16_t mode);
// Uploads RGBA pixels as texture `id` with the settings of every texture by ID (repeat, linear).
void UploadRGBA(int32_t id, int32_t width, int32_t height, const uint8_t* rgba);
