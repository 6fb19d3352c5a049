#include "ui/inspector/wall_pane_rows.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"

namespace {

namespace seg = objfield::wall_segment;
namespace wf = objfield::wall;

// The limits the fields take are open; the rows hold closed ones.
float Above(float v) { return std::nextafter(v, std::numeric_limits<float>::infinity()); }
float Below(float v) { return std::nextafter(v, -std::numeric_limits<float>::infinity()); }

InspectorEditRow Segment(const char* outlet, FieldEntry entry, float high, seg::Value value, const char* undo,
                         float (*getDefault)(const DocState*), void (*setDefault)(DocState*, float)) {
    InspectorEditRow r{outlet, entry, Above(0.01f), Below(high), objtype::kWall, EditWalk::WallSegments, false,
                       nullptr, nullptr, EditRebuild::Wall, undo, UndoRule::WhenChanged, getDefault, setDefault};
    static const seg::Value kValues[] = {seg::kFirstHeight, seg::kPitchA, seg::kPitchB, seg::kSecondHeight,
                                         seg::kPeakHeight};
    switch (value.index) {
    case 0: r.getPoint = [](const Poinz* p) { return kValues[0](*p); }, r.setPoint = [](Poinz* p, float v) { kValues[0](*p) = v; }; break;
    case 1: r.getPoint = [](const Poinz* p) { return kValues[1](*p); }, r.setPoint = [](Poinz* p, float v) { kValues[1](*p) = v; }; break;
    case 2: r.getPoint = [](const Poinz* p) { return kValues[2](*p); }, r.setPoint = [](Poinz* p, float v) { kValues[2](*p) = v; }; break;
    case 3: r.getPoint = [](const Poinz* p) { return kValues[3](*p); }, r.setPoint = [](Poinz* p, float v) { kValues[3](*p) = v; }; break;
    default: r.getPoint = [](const Poinz* p) { return kValues[4](*p); }, r.setPoint = [](Poinz* p, float v) { kValues[4](*p) = v; }; break;
    }
    r.rebuildReached = true;
    return r;
}

InspectorEditRow WallValue(const char* outlet, float low, float high, float (*get)(const Objex*),
                           void (*set)(Objex*, float), EditRebuild rebuild, const char* undo,
                           float (*getDefault)(const DocState*), void (*setDefault)(DocState*, float),
                           bool exteriorOnly) {
    InspectorEditRow r{outlet, FieldEntry::Length, low, high, objtype::kWall, EditWalk::TopLevel, false, get, set,
                       rebuild, undo, UndoRule::WhenChanged, getDefault, setDefault};
    if (exteriorOnly) r.onlyIf = IsExteriorWall;
    return r;
}

const std::vector<InspectorEditRow>& Rows() {
    static const std::vector<InspectorEditRow> rows = {
        Segment("wallHeightText", FieldEntry::Length, 10000, seg::kFirstHeight, "Wall Base Height",
                [](const DocState* d) { return d->wallHeight; }, [](DocState* d, float v) { d->wallHeight = v; }),
        Segment("wallPitchAText", FieldEntry::Pitch, 51, seg::kPitchA, "Wall Pitch A",
                [](const DocState* d) { return d->wallPitchA; }, [](DocState* d, float v) { d->wallPitchA = v; }),
        Segment("wallPitchBText", FieldEntry::Pitch, 51, seg::kPitchB, "Wall Pitch B",
                [](const DocState* d) { return d->wallPitchB; }, [](DocState* d, float v) { d->wallPitchB = v; }),
        Segment("wallHeightCText", FieldEntry::Length, 10000, seg::kSecondHeight, "Wall Height C",
                [](const DocState* d) { return d->wallHeightC; }, [](DocState* d, float v) { d->wallHeightC = v; }),
        Segment("wallHeightDText", FieldEntry::Length, 10000, seg::kPeakHeight, "Wall Height D",
                [](const DocState* d) { return d->wallHeightD; }, [](DocState* d, float v) { d->wallHeightD = v; }),
        WallValue("wallThicknessText", Above(0.1f), Below(73), [](const Objex* o) { return o->penWidth; },
                  [](Objex* o, float v) { o->penWidth = v; }, EditRebuild::Wall, "Wall Thickness",
                  [](const DocState* d) { return d->wallThickness; },
                  [](DocState* d, float v) { d->wallThickness = d->wallThicknessA = v; }, false),
        [] {
            InspectorEditRow r = WallValue(
                "studSpacingText", Above(1.9f), Below(73), [](const Objex* o) { return wf::kStudSpacing(*o); },
                [](Objex* o, float v) { wf::kStudSpacing(*o) = v; }, EditRebuild::None, "Wall Stud Spacing",
                [](const DocState* d) { return d->studSpacing; }, [](DocState* d, float v) { d->studSpacing = v; },
                false);
            r.noRefresh = true;
            return r;
        }(),
        WallValue("floorDepthText", Above(0.1f), Below(121), [](const Objex* o) { return wf::kFloorDepth(*o); },
                  [](Objex* o, float v) { wf::kFloorDepth(*o) = v; }, EditRebuild::Wall, "Auto-Flooring Depth",
                  [](const DocState* d) { return d->floorDepth; }, [](DocState* d, float v) { d->floorDepth = v; },
                  true),
        // A new footing width also turns the foundation on.
        WallValue("foundationWidthText", Above(0.1f), Below(121),
                  [](const Objex* o) { return wf::kQuickWallWidth(*o); },
                  [](Objex* o, float v) { wf::kQuickWallWidth(*o) = v, wf::kFoundation(*o) = 1; }, EditRebuild::Wall,
                  "Foundation Footing Width", [](const DocState* d) { return d->foundationWidth; },
                  [](DocState* d, float v) { d->foundationWidth = v, d->wallFoundation = 1; }, true),
        // The tool pane's alone.
        WallValue("wallSegmentLengthText", 12, 10000, nullptr, nullptr, EditRebuild::None, "", 
                  [](const DocState* d) { return d->wallSegmentLength; },
                  [](DocState* d, float v) { d->wallSegmentLength = v; }, false),
    };
    return rows;
}

InspectorEditRow Flag(const char* outlet, float (*getPoint)(const Poinz*), void (*setPoint)(Poinz*, float),
                      const char* undo, UndoRule rule) {
    InspectorEditRow r{outlet, FieldEntry::Integer, -1e9f, 1e9f, objtype::kWall, EditWalk::WallSegments, false,
                       nullptr, nullptr, EditRebuild::None, undo, rule, nullptr, nullptr};
    r.getPoint = getPoint, r.setPoint = setPoint;
    return r;
}

}  // namespace

bool IsExteriorWall(const Objex* wall) { return wall->subtype == objsubtype::kExteriorWall; }

const InspectorEditRow* FindWallRow(const char* outlet) {
    for (const InspectorEditRow& r : Rows())
        if (std::strcmp(r.outlet, outlet) == 0) return &r;
    return nullptr;
}

const InspectorEditRow& WallAutoFlooringRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row = WallValue(
            "autoFlooringButton", 0, 1, [](const Objex* o) { return float(wf::kAutoFlooringOff(*o)); },
            [](Objex* o, float v) { wf::kAutoFlooringOff(*o) = uint8_t(v); }, EditRebuild::Wall, "",
            [](const DocState* d) { return float(d->autoFlooring); },
            [](DocState* d, float v) { d->autoFlooring = int16_t(v); }, true);
        row.undoRule = UndoRule::Never;
        return row;
    }();
    return r;
}

const InspectorEditRow& WallFoundationRow() {
    static const InspectorEditRow r = WallValue(
        "foundationButton", 1, 2, [](const Objex* o) { return float(wf::kFoundation(*o)); },
        [](Objex* o, float v) { wf::kFoundation(*o) = int32_t(v); }, EditRebuild::Wall, "Wall Foundation",
        [](const DocState* d) { return float(d->wallFoundation); },
        [](DocState* d, float v) { d->wallFoundation = int32_t(v); }, true);
    return r;
}

// The display rows store the whole flags word: the button's bit is applied by the pane.
const InspectorEditRow& WallDisplayDimsRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row = Flag("displayDimsButton", [](const Poinz* p) { return float(p->segmentFlags & 1); },
                                    [](Poinz* p, float v) { p->segmentFlags = (p->segmentFlags & ~1) | (v != 0 ? 1 : 0); },
                                    "Wall Auto-Dimensions", UndoRule::WhenChanged);
        row.countReached = true;
        row.setDefault = [](DocState* d, float v) { d->wallDisplayFlags = (d->wallDisplayFlags & ~1) | (v != 0 ? 1 : 0); };
        return row;
    }();
    return r;
}

const InspectorEditRow& WallDisplayCalloutsRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row = Flag("displayCalloutsButton", [](const Poinz* p) { return float((p->segmentFlags >> 1) & 1); },
                                    [](Poinz* p, float v) { p->segmentFlags = (p->segmentFlags & ~2) | (v != 0 ? 2 : 0); },
                                    "Wall Callouts", UndoRule::WhenChanged);
        row.countReached = true;
        row.setDefault = [](DocState* d, float v) { d->wallDisplayFlags = (d->wallDisplayFlags & ~2) | (v != 0 ? 2 : 0); };
        return row;
    }();
    return r;
}

const InspectorEditRow& WallDimensionTagRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row = Flag("dimensionButtons", [](const Poinz* p) { return float(p->dimensionMethod); },
                                    [](Poinz* p, float v) { p->dimensionMethod = int16_t(v); }, "Dimension Wall Style",
                                    UndoRule::WhenChanged);
        row.setDefault = [](DocState* d, float v) { d->wallDimensionFrom = int16_t(v); };
        return row;
    }();
    return r;
}

const InspectorEditRow& WallFlipDimensionsRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row = Flag("flipDimensionsButton", [](const Poinz* p) { return float(p->dimensionFlipped); },
                                    [](Poinz* p, float v) { p->dimensionFlipped = int16_t(v); }, "Flip Wall Dimensions",
                                    UndoRule::Always);
        row.toggles = true;
        return row;
    }();
    return r;
}

const InspectorEditRow& WallStyleTableRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row = Flag("wallStyleTableView", [](const Poinz* p) { return float(p->wallStyle); },
                                    [](Poinz* p, float v) { p->wallStyle = int32_t(v); }, "Wall Style",
                                    UndoRule::WhenChanged);
        row.rebuild = EditRebuild::Wall, row.rebuildReached = true;
        row.getDefault = [](const DocState* d) { return float(d->wallStyle); };
        row.setDefault = [](DocState* d, float v) { d->wallStyle = int32_t(v); };
        return row;
    }();
    return r;
}

const InspectorEditRow& WallThicknessStepperRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row = *FindWallRow("wallThicknessText");
        row.outlet = "wallThicknessStepper", row.low = 1, row.high = 72;
        return row;
    }();
    return r;
}
