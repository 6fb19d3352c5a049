#include "ui/core/inspector_edits.h"

#include "app/core/dialog_fields.h"
#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_rebuild.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "plan/refresh_seams.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "tools/attached_dimensions.h"
#include "tools/roof_attachments.h"
#include "tools/roof_panels.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"
#include "ui/core/light_values.h"

namespace {

// What the walk stores, and what it met.
struct Entry {
    float stored;              // the value in the row's stored units
    const float* typed;        // the value typed into the row's field (field units), or null
    bool refused = false;      // an object could not take the value and kept its own
    float kept = 0;            // the first refusing object's own value (stored units)
};

// A field nobody sees: the text a row's field would show for a value.
class ScratchField : public port::TextField {
public:
    std::string text() const override { return text_; }
    void setText(std::string_view macRoman) override { text_ = macRoman; }
    bool isEnabled() const override { return true; }
    void setEnabled(bool) override {}

private:
    std::string text_;
};

float InFieldUnits(const InspectorEditRow& row, float stored) {
    return row.planUnits ? ConvertScreenToWorld(stored, CurrentDocState(), 0) : stored;
}

// Whether a held value (stored units) stays: a typed value is compared with what the field
// shows for it (the typed value itself is never rounded), any other with the value exactly.
bool Holds(const InspectorEditRow& row, float now, float next, const Entry& e) {
    if (e.typed && !row.toggles) return FieldShowsTyped(row.entry, InFieldUnits(row, now), *e.typed);
    return now == next;
}

bool Applies(const InspectorEditRow& row, const Objex* o) {
    return (o->type == row.type || (row.alsoApplies && row.alsoApplies(o))) && (!row.onlyIf || row.onlyIf(o));
}

void Rebuild(EditRebuild how, Objex* o) {
    switch (how) {
    case EditRebuild::None:
    case EditRebuild::AttachedDimension: return;
    case EditRebuild::Wall:
        Update3DWall(o);
        UpdateAllWallAttachments(o);
        break;
    case EditRebuild::WallAttachments: UpdateAllWallAttachments(o); break;
    case EditRebuild::ByType: RebuildObjectByType(o, RebuildTable::Full, false); break;
    case EditRebuild::Render: break;
    case EditRebuild::RenderFlag:
        o->needsRebuild = 1;
        gRefreshRender = 1;
        return;
    case EditRebuild::Roof:
    case EditRebuild::RoofReadingDefinition:
        // The skylights were refitted one by one; the roof takes them all again once.
        UpdateAllRoofAttachments(o);
        Update3DRoofPanel(o);
        break;
    }
    ReRenderObject(o);
}

bool IsLightGroup(const Objex* o) {
    return o->type == objtype::kGroup && IsLightTypeCode(objfield::light::kSymbolType(*o));
}

// Writes into the group and the pieces of its fixture, whatever they held.
void StoreLight(const InspectorEditRow& row, Objex* group, float stored) {
    row.set(group, stored);
    if (group->subtype != 83)
        for (Objex* c = GetRootObject(group)->firstChild; c; c = c->next) row.set(c, stored);
}

// Stores the value where it differs; true when it did (or when the row counts every one).
bool Store(const InspectorEditRow& row, Objex* o, const Entry& e) {
    const float now = row.get(o);
    const float next = row.toggles ? (now != 0 ? 0.f : 1.f) : e.stored;
    const bool store = !Holds(row, now, next, e) || row.countReached;
    if (store) row.set(o, next);
    return store;
}

bool StorePoint(const InspectorEditRow& row, Poinz* p, const Entry& e) {
    const float now = row.getPoint(p);
    const float next = row.toggles ? (now != 0 ? 0.f : 1.f) : e.stored;
    const bool store = !Holds(row, now, next, e) || row.countReached;
    if (store) row.setPoint(p, next);
    return store;
}

// The wall's selected segments: both ends selected, the closing one of a closed wall last.
bool StoreSegments(const InspectorEditRow& row, Objex* wall, const Entry& e) {
    bool changed = false;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        Poinz* end = p->next ? p->next : (wall->closed && p != wall->firstPoint ? wall->firstPoint : nullptr);
        if (end && p->selected && end->selected) changed |= StorePoint(row, p, e);
    }
    return changed;
}

// Walks what the row reaches on the current floor; each changed object (an attachment's wall
// once its children are done, so a rebuild that drops an attachment never meets the walk).
bool Walk(const InspectorEditRow& row, Layer* floor, Entry& e) {
    // Every selected object changed and rebuilt: the ground and what stands on it follow once.
    const rebuild::GroundBatch ground;
    bool any = false;
    for (Objex* o = floor->firstObject; o; o = o->next) {
        bool changed = false;
        const bool children = row.walk == EditWalk::Attachments || row.walk == EditWalk::DeckSteps;
        if (children) {
            if (o->type != (row.walk == EditWalk::Attachments ? objtype::kWall : objtype::kDeck)) continue;
            for (Objex* c = o->firstChild; c; c = c->next) {
                if (!Applies(row, c) || !IsRootObjectSelected(c) || !Store(row, c, e)) continue;
                if (row.rebuild == EditRebuild::AttachedDimension) UpdateAttachedDim(c, o);
                changed = true;
            }
        } else if (row.walk == EditWalk::RoofChildren) {
            if (!objtype::IsRoof(o->type)) continue;
            for (Objex* c = o->firstChild; c; c = c->next) {
                if (!Applies(row, c) || !IsObjectSelected(c)) continue;
                const float before = row.get(c);
                if (!Store(row, c, e)) continue;
                if (!UpdateRoofAttachmentProperties(c, o, row.rebuild != EditRebuild::RoofReadingDefinition)) {
                    // Nothing can be built with the value: the skylight stays as it was.
                    row.set(c, before);
                    if (!e.refused) e.kept = before;
                    e.refused = true;
                    continue;
                }
                changed = true;
            }
        } else if (row.walk == EditWalk::LightGroups) {
            if (!IsLightGroup(o) || !IsObjectSelected(o)) continue;
            StoreLight(row, o, e.stored);
            changed = true;
        } else if (!Applies(row, o) || !IsObjectSelected(o)) {
            continue;
        } else if (row.walk == EditWalk::WallSegments) {
            changed = StoreSegments(row, o, e);
        } else if (row.walk == EditWalk::SelectedPoints) {
            for (Poinz* p = o->firstPoint; p; p = p->next)
                if (p->selected) changed |= StorePoint(row, p, e);
        } else {
            changed = Store(row, o, e);
        }
        if (changed || (row.rebuildReached && !children)) Rebuild(row.rebuild, o);
        any |= changed;
    }
    return any;
}

}  // namespace

float ReadEntry(FieldEntry entry, port::TextField* field) {
    switch (entry) {
    case FieldEntry::Length: return GetFloatItem(field);
    case FieldEntry::Pitch: return GetFloatPitchItem(field);
    case FieldEntry::Angle: return GetFloatAngleItem(field, false);
    case FieldEntry::PitchAngle: return GetFloatPitchAngleItem(field);
    case FieldEntry::Integer: return float(GetLongItem(field));
    }
    return 0;
}

void ShowEntry(FieldEntry entry, port::TextField* field, float value) {
    switch (entry) {
    case FieldEntry::Length: SetFloatItem(field, value); break;
    case FieldEntry::Pitch: SetFloatPitchItem(field, value); break;
    case FieldEntry::Angle: SetFloatAngleItem(field, value, false); break;
    case FieldEntry::PitchAngle: SetFloatPitchAngleItem(field, value); break;
    case FieldEntry::Integer: SetLongItem(field, int32_t(value)); break;
    }
}

void MergeEntry(FieldEntry entry, port::TextField* field, float value, bool initialize) {
    switch (entry) {
    case FieldEntry::Length: UpdatePropertiesFloat(field, value, initialize); break;
    case FieldEntry::Pitch: UpdatePropertiesFloatPitch(field, value, initialize); break;
    case FieldEntry::Angle: UpdatePropertiesFloatAngle(field, value, false, initialize); break;
    case FieldEntry::PitchAngle: UpdatePropertiesFloatPitchAngle(field, value, initialize); break;
    case FieldEntry::Integer: UpdatePropertiesLong(field, int32_t(value), initialize); break;
    }
}

bool FieldShowsTyped(FieldEntry entry, float held, float typed) {
    ScratchField f;
    ShowEntry(entry, &f, held);
    return ReadEntry(entry, &f) == typed;
}

bool HoldsNumber(const port::TextField* field) {
    if (!field) return false;
    for (const char c : field->text())
        if (c >= '0' && c <= '9') return true;
    return false;
}

void ShowRefused(const InspectorEditRow& row, port::TextField* field, const float* remembered) {
    if (remembered) ShowEntry(row.entry, field, *remembered);
    else ShowDefault(row, field);
}

float FieldValueOf(const InspectorEditRow& row, const Objex* object) {
    if (!row.get || !object) return 0;
    const float v = row.get(object);
    return row.planUnits ? ConvertScreenToWorld(v, CurrentDocState(), 0) : v;
}

void MergeObjectValue(const InspectorEditRow& row, port::TextField* field, const Objex* object, bool initialize) {
    MergeEntry(row.entry, field, FieldValueOf(row, object), initialize);
}

void ShowDefault(const InspectorEditRow& row, port::TextField* field) {
    if (const DocState* ds = CurrentDocState(); ds && row.getDefault) ShowEntry(row.entry, field, row.getDefault(ds));
}

EditResult ApplyInspectorValue(const InspectorEditRow& row, float value, bool typed) {
    DocState* ds = CurrentDocState();
    Layer* floor = ds ? gCurDocument->itsCurLayer : nullptr;
    if (!floor) return EditResult::NoDocument;
    Entry e{row.planUnits ? ConvertWorldToScreen(value, ds, 0) : value, typed ? &value : nullptr};
    const bool pointWalk = row.walk == EditWalk::WallSegments || row.walk == EditWalk::SelectedPoints;
    const bool reaches = pointWalk ? row.getPoint && row.setPoint : row.get && row.set;
    const bool changed = reaches && Walk(row, floor, e);
    if (e.refused && !changed) {
        // The tool default follows what the object kept; no step, only the redraw.
        if (row.setDefault) row.setDefault(ds, InFieldUnits(row, e.kept));
        if (!row.noRefresh && row.redraw != EditRedraw::LiveView) Refresh();
        return EditResult::Declined;
    }
    const bool defaultHolds = row.getDefault && (typed ? FieldShowsTyped(row.entry, row.getDefault(ds), value)
                                                       : row.getDefault(ds) == value);
    const bool differsFromDefault = row.getDefault && !defaultHolds;
    bool store = false;
    switch (row.undoRule) {
    case UndoRule::WhenChanged: store = changed; break;
    case UndoRule::WhenChangedOrNotDefault: store = changed || differsFromDefault; break;
    case UndoRule::Always: store = true; break;
    case UndoRule::Never: break;
    }
    // The default goes into the step's snapshot: Redo gives it back, the next step's Undo keeps it.
    if (row.setDefault) row.setDefault(ds, value);
    if (store) StoreUndo(LocalizedString(row.undoName).c_str());
    if (!row.noRefresh && row.redraw != EditRedraw::LiveView) Refresh();
    if (row.redraw != EditRedraw::Plan && changed) {
        gRefreshRender = 1;
        LiveViewNeedsDisplay();
    }
    return changed ? EditResult::Changed : EditResult::Unchanged;
}

EditResult ApplyInspectorField(const InspectorEditRow& row, port::TextField* field, const float* remembered) {
    if (!CurrentDocState() || !gCurDocument->itsCurLayer) return EditResult::NoDocument;
    const float value = ReadEntry(row.entry, field);
    if (!HoldsNumber(field) || !(value >= row.low && value <= row.high)) {
        ShowRefused(row, field, remembered);
        return EditResult::Refused;
    }
    const EditResult result = ApplyInspectorValue(row, value, true);
    if (result == EditResult::Declined) ShowDefault(row, field);
    else ShowEntry(row.entry, field, value);
    return result;
}
