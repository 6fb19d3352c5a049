#pragma once
// What the deck panes read and do beyond their edit rows: a deck's selected segments and
// points, steps set into the selected straight segments of the selected decks, and the guard
// in front of the curve command.
#include <functional>

struct Objex;
struct Poinz;

// The point a segment starting at `p` runs to: the next one, or for the last point of a closed
// deck the first; null when `p` starts no segment.
Poinz* DeckSegmentEnd(const Objex* deck, Poinz* p);
// Both ends carry no tangent offset.
bool IsStraightDeckSegment(const Poinz* start, const Poinz* end);
// The first point from `p` on that starts a segment whose two ends are selected; null past the
// last.
Poinz* SelectedDeckSegmentFrom(const Objex* deck, Poinz* p);
// Each segment whose two ends are selected, by its start point, in outline order (the closing
// segment of a closed deck last).
void ForEachSelectedDeckSegment(Objex* deck, const std::function<void(Poinz*)>& visit);

enum class InsertStepsResult {
    NoFloor,       // nothing done
    Curved,        // a curved selected segment was met: the alert; steps set before it stay
    NothingAdded,  // no selected segment took a step
    Added,         // steps added, their decks rebuilt, one undo step
};
// "Insert Deck Steps": the selected segments of the selected decks on the current floor, in
// list and outline order, each take steps until the first curved one stops the walk.
InsertStepsResult InsertDeckSteps();

// Adjust curve: refused with an alert when a step of a selected deck has a selected attachment
// point; otherwise the curve tension sheet opens. True when the sheet was asked for.
bool AdjustDeckCurve();
// Straighten: the straighten command on the selection, unchecked.
void StraightenDeckCurve();
