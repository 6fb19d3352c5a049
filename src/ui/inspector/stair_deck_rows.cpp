// What each control of the staircase, deck step and deck panes edits.
#include <cstring>
#include <vector>

#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "tools/deck_steps.h"
#include "ui/core/inspector_edits.h"
#include "ui/inspector/stair_deck_panes.h"

namespace {

namespace sf = objfield::stair;
namespace df = objfield::deck;

const float kLow = JustAbove(0.01f);
const float kHigh = JustBelow(10000);

using Get = float (*)(const Objex*);
using Set = void (*)(Objex*, float);
using GetDefault = float (*)(const DocState*);
using SetDefault = void (*)(DocState*, float);

const InspectorEditRow* Find(const std::vector<InspectorEditRow>& rows, const char* outlet) {
    for (const InspectorEditRow& r : rows)
        if (std::strcmp(r.outlet, outlet) == 0) return &r;
    return nullptr;
}

// Staircase lengths store when a staircase changed or the value is new; check boxes always,
// even with nothing selected.
InspectorEditRow Stair(const char* outlet, bool box, Get get, Set set, const char* undo, GetDefault gd,
                       SetDefault sd) {
    return {outlet, box ? FieldEntry::Integer : FieldEntry::Length, box ? 0.0f : kLow, box ? 1.0f : kHigh,
            objtype::kStaircase, EditWalk::TopLevel, false, get, set, EditRebuild::ByType, undo,
            box ? UndoRule::Always : UndoRule::WhenChangedOrNotDefault, gd, sd};
}

const std::vector<InspectorEditRow>& StairRows() {
    static const std::vector<InspectorEditRow> rows = {
        Stair("stairHeightText", false, [](const Objex* o) { return sf::kFloorHeight(*o); },
              [](Objex* o, float v) { sf::kFloorHeight(*o) = v; }, "Staircase Height",
              [](const DocState* d) { return d->stairHeight; }, [](DocState* d, float v) { d->stairHeight = v; }),
        Stair("stairWidthText", false, [](const Objex* o) { return sf::kWidth(*o); },
              [](Objex* o, float v) { sf::kWidth(*o) = v; }, "Staircase Width",
              [](const DocState* d) { return d->stairSizeA; }, [](DocState* d, float v) { d->stairSizeA = v; }),
        Stair("stepHeightText", false, [](const Objex* o) { return sf::kRiser(*o); },
              [](Objex* o, float v) { sf::kRiser(*o) = v; }, "Step Height",
              [](const DocState* d) { return d->stairSizeB; }, [](DocState* d, float v) { d->stairSizeB = v; }),
        Stair("stepDepthText", false, [](const Objex* o) { return sf::kTread(*o); },
              [](Objex* o, float v) { sf::kTread(*o) = v; }, "Step Depth",
              [](const DocState* d) { return d->stairSizeC; }, [](DocState* d, float v) { d->stairSizeC = v; }),
        Stair("railHeightText", false, [](const Objex* o) { return sf::kSizeD(*o); },
              [](Objex* o, float v) { sf::kSizeD(*o) = v; }, "Handrail Height",
              [](const DocState* d) { return d->stairSizeD; }, [](DocState* d, float v) { d->stairSizeD = v; }),
        Stair("skirtWallsButton", true, [](const Objex* o) { return float(sf::kSkirtWalls(*o)); },
              [](Objex* o, float v) { sf::kSkirtWalls(*o) = uint8_t(v); }, "Skirt Walls",
              [](const DocState* d) { return float(d->stairSkirtWalls); },
              [](DocState* d, float v) { d->stairSkirtWalls = uint8_t(v); }),
        // The box is on for open steps, which the staircase keeps as a riser flag of 0.
        Stair("openStepsButton", true, [](const Objex* o) { return sf::kOpenSteps(*o) == 0 ? 1.0f : 0.0f; },
              [](Objex* o, float v) { sf::kOpenSteps(*o) = v != 0 ? 0.0f : sf::kClosedSteps; }, "Open Steps",
              [](const DocState* d) { return float(d->stairOpenSteps); },
              [](DocState* d, float v) { d->stairOpenSteps = uint8_t(v); }),
        Stair("leftRailButton", true, [](const Objex* o) { return float(sf::kLeftRail(*o)); },
              [](Objex* o, float v) { sf::kLeftRail(*o) = int32_t(v); }, "Left Handrails",
              [](const DocState* d) { return float(d->stairLeftRail); },
              [](DocState* d, float v) { d->stairLeftRail = uint8_t(v); }),
        Stair("rightRailButton", true, [](const Objex* o) { return float(sf::kRightRail(*o)); },
              [](Objex* o, float v) { sf::kRightRail(*o) = int32_t(v); }, "Right Handrails",
              [](const DocState* d) { return float(d->stairRightRail); },
              [](DocState* d, float v) { d->stairRightRail = uint8_t(v); }),
        Stair("closedStringerButton", true, [](const Objex* o) { return float(sf::kClosedStringer(*o)); },
              [](Objex* o, float v) { sf::kClosedStringer(*o) = int16_t(v); }, "Staircase Stringers",
              [](const DocState* d) { return float(d->stairClosedStringer); },
              [](DocState* d, float v) { d->stairClosedStringer = uint8_t(v); }),
        Stair("largeBaseButton", true, [](const Objex* o) { return float(sf::kLargeBase(*o)); },
              [](Objex* o, float v) { sf::kLargeBase(*o) = int16_t(v); }, "Long Staircase Stringer Base",
              [](const DocState* d) { return float(d->stairLargeBase); },
              [](DocState* d, float v) { d->stairLargeBase = uint8_t(v); }),
    };
    return rows;
}

AttachmentRecord* Record(const Objex* o) { return AttachmentRecordOf(const_cast<Objex*>(o)); }
bool HasRecord(const Objex* o) { return Record(o) != nullptr; }

// A step counts as edited only when it changed; its deck is rebuilt.
InspectorEditRow Step(const char* outlet, bool box, Get get, Set set, const char* undo, GetDefault gd, SetDefault sd) {
    InspectorEditRow r{outlet, box ? FieldEntry::Integer : FieldEntry::Length, box ? 0.0f : kLow, box ? 1.0f : kHigh,
                       objtype::kDeckSteps, EditWalk::DeckSteps, !box, get, set, EditRebuild::ByType, undo,
                       UndoRule::WhenChanged, gd, sd};
    r.onlyIf = HasRecord;
    return r;
}

const std::vector<InspectorEditRow>& StepRows() {
    static const std::vector<InspectorEditRow> rows = {
        Step("stepWidthText", false, [](const Objex* o) { return Record(o)->width; },
             [](Objex* o, float v) { Record(o)->width = v; }, "Step Width",
             [](const DocState* d) { return d->deckStepWidth; }, [](DocState* d, float v) { d->deckStepWidth = v; }),
        Step("stepHeightText", false, [](const Objex* o) { return Record(o)->height; },
             [](Objex* o, float v) { Record(o)->height = v; }, "Total Deck Step Height",
             [](const DocState* d) { return d->deckStepSizeB; }, [](DocState* d, float v) { d->deckStepSizeB = v; }),
        Step("leftRailButton", true, [](const Objex* o) { return float(DeckStepLeftHandrail(Record(o))); },
             [](Objex* o, float v) { DeckStepLeftHandrail(Record(o)) = int16_t(v); }, "Left Handrail",
             [](const DocState* d) { return float(d->deckStepLeftRail); },
             [](DocState* d, float v) { d->deckStepLeftRail = uint8_t(v); }),
        Step("rightRailButton", true, [](const Objex* o) { return float(DeckStepRightHandrail(Record(o))); },
             [](Objex* o, float v) { DeckStepRightHandrail(Record(o)) = int16_t(v); }, "Right Handrail",
             [](const DocState* d) { return float(d->deckStepRightRail); },
             [](DocState* d, float v) { d->deckStepRightRail = uint8_t(v); }),
    };
    return rows;
}

InspectorEditRow DeckValue(const char* outlet, float high, Get get, Set set, const char* undo, GetDefault gd,
                           SetDefault sd) {
    return {outlet, FieldEntry::Length, kLow, JustBelow(high), objtype::kDeck, EditWalk::TopLevel, false, get, set,
            EditRebuild::ByType, undo, UndoRule::WhenChanged, gd, sd};
}

// A bit of the segments' start points (or of the selected points): every reached one counts,
// and a deck with one is rebuilt.
template <int32_t Bit>
InspectorEditRow DeckBit(const char* outlet, EditWalk walk, const char* undo, SetDefault sd) {
    InspectorEditRow r{outlet, FieldEntry::Integer, 0, 1, objtype::kDeck, walk, false, nullptr, nullptr,
                       EditRebuild::ByType, undo, UndoRule::WhenChanged, nullptr, sd};
    r.getPoint = [](const Poinz* p) { return float((df::kEdgeFlags(*p) & Bit) != 0); };
    r.setPoint = [](Poinz* p, float v) { df::kEdgeFlags(*p) = v != 0 ? df::kEdgeFlags(*p) | Bit : df::kEdgeFlags(*p) & ~Bit; };
    r.countReached = true;
    return r;
}

const std::vector<InspectorEditRow>& DeckRows() {
    static const std::vector<InspectorEditRow> rows = [] {
        std::vector<InspectorEditRow> r = {
            // Each outline point holds minus the deck height in plan units.
            DeckValue("deckHeightText", 10000, [](const Objex* o) { return df::kHeight(*o); },
                      [](Objex* o, float v) {
                          df::kHeight(*o) = v;
                          const float plan = ConvertWorldToScreen(v, CurrentDocState(), 0);
                          for (Poinz* p = o->firstPoint; p; p = p->next) p->position[1] = -plan;
                      },
                      "Deck Height", [](const DocState* d) { return d->deckHeight; },
                      [](DocState* d, float v) { d->deckHeight = v; }),
            DeckValue("balusterSpacingText", 73, [](const Objex* o) { return df::kBalusterSpacing(*o); },
                      [](Objex* o, float v) { df::kBalusterSpacing(*o) = v; }, "Handrail Baluster Spacing",
                      [](const DocState* d) { return d->balusterSpacing; },
                      [](DocState* d, float v) { d->balusterSpacing = v; }),
            DeckBit<df::kSkirtingEdge>("skirtingButton", EditWalk::WallSegments, "Deck Skirting",
                                       [](DocState* d, float v) { d->deckSkirting = uint8_t(v); }),
            DeckBit<df::kHandrailEdge>("includeRailsButton", EditWalk::WallSegments, "Deck Handrails",
                                       [](DocState* d, float v) { d->deckRails = uint8_t(v); }),
            DeckBit<df::kPostCorner>("includePostButton", EditWalk::SelectedPoints, "Deck Post", nullptr),
            // The riser flag taken as a whole number: 1 closed risers, 0 open steps.
            {"openStepsButton", FieldEntry::Integer, 0, 1, objtype::kDeck, EditWalk::TopLevel, false,
             [](const Objex* o) { return float(int32_t(df::kStepStyle(*o))); },
             [](Objex* o, float v) { df::kStepStyle(*o) = v; }, EditRebuild::ByType, "Deck Step Style",
             UndoRule::WhenChanged, [](const DocState* d) { return float(d->deckOpenSteps); },
             [](DocState* d, float v) { d->deckOpenSteps = uint8_t(v); }},
        };
        // Every selected segment takes the height, whatever it held.
        InspectorEditRow rail{"railHeightText", FieldEntry::Length, kLow, kHigh, objtype::kDeck, EditWalk::WallSegments,
                              false, nullptr, nullptr, EditRebuild::ByType, "Deck Handrail Height",
                              UndoRule::WhenChanged, [](const DocState* d) { return d->deckRailHeight; },
                              [](DocState* d, float v) { d->deckRailHeight = v; }};
        rail.getPoint = [](const Poinz* p) { return df::kHandrailHeight(*p); };
        rail.setPoint = [](Poinz* p, float v) { df::kHandrailHeight(*p) = v; };
        rail.countReached = true;
        r.push_back(rail);
        // Stored whenever a deck is selected; nothing is rebuilt.
        InspectorEditRow dims{"displayDimsButton", FieldEntry::Integer, 0, 1, objtype::kDeck, EditWalk::TopLevel, false,
                              [](const Objex* o) { return float(objfield::display::kWord(*o) & 1); },
                              [](Objex* o, float v) {
                                  int32_t& word = objfield::display::kWord(*o);
                                  word = v != 0 ? word | 1 : word & ~1;
                              },
                              EditRebuild::None, "Deck Auto-Dimensions", UndoRule::WhenChanged, nullptr, nullptr};
        dims.countReached = true;
        r.push_back(dims);
        return r;
    }();
    return rows;
}

}  // namespace

const InspectorEditRow* StairRow(const char* outlet) { return Find(StairRows(), outlet); }
const InspectorEditRow* DeckStepRow(const char* outlet) { return Find(StepRows(), outlet); }
const InspectorEditRow* DeckRow(const char* outlet) { return Find(DeckRows(), outlet); }
