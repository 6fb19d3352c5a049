#include "render/core/vrml_export.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "app/core/localization_seams.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "port/alerts.h"
#include "render/core/live_view_seams.h"
#include "scene/opening_cutters.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "scene/tessellation.h"

namespace {

void Text(const char* text) { WriteSome(text, static_cast<uint32_t>(std::strlen(text))); }

// printf's "%ld" and "%0.2f" without the locale: a comma never stands for the point.
void Integer(long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    WriteSome(digits, static_cast<uint32_t>(end - digits));
}

void Fixed2(double value) {
    char digits[400];  // the widest double in fixed notation fits
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    if (error == std::errc()) WriteSome(digits, static_cast<uint32_t>(end - digits));
}

// A settings value plus 0.5, truncated; a damaged value (not a number, beyond a long) gives 0.
long Rounded(float value) {
    const double v = double(value) + 0.5;
    return std::isfinite(v) && std::fabs(v) < 9.0e18 ? static_cast<long>(v) : 0;
}

RGBColor ShapeColor(const PlaneObject* p) {
    const bool planar = p->surfaceKind == kPlanarSurface;
    if (planar && p->frontColorField) return *p->frontColorField;
    if (p->backColorField) return *p->backColorField;
    return planar ? p->backColor : p->frontColor;
}

void BeginShape(const RGBColor& c) {
    Text("Shape {\nappearance Appearance {\nmaterial Material {\nambientIntensity .35\ndiffuseColor ");
    Fixed2(c.red / 65535.0);
    Text(" ");
    Fixed2(c.green / 65535.0);
    Text(" ");
    Fixed2(c.blue / 65535.0);
    Text("\n}\n}\ngeometry IndexedFaceSet {\ncoord Coordinate {\npoint [");
}

void Point(const PlaneVertex& v, bool last) {
    Fixed2(v.H);
    Text(" ");
    Fixed2(-v.V);
    Text(" ");
    Fixed2(v.D);
    Text(last ? "]\n}\n" : ",\n");
}

void EndShape() { Text("]\nconvex FALSE\nsolid FALSE\n}\n}\n"); }

void PlainShape(const Plane* plane, const RGBColor& color) {
    BeginShape(color);
    for (uint32_t i = 0; i < plane->count; ++i) Point(plane->vertices[i], i + 1 == plane->count);
    Text("coordIndex [");
    for (uint32_t i = 0; i < plane->count; ++i) {
        Integer(static_cast<long>(i));
        Text(" ");
    }
    EndShape();
}

// The face less its openings: three corners per triangle, each triangle closed by -1.
void MaskedShape(const Plane* plane, const PlaneObject* masks, const RGBColor& color) {
    Plane* triangles = TriangulatePlaneMinusMasks(plane, masks);
    if (!triangles) return;
    BeginShape(color);
    for (const Plane* t = triangles; t; t = t->next)
        for (uint32_t k = 0; k < 3; ++k) Point(t->vertices[k], !t->next && k == 2);
    Text("coordIndex [");
    long index = 0;
    for (const Plane* t = triangles; t; t = t->next) {
        for (int k = 0; k < 3; ++k) {
            Integer(index++);
            Text(" ");
        }
        Text("-1 ");
    }
    EndShape();
    DeletePlaneList(triangles);
}

bool Exported(const PlaneObject* p) {
    return p->surfaceKind != kPlantSurface && p->surfaceKind != kPhotoSurface && p->pieceKind != kOpeningMaskKind;
}

}  // namespace

void ExportVRMLHeader() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    Text("#VRML V2.0 utf8\nViewpoint {position 0 ");
    Integer(Rounded(ds->eyeHeight));
    Text(" ");
    Integer(Rounded(ds->lotRect.floatBottom));
    Text("}\n");
}

void ExportVRMLPlaneObject(PlaneObject* object) {
    if (!object || object->pieceKind == kOpeningMaskKind) return;
    const RGBColor color = ShapeColor(object);
    for (const Plane* plane = object->planes; plane; plane = plane->next) {
        if (!plane->vertices || plane->count == 0) continue;
        if (object->masks && MasksCutPlane(plane, object->masks)) MaskedShape(plane, object->masks, color);
        else PlainShape(plane, color);
    }
}

void VRMLExportGLPlaneObjects(PlaneObject* list) {
    for (PlaneObject* p = list; p; p = p->next) {
        if (!Exported(p)) continue;
        ExportVRMLPlaneObject(p);
        for (PlaneObject* trim = p->trims; trim; trim = trim->next) ExportVRMLPlaneObject(trim);
    }
}

void ExportVRMLFile(const char* path) {
    if (!gCurDocument || !CurrentDocState() || !path || !*path) return;
    ReleaseOutputBuffer();
    StartOutputBuffer();
    const bool opened = !LiveViewIsVisible();
    if (opened) {
        ShowLiveView();
        gRenderDirty = 1;
        if (gRenderOnShow) RenderAllLayers();
        LiveViewDisplay();
    }
    ExportVRMLHeader();
    if (gGLPlaneObjects) VRMLExportGLPlaneObjects(gGLPlaneObjects);
    if (!FlushOutputBufferToFile(path)) {
        port::Alert alert;
        alert.message = LocalizedString("Unable to export the VRML file.");
        alert.informative = LocalizedString("Please ensure adequate disk space is available and try again.");
        alert.buttons = {LocalizedString("OK")};
        port::alerts().runModal(alert);
    }
    ReleaseOutputBuffer();
    if (opened) CloseLiveView();
}
