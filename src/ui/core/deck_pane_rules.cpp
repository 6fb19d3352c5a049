#include "ui/core/deck_pane_rules.h"

#include <vector>

#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "tools/deck_steps.h"
#include "tools/deck_tools.h"

namespace {

Layer* CurrentFloor() { return CurrentDocState() ? gCurDocument->itsCurLayer : nullptr; }

bool IsSelectedDeck(const Objex* o) { return o->type == objtype::kDeck && IsObjectSelected(o); }

void SheetAlert(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

int ChildCount(const Objex* o) {
    int n = 0;
    for (const Objex* c = o->firstChild; c; c = c->next) ++n;
    return n;
}

}  // namespace

Poinz* DeckSegmentEnd(const Objex* deck, Poinz* p) {
    if (p->next) return p->next;
    return deck->closed && p != deck->firstPoint ? deck->firstPoint : nullptr;
}

bool IsStraightDeckSegment(const Poinz* start, const Poinz* end) {
    for (const Poinz* p : {start, end})
        for (int i = 0; i < 3; ++i)
            if (p->inTangent[i] != 0 || p->outTangent[i] != 0) return false;
    return true;
}

Poinz* SelectedDeckSegmentFrom(const Objex* deck, Poinz* p) {
    for (; p; p = p->next) {
        Poinz* end = DeckSegmentEnd(deck, p);
        if (end && p->selected && end->selected) return p;
    }
    return nullptr;
}

void ForEachSelectedDeckSegment(Objex* deck, const std::function<void(Poinz*)>& visit) {
    for (Poinz* p = SelectedDeckSegmentFrom(deck, deck->firstPoint); p; p = SelectedDeckSegmentFrom(deck, p->next))
        visit(p);
}

InsertStepsResult InsertDeckSteps() {
    Layer* floor = CurrentFloor();
    if (!floor) return InsertStepsResult::NoFloor;
    std::vector<Objex*> grown;
    bool curved = false;
    // A curve ends the walk where it is met; the steps set before it stay, and the alert says
    // why the rest got none.
    for (Objex* o = floor->firstObject; o && !curved; o = o->next) {
        if (!IsSelectedDeck(o)) continue;
        for (Poinz* p = SelectedDeckSegmentFrom(o, o->firstPoint); p; p = SelectedDeckSegmentFrom(o, p->next)) {
            Poinz* end = DeckSegmentEnd(o, p);
            if (!IsStraightDeckSegment(p, end)) {
                curved = true;
                break;
            }
            const int before = ChildCount(o);
            AddDeckSteps(o, p, end);
            if (ChildCount(o) != before && (grown.empty() || grown.back() != o)) grown.push_back(o);
        }
    }
    if (curved) SheetAlert("Unable to insert deck steps.", "Deck steps cannot be inserted into curved deck segments.");
    for (Objex* deck : grown) {
        Update3DDeck(deck);
        ReRenderObject(deck);
    }
    if (!grown.empty()) StoreUndo(LocalizedString("Insert Deck Steps").c_str());
    Refresh();
    if (curved) return InsertStepsResult::Curved;
    return grown.empty() ? InsertStepsResult::NothingAdded : InsertStepsResult::Added;
}

bool AdjustDeckCurve() {
    Layer* floor = CurrentFloor();
    if (!floor) return false;
    for (Objex* o = floor->firstObject; o; o = o->next) {
        if (!IsSelectedDeck(o)) continue;
        for (Objex* c = o->firstChild; c; c = c->next) {
            const AttachmentRecord* r = AttachmentRecordOf(c);
            if (!r || !r->segmentStart || !r->segmentEnd) continue;
            if (r->segmentStart->selected || r->segmentEnd->selected) {
                SheetAlert("Unable to adjust deck segment curvature.",
                           "Curvature cannot be adjusted on deck segments that either contain steps or have "
                           "neighboring segments that contain steps.");
                return false;
            }
        }
    }
    Win32EventHandler().smoothSelected();
    return true;
}

void StraightenDeckCurve() {
    if (CurrentFloor()) Win32EventHandler().unsmoothSelected();
}
