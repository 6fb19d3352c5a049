#pragma once
// One frame of the plan below the handles: every floor in order with the current floor on
// top, each object through DrawObject's per-type table, and the colour each is drawn in.
// The device-context argument is always null; the rectangle is the dirty rectangle (all zero
// when printing); a non-null transform record turns the walk into transform feedback (only
// outlines, transformed).
#include <cstdint>

#include "files/windows_records.h"
#include "model/plan_objects.h"
#include "model/types.h"
#include "port/winrecords.h"

struct Layer;
struct Objex;
struct TransformRecord;

// Flags passed down the plan drawing calls.
namespace drawflag {
inline constexpr int32_t kAll = 1;
inline constexpr int32_t kSelectedOnly = 2;
inline constexpr int32_t kRed = 4 | 8;                 // either bit draws pure red
inline constexpr int32_t kTranslate = 16;
inline constexpr int32_t kScale = 32;
inline constexpr int32_t kShear = 64;
inline constexpr int32_t kRotate = 128;
inline constexpr int32_t kSelectedUnlockedPoints = 256;
inline constexpr int32_t kLargerComponent = 512;
}  // namespace drawflag

// Tool IDs under which the foundation perimeters show.
inline constexpr int16_t kExteriorWallTool = 7050;
inline constexpr int16_t kFoundationWallTool = 7051;

// The plan area (H, D) the dirty rectangle shows (while printing: the page being printed),
// grown by what objects draw beyond their boxes (pens, handles, arrowheads, dimension text);
// false when every object must be walked: an empty rectangle, printing without a page, a
// transformed drawing, a view other than the top one.
bool PlanAreaToRedraw(const RECT* rect, const TransformRecord* transform, FloatRect* area);

// While one lives, printing draws only the objects near `page`: the part of the paper being
// drawn, in the print view's units before the print translation and scales. Without one,
// printing draws every object.
class PrintedPageScope {
public:
    explicit PrintedPageScope(const PlatformRect& page);
    ~PrintedPageScope();
    PrintedPageScope(const PrintedPageScope&) = delete;
    PrintedPageScope& operator=(const PrintedPageScope&) = delete;

private:
    bool hadPage_;
    PlatformRect previous_;
};

void DrawAllLayers(void* dc, Layer* first, const RECT* rect, int32_t flags,
                   const TransformRecord* transform);
// Always 0.
int32_t DrawLayer(void* dc, Layer* layer, const RECT* rect, int32_t flags,
                  const TransformRecord* transform);
void DrawObject(void* dc, Objex* object, const RECT* rect, int32_t flags,
                const TransformRecord* transform);

// Flags 1: anything; else flags 2: selected objects (roofs by their own points only).
bool CanObjectBeDrawn(const Objex* object, int32_t flags);

// --- the per-type table of DrawObject ---

// A per-type drawing routine; every entry takes the same arguments.
using PlanTypeRoutine = void (*)(void* dc, Objex* object, const RECT* rect, int32_t flags,
                                 const TransformRecord* transform);

struct PlanTypeEntry {
    enum class Stage : uint8_t {
        Own,        // the routine is the object's whole own drawing, whatever the mode
        OwnUntransformed,  // as Own without a transform record; with one, as Type
        Detail,     // the routine, then the perimeter unless real-time or feedback drawing
        Type,       // the perimeter (if marked), then the routine without transform/feedback
    };
    enum class Then : uint8_t { Outline, Done };
    // Generated pieces DrawLayer draws before the object (without a transform record).
    enum class Pieces : uint8_t { None, WallSolidAndOutline, All, Type43 };

    int16_t type;
    int32_t subtypeLow = INT32_MIN, subtypeHigh = INT32_MAX;  // the subtypes the entry covers
    Stage stage = Stage::Type;
    bool perimeter = false;             // DrawObjectPerimeter first (not for subtype 112)
    PlanTypeRoutine routine = nullptr;  // null: the routine comes later and draws nothing
    Then then = Then::Outline;
    Pieces pieces = Pieces::None;
};

// The entry for the object's type and subtype; null for a plain outline.
const PlanTypeEntry* FindPlanTypeEntry(int16_t type, int32_t subtype);
