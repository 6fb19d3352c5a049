// An exported scene read back by an independent VRML reader (Coin3D): every exported plane is
// one shape with its corners and colour, the scene's extent is the plane objects' (height up),
// and the door's hole is open.
#include <gtest/gtest.h>

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/VRMLnodes/SoVRMLAppearance.h>
#include <Inventor/VRMLnodes/SoVRMLCoordinate.h>
#include <Inventor/VRMLnodes/SoVRMLIndexedFaceSet.h>
#include <Inventor/VRMLnodes/SoVRMLMaterial.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoSeparator.h>

#include <algorithm>
#include <cmath>

#include "port/files.h"
#include "render/core/live_view_seams.h"
#include "render/core/vrml_export.h"
#include "scene/scene_build.h"
#include "scene/tessellation.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;

RGBColor ExpectedColor(const PlaneObject* p) {
    const bool planar = p->surfaceKind == kPlanarSurface;
    if (planar && p->frontColorField) return *p->frontColorField;
    if (p->backColorField) return *p->backColorField;
    return planar ? p->backColor : p->frontColor;
}

bool InTriangle(const SbVec3f& a, const SbVec3f& b, const SbVec3f& c, const SbVec3f& p) {
    // Same side of every edge, within the triangle's plane.
    const SbVec3f n = (b - a).cross(c - a);
    const float s0 = n.dot((b - a).cross(p - a)), s1 = n.dot((c - b).cross(p - b)), s2 = n.dot((a - c).cross(p - c));
    return s0 > 1e-4f && s1 > 1e-4f && s2 > 1e-4f;
}

class VRMLReadTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        SoDB::init();
        RegisterLiveView(false);
    }
    void TearDown() override {
        DeleteAllRendererObjects();
        SelectionTest::TearDown();
    }
};

TEST_F(VRMLReadTest, AHouseReadsBackShapeByShapeWithItsDoorOpen) {
    Objex* wall = nullptr;
    HouseWithDoorAndRoof(floor, &wall);
    gRenderOnShow = 1;
    const std::string path = port::JoinPath(FreshTempFolder("coin"), "house.wrl");
    ExportVRMLFile(path.c_str());  // builds the scene through the hidden live view

    SoInput in;
    ASSERT_TRUE(in.openFile(path.c_str()));
    SoSeparator* root = SoDB::readAll(&in);
    ASSERT_NE(root, nullptr);
    root->ref();
    SoSearchAction search;
    search.setType(SoVRMLShape::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.apply(root);
    const SoPathList& shapes = search.getPaths();
    const std::vector<ExportedPlane> planes = ExportedPlanes();
    ASSERT_EQ(shapes.getLength(), static_cast<int>(planes.size()));

    SbBox3f expected;
    int holes = 0;
    for (int i = 0; i < shapes.getLength(); ++i) {
        SCOPED_TRACE(i);
        const ExportedPlane& w = planes[i];
        auto* shape = static_cast<SoVRMLShape*>(shapes[i]->getTail());
        auto* faces = static_cast<SoVRMLIndexedFaceSet*>(shape->geometry.getValue());
        auto* material = static_cast<SoVRMLMaterial*>(
            static_cast<SoVRMLAppearance*>(shape->appearance.getValue())->material.getValue());
        ASSERT_TRUE(faces && material);
        const SbColor diffuse = material->diffuseColor.getValue();
        const RGBColor c = ExpectedColor(w.piece);
        EXPECT_NEAR(diffuse[0], c.red / 65535.0, 0.01);
        EXPECT_NEAR(diffuse[1], c.green / 65535.0, 0.01);
        EXPECT_NEAR(diffuse[2], c.blue / 65535.0, 0.01);
        const SoMFVec3f& points = static_cast<SoVRMLCoordinate*>(faces->coord.getValue())->point;
        const SoMFInt32& index = faces->coordIndex;
        for (uint32_t k = 0; k < w.plane->count; ++k) {
            const PlaneVertex& v = w.plane->vertices[k];
            expected.extendBy(SbVec3f(v.H, -v.V, v.D));
            if (!w.masked) {
                ASSERT_EQ(points.getNum(), static_cast<int>(w.plane->count));
                EXPECT_LT((points[k] - SbVec3f(v.H, -v.V, v.D)).length(), 0.01f);
            }
        }
        if (!w.masked) {
            EXPECT_EQ(index.getNum(), static_cast<int>(w.plane->count));
            continue;
        }
        // Triangles, none over the middle of an opening of the face.
        ++holes;
        ASSERT_EQ(index.getNum() % 4, 0);
        for (const PlaneObject* m = w.piece->masks; m; m = m->next)
            for (const Plane* mp : PlanesOf(m)) {
                if (!MasksCutPlane(w.plane, m)) continue;
                SbVec3f centre(0, 0, 0);
                for (uint32_t k = 0; k < mp->count; ++k)
                    centre += SbVec3f(mp->vertices[k].H, -mp->vertices[k].V, mp->vertices[k].D) / float(mp->count);
                for (int t = 0; t < index.getNum(); t += 4) {
                    EXPECT_EQ(index[t + 3], -1);
                    EXPECT_FALSE(InTriangle(points[index[t]], points[index[t + 1]], points[index[t + 2]], centre));
                }
            }
    }
    EXPECT_EQ(holes, 4);  // the door in both faces of its wall, the skylight in the roof's two sides

    SoGetBoundingBoxAction box{SbViewportRegion()};
    box.apply(root);
    const SbBox3f read = box.getBoundingBox();
    EXPECT_LT((read.getMin() - expected.getMin()).length(), 0.02f);
    EXPECT_LT((read.getMax() - expected.getMax()).length(), 0.02f);
    EXPECT_LT(expected.getMin()[1], 0.0f + 1);  // heights up: the floor near 0, the roof above
    EXPECT_GT(expected.getMax()[1], 90.0f);
    root->unref();
    EXPECT_EQ(gLiveViewPanelVisible, 0);
}

}  // namespace
