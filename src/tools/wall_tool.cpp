#include "tools/wall_tool.h"

#include <cmath>

#include "app/core/main_window_seams.h"
#include "plan/status_readouts.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_state.h"
#include "model/selection_summary.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "plan/selection_feedback.h"
#include "plan/walls.h"
#include "scene/scene_build.h"
#include "tools/attached_dimensions.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"
#include "tools/wall_defaults.h"
#include "tools/wall_dimension_tracks.h"
#include "tools/wall_joins.h"
#include "model/poly_builders.h"
#include "model/zoom_units.h"
#include "tracking/evaluate_point.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/wall_sheet_seams.h"

namespace {

constexpr float kNone = 32000.0f;
constexpr float kFarAway = 30000.0f;
constexpr float kTrackOut = 50.0f;
constexpr float kTrackAlong = 100.0f;
constexpr float kConstrainedLength = 100.0f;
constexpr float kDegrees = 57.29577951308232f;

// The drag's state, reset at the press.
float wallThickness = 0;
ClickInfo startInfo;
Poinz* startConnectorPoint = nullptr;
Objex* startConnectorObject = nullptr;
Poinz* endConnectorPoint = nullptr;
Objex* endConnectorObject = nullptr;
Objex* startSegmentObject = nullptr;
Poinz* startSegPoint = nullptr;
Poinz* endSegPoint = nullptr;
Objex* endSegmentObject = nullptr;
Poinz* startSegPoint2 = nullptr;
Poinz* endSegPoint2 = nullptr;
uint8_t trackingPerp = 0;
float perpAngle = 0;
WallDimTrack posDim, negDim;
FloatPoint posDimStartPt, posDimEndPt, negDimStartPt, negDimEndPt;

void Reset() {
    wallThickness = 0;
    startInfo = ClickInfo{};
    startConnectorPoint = endConnectorPoint = startSegPoint = endSegPoint = startSegPoint2 = endSegPoint2 = nullptr;
    startConnectorObject = endConnectorObject = startSegmentObject = endSegmentObject = nullptr;
    trackingPerp = 0, perpAngle = 0;
    posDim.end(), negDim.end();
}

const port::GlobalReset kReset(Reset);
// A deleted object or point is never reached through the drag's state.
const ObjectForgetter kForget([](const Objex* o) {
    if (o == startConnectorObject || o == endConnectorObject || o == startSegmentObject || o == endSegmentObject) Reset();
});

float H(const Poinz* p) { return p->position[0]; }
float D(const Poinz* p) { return p->position[2]; }
bool Shift() { return (gTrackModifiers & 4) != 0; }
bool Aligns() { return gCurSnap == snapmode::kNone && !Shift(); }

bool IsOpenWall(const Objex* o) { return o && o->type == objtype::kWall && !o->closed; }

// A free end of an open wall under the click; only walls connect.
bool FreeWallEndHit(const ClickInfo& c) {
    return c.ciHit && c.ciPointHit && c.ciPoint && IsOpenWall(c.ciObject) && IsFreeEnd(c.ciPoint);
}
bool SegmentHit(const ClickInfo& c) {
    return c.ciHit && c.ciSegmentHit && !c.ciPointHit && c.ciPoint && c.ciPoint2 && c.ciObject &&
           c.ciObject->type == objtype::kWall;
}

// The foot of the perpendicular from (h, d) on the start segment's line.
FloatPoint Foot(float h, float d) {
    FloatPoint f{h, d};
    FGetPerpIntersection(H(startSegPoint), D(startSegPoint), H(endSegPoint), D(endSegPoint), h, d, &f.floatH, &f.floatV);
    return f;
}

// Step 5: the press slides along the start wall's face on the pointer's side.
void SlideOnFace(float h, float d) {
    const FloatPoint f = Foot(h, d);
    float length = 0;
    GetLineLengthAndAngle(h, d, f.floatH, f.floatV, &length);
    if (length > 0) {
        const float move = length - wallThickness / 2;
        gDownX = h + (f.floatH - h) / length * move;
        gDownZ = d + (f.floatV - d) / length * move;
    } else {
        gDownX = f.floatH, gDownZ = f.floatV;
    }
}

void TrackLines(const FloatPoint& foot, FloatPoint* pos0, FloatPoint* pos1, FloatPoint* neg0, FloatPoint* neg1) {
    const float across = perpAngle + 1.5707963f;
    auto at = [](FloatPoint p, float angle, float l) {
        return FloatPoint{p.floatH + l * std::cos(angle), p.floatV - l * std::sin(angle)};
    };
    *pos0 = at(foot, across, kTrackOut), *neg0 = at(foot, across, -kTrackOut);
    *pos1 = at(*pos0, perpAngle, kTrackAlong), *neg1 = at(*neg0, perpAngle, kTrackAlong);
}

void DrawNearerTrack(float h, float d) {
    FloatPoint p0, p1, n0, n1;
    TrackLines(Foot(h, d), &p0, &p1, &n0, &n1);
    const bool positive = GetLineLength(h, d, p0.floatH, p0.floatV) <= GetLineLength(h, d, n0.floatH, n0.floatV);
    const WallDimTrack& track = positive ? posDim : negDim;
    const FloatPoint s = positive ? p0 : n0, e = positive ? p1 : n1;
    FloatPoint ahead{kNone, kNone}, behind{kNone, kNone};
    track.nearest(s, e, &ahead, &behind);
    gRoundToggle = 1;
    for (const FloatPoint& end : {ahead, behind}) {
        if (!(std::fabs(end.floatH) < kFarAway && std::fabs(end.floatV) < kFarAway)) continue;
        const float ends[2] = {};
        DrawDimensionLineNoOffset(nullptr, s.floatH, s.floatV, end.floatH, end.floatV, s.floatH, s.floatV, end.floatH,
                                  end.floatV, 0, 0, 1, &ends[0], &ends[1], 0, 0, 0, 0, nullptr);
    }
}

void RubberBand(float h, float v, float d) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (!engine) return;
    engine->setActivePath(1);
    const uint8_t last = startConnectorPoint && startConnectorPoint->dimensionFlipped ? 0 : 1;
    DrawWall(nullptr, Float3DPoint{gDownX, gDownY, gDownZ}, Float3DPoint{h, v, d}, wallThickness, last);
    engine->setActivePath(0);
}

// The connector moves onto the line from (fromH, fromD) at the constraint angle; a connector
// without neighbours only along the axis of an exactly vertical or horizontal line.
void AlignConnector(Poinz* connector, float fromH, float fromD, float toH, float toD) {
    if (!Aligns() || !connector) return;
    const Poinz* neighbour = connector->next ? connector->next : connector->prev;
    if (!neighbour) {
        if (toH == fromH) connector->position[0] = fromH;
        else if (toD == fromD) connector->position[2] = fromD;
        return;
    }
    const float eh = fromH + kConstrainedLength * std::cos(gTrackConstrainAngle);
    const float ed = fromD - kConstrainedLength * std::sin(gTrackConstrainAngle);
    float x = kNone, y = kNone;
    if (!CrossLines(fromH, fromD, eh, ed, H(neighbour), D(neighbour), H(connector), D(connector), &x, &y)) return;
    if (!(std::fabs(x) < kFarAway && std::fabs(y) < kFarAway)) return;
    connector->position[0] = x, connector->position[2] = y;
}

// A new point at (h, v, d) beyond the connector, which must be a free end of its wall.
Poinz* ExtendFrom(Objex* wall, Poinz* connector, float h, float v, float d, const DocState* ds) {
    if (connector->prev && connector->next) return nullptr;
    Poinz* p = CreatePoint(connector->kind, 0, connector->locked, connector->inTangent[0], connector->inTangent[1],
                           connector->inTangent[2], h, v, d, connector->outTangent[0], connector->outTangent[1],
                           connector->outTangent[2], 0, 0, 0, wall);
    if (!p) return nullptr;
    p->detectable = connector->detectable;
    SetNewSegmentRecord(p, ds, WallHasInteriorTrims(wall), connector->dimensionFlipped ? 0 : 1);
    if (!connector->prev) InsertPointInObject(p, wall, nullptr);
    else InsertPointInObject(p, wall, connector);
    LimitWall(wall, connector, p, TreeFloor(wall));
    UpdateObjectBounds(wall);
    Update3DWall(wall);
    return p;
}

// Step 12: the end wall runs on from the start wall's connector end.
Objex* MergeWalls(Objex* start, Poinz* sc, Objex* end, Poinz* ec, const DocState* ds) {
    const bool startLast = !sc->next, endFirst = !ec->prev;
    const bool reverse = startLast == endFirst ? false : true;
    if (reverse) ReverseWallPoints(end, ds);
    Poinz* linking = nullptr;
    if (startLast) {
        linking = sc;
        Poinz* tail = sc;
        while (Poinz* p = end->firstPoint) {
            end->firstPoint = p->next;
            if (p->next) p->next->prev = nullptr;
            end->pointCount--;
            p->prev = p->next = nullptr;
            tail = AppendPointAfter(p, start, tail);
        }
    } else {
        Poinz* p = LastWallPoint(end);
        linking = p;
        while (p) {
            Poinz* before = p->prev;
            if (before) before->next = nullptr;
            else end->firstPoint = nullptr;
            end->pointCount--;
            p->prev = p->next = nullptr;
            InsertPointInObject(p, start, nullptr);
            p = before;
        }
    }
    linking->baseElevation = ds->currentElevation;
    TransferAttachments(end, start);
    if (start->subtype == objsubtype::kExteriorWall || end->subtype == objsubtype::kExteriorWall) {
        start->subtype = end->subtype = objsubtype::kExteriorWall;
        start->auxColor.red = end->auxColor.red = 0;
    }
    DeleteObj(end);
    UpdateObjectBounds(start);
    Update3DWall(start);
    UpdateAllWallAttachments(start);
    return start;
}

Objex* NewWall(const Float3DPoint& from, const Float3DPoint& to, const DocState* ds, Layer* layer) {
    const Float3DPoint at[2] = {from, to}, none[2] = {};
    Objex* wall = BuildOpenPoly(at, nullptr, none, none, nullptr, nullptr, 2, layer, 1);
    if (!wall) return nullptr;
    SetNewWallDefaults(wall, WallKindOfTool(gCurTool), ds);
    UpdateObjectBounds(wall);
    Update3DWall(wall);
    return wall;
}

// Compares addresses only: the point may have been freed.
bool Holds(const Objex* wall, const Poinz* point) {
    if (!point) return false;
    for (const Poinz* p = wall->firstPoint; p; p = p->next)
        if (p == point) return true;
    return false;
}

// The drawn line from `down` stopped on the near face of the wall segment under the release,
// half that wall's thickness before its centre line; left alone when the lines do not cross
// or the face lies farther than `reach` from the end.
void OntoEndFace(const Float3DPoint& down, Float3DPoint* end, float reach) {
    float x = kNone, y = kNone;
    if (!CrossLines(down.floatH, down.floatD, end->floatH, end->floatD, H(startSegPoint2), D(startSegPoint2),
                    H(endSegPoint2), D(endSegPoint2), &x, &y))
        return;
    const float length = GetLineLength(down.floatH, down.floatD, x, y);
    if (length <= 0) return;
    const float back = WallThickness(endSegmentObject) / 2 / length;
    const float h = x + (down.floatH - x) * back, d = y + (down.floatD - y) * back;
    if (GetLineLength(h, d, end->floatH, end->floatD) > reach) return;
    end->floatH = h, end->floatD = d;
}

// A snap cell in plan units while points snap to the grid, else 0.
float GridCell(const DocState* ds) {
    return ds->snapToGrid ? ConvertWorldToScreen(ds->snapIncrement.floatH, ds, 0) : 0.0f;
}

// Step 8: a click selects what it hit.
void SelectClicked(int32_t x, int32_t y, DocState* ds) {
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    const bool hit = startInfo.ciHit && startInfo.ciObject && startInfo.ciPoint;
    if (hit && startInfo.ciSegmentHit && startInfo.ciPoint2) {
        SelectObjectSpline(startInfo.ciPoint, startInfo.ciPoint2, startInfo.ciObject, selmode::kSelect, 0);
        ClearSelectionState40(ds, &ds->ss40);
        TopLevelObjectAllLayers(gCurDocument->itsLayers, cmd::kElevationSummary, ds);
        UpdateSelectionState40Controls(&ds->ss40);
        DrawDimensionWallSegmentSelection(startInfo.ciObject, startInfo.ciPoint, startInfo.ciPoint2, x, y);
    } else if (hit && startInfo.ciPointHit) {
        SelectObjectPoint(startInfo.ciPoint, startInfo.ciObject, selmode::kSelect, 0);
    }
    InspectorUpdatePropertiesState(hit ? 1 : 0);
    Refresh();
}

void Finish() {
    posDim.end(), negDim.end();
    UpdateCurrentLayerAttachedDims();
    gMouseCaptured = 0;
    DrawAngle(32000);
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) {
        engine->removePointsFromAllPaths();
        engine->resetAttributesForAllPaths();
    }
}

void Release(int32_t x, int32_t y, DocState* ds, Layer* layer) {
    if (TrackedGestureWasClick()) return SelectClicked(x, y, ds);
    const Float3DPoint down{gDownX, gDownY, gDownZ};
    Float3DPoint end{gUpX, gDownY, gUpZ};
    Objex* result = nullptr;
    Poinz* sheetStart = nullptr;
    Poinz* sheetEnd = nullptr;
    bool newWall = false;
    if (endSegmentObject && !trackingPerp) {
        // Released on a wall: the end reaches its face, which whole grid cells may have left
        // short of the pointer.
        OntoEndFace(down, &end, GridCell(ds) + UnzoomF(float(WallToolHitTolerance())));
    }
    if (trackingPerp && endSegmentObject) {
        // Face to face: stop on the end wall's near face.
        wallThickness = WallThickness(endSegmentObject);
        OntoEndFace(down, &end, kNone);
        newWall = true;
    } else if (!startConnectorPoint) {
        if (endConnectorPoint) {
            AlignConnector(endConnectorPoint, down.floatH, down.floatD, H(endConnectorPoint), D(endConnectorPoint));
            if (Poinz* p = ExtendFrom(endConnectorObject, endConnectorPoint, down.floatH, down.floatV, down.floatD, ds)) {
                result = endConnectorObject, sheetStart = endConnectorPoint, sheetEnd = p;
            }
        } else {
            newWall = true;
        }
    } else if (!endConnectorPoint) {
        if (Poinz* p = ExtendFrom(startConnectorObject, startConnectorPoint, end.floatH, down.floatV, end.floatD, ds))
            result = startConnectorObject, sheetStart = startConnectorPoint, sheetEnd = p;
    } else if (startConnectorObject == endConnectorObject) {
        AlignConnector(endConnectorPoint, H(startConnectorPoint), D(startConnectorPoint), H(endConnectorPoint),
                       D(endConnectorPoint));
        startConnectorObject->closed = 1;
        UpdateObjectBounds(startConnectorObject);
        Update3DWall(startConnectorObject);
        UpdateAllWallAttachments(startConnectorObject);
        result = startConnectorObject;
    } else {
        AlignConnector(endConnectorPoint, H(startConnectorPoint), D(startConnectorPoint), H(endConnectorPoint),
                       D(endConnectorPoint));
        Objex* gone = endConnectorObject;
        result = MergeWalls(startConnectorObject, startConnectorPoint, gone, endConnectorPoint, ds);
        endConnectorObject = nullptr, endConnectorPoint = nullptr;
    }
    if (newWall) {
        Objex* wall = NewWall(down, end, ds, layer);
        if (!wall) return;
        result = wall, sheetStart = wall->firstPoint, sheetEnd = wall->firstPoint->next;
        if (trackingPerp) {
            if (Poinz* other = FreeWallEndAt(down.floatH, down.floatD, wall)) {
                LimitWall(wall, wall->firstPoint, wall->firstPoint->next, layer);
                Update3DWall(wall);
                if (gCurSnap == snapmode::kNone) MeetAtEndSegments(wall->firstPoint, other);
                result = JoinWallObjects(wall, wall->firstPoint, other->owner, other);
                sheetStart = sheetEnd = nullptr;
            }
        }
        if (result && result->firstPoint && result->firstPoint->next) {
            LimitWall(result, result->firstPoint, result->firstPoint->next, layer);
            Update3DWall(result);
        }
    }
    if (!result) return;
    // Tidying may drop a point of the new segment (one that doubles back); the sheet then has
    // no segment to edit. A sheet that opens stores the step; a join, a close, a straight
    // extension or a sheet that could not open leave it to the gesture's end.
    OptimizeWall(result);
    if ((gCurTool == 7051 || gCurTool == 7053) && Holds(result, sheetStart) && Holds(result, sheetEnd) &&
        NewWallKeyEntrySheet(MainWindowCommandWindow(), sheetStart, sheetEnd, result))
        gTrackStepToSheet = 1;
    result->flagA = 0;  // the field that follows the point count
    UpdateObjectBounds(result);
    RebuildWall(result);
    SelectObj(result, selmode::kDeselect, 0);
    Refresh();
}

}  // namespace

void TrackWall(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !gCurDocument->itsCurLayer) return;
    // Each call draws the face's clearances and the rubber band anew, both into the engine.
    feedback::Clear();
    if (stage == 1) {
        Reset();
        wallThickness = ConvertWorldToScreen(ds->wallThickness, ds, 0);
        startInfo = gClickInfo;
        DrawAngle(32000);
        const ClickInfo& c = startInfo;
        if (c.ciHit && c.ciPointHit && c.ciPoint && c.ciObject && !c.ciObject->closed) {
            gDownX = H(c.ciPoint), gDownY = c.ciPoint->position[1], gDownZ = D(c.ciPoint);
            if (FreeWallEndHit(c)) startConnectorPoint = c.ciPoint, startConnectorObject = c.ciObject;
        } else if (SegmentHit(c)) {
            startSegmentObject = c.ciObject, startSegPoint = c.ciPoint, endSegPoint = c.ciPoint2;
            wallThickness = WallThickness(startSegmentObject);
            trackingPerp = 1, gSkipConstraints = 1;
            float length = 0;
            perpAngle = GetLineLengthAndAngle(H(startSegPoint), D(startSegPoint), H(endSegPoint), D(endSegPoint), &length);
            TrackLines(Foot(h, d), &posDimStartPt, &posDimEndPt, &negDimStartPt, &negDimEndPt);
            posDim.begin(posDimStartPt, posDimEndPt, startSegPoint, endSegPoint);
            negDim.begin(negDimStartPt, negDimEndPt, startSegPoint, endSegPoint);
        } else if (c.ciHit && c.ciPointHit && c.ciPoint) {
            gDownX = H(c.ciPoint), gDownY = c.ciPoint->position[1], gDownZ = D(c.ciPoint);
        }
    }
    if (stage == 3) {
        const ClickInfo endInfo = gClickInfo;
        if (FreeWallEndHit(endInfo) && endInfo.ciPoint != startConnectorPoint) {
            endConnectorPoint = endInfo.ciPoint, endConnectorObject = endInfo.ciObject;
            gUpX = h = H(endConnectorPoint), gUpY = endConnectorPoint->position[1], gUpZ = d = D(endConnectorPoint);
        } else if (SegmentHit(endInfo) && endInfo.ciObject != startSegmentObject) {
            endSegmentObject = endInfo.ciObject, startSegPoint2 = endInfo.ciPoint, endSegPoint2 = endInfo.ciPoint2;
        }
    }
    if (startSegmentObject) {
        SlideOnFace(h, d);
        DrawNearerTrack(h, d);
    }
    if (gTrackingObject) {
        float length = 0;
        DrawAngle(GetLineLengthAndAngle(gDownX, gDownZ, h, d, &length) * kDegrees);
    }
    if (stage != 3) return RubberBand(h, v, d);
    // Every rebuild of the release asks for the floor's attached dimensions: measured once.
    AttachedDimensionBatch once;
    Release(x, y, ds, gCurDocument->itsCurLayer);
    Finish();
}
