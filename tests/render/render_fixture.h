#pragma once
// What the OSMesa render tests share: a fixture with a fresh program state, a current
// offscreen surface and the renderer's seam handlers registered; a scene builder for plane
// objects of known quads and colours; and a plain drawer of that scene list (flat colours,
// y drawn as the elevation, the negated stored value).
//   auto* red = AddQuad({{0, 0, 0}, {10, 0, 0}, {10, -10, 0}, {0, -10, 0}}, kRed);
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "osmesa_context.h"
#include "scene/plane_object.h"
#include "support/build.h"
#include "support/fixture.h"
#include "support/seam_recorders.h"

namespace dvxtest {

inline constexpr RGBColor kRed{0xFFFF, 0, 0};
inline constexpr RGBColor kGreen{0, 0xFFFF, 0};
inline constexpr RGBColor kBlue{0, 0, 0xFFFF};
inline constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

// A plane object of one polygon (scene coordinates h = x, v = negated height, d = z) in `colour`, at the
// tail of the scene list.
PlaneObject* AddQuad(const std::vector<V3>& corners, RGBColor colour);
// Draws the plane object, or every one of the list, as flat polygons in its front colour and
// its alpha.
void DrawPlaneObject(const PlaneObject* piece);
void DrawPlaneObjects(const PlaneObject* head = gGLPlaneObjects);
// The window point (bottom-left origin) where the current matrices and viewport put the scene
// point (x, y up, z).
struct WindowPoint {
    int x = 0, y = 0;
};
WindowPoint ProjectToWindow(double x, double y, double z);

// A fresh document as DocumentTest gives it, and a current surface of 64 x 48 unless a test
// asks otherwise.
class RenderTest : public DocumentTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new surface of this size in place of the fixture's.
    void Resize(int width, int height);

    std::unique_ptr<OffscreenGL> gl;
};

// A render test whose surface is the live view's, as the renderer finds the panel: a square
// surface with a host of its size registered (64 x 64 unless a test asks otherwise).
class LiveViewRenderTest : public RenderTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new surface and host of this size.
    void UseViewSize(int width, int height);

    std::unique_ptr<LiveViewHostRecorder> host;
};

}  // namespace dvxtest
