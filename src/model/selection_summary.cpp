#include "model/selection_summary.h"

#include <cmath>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/transforms.h"

namespace {

template <typename T>
void Merge(uint8_t fresh, uint8_t& agrees, T& value, const T& x) {
    if (fresh) {
        agrees = 1;
        value = x;
    } else if (agrees && !(x == value)) {
        agrees = 0;
    }
}

// Pen widths to whole points, halves away from zero.
int16_t RoundPenWidth(float width) {
    return dvxnum::TruncToInt16(std::round(static_cast<double>(width)));
}

bool IsDetailShape(const Objex* o) {
    return o->type == objtype::kDetail && o->subtype >= 1 && o->subtype <= 9;
}

int16_t ArrowStyleCommand(int32_t flags) {
    if (flags & 1) return 5086;
    for (int bit = 1; bit <= 6; ++bit)
        if (flags & (1 << bit)) return static_cast<int16_t>(5086 + bit);
    return 5086;
}

int16_t ToleranceCommand(int32_t flags) {
    if (flags & (1 << 9)) return 5054;
    if (flags & (1 << 10)) return 5055;
    if (flags & (1 << 11)) return 5056;
    return 5053;
}

void Merge40(SelectionState40* ss, float value) {
    Merge(ss->ssStateFresh, ss->ssBaseElevation, ss->ssBaseElevationValue, value);
    ss->ssStateFresh = 0;
}

bool IsWallAttachment(const Objex* o) {
    return objtype::IsWallAttachment(o->type);
}

void MergeWall(SelectionState40* ss, const DocState* ds, Objex* wall) {
    if (IsObjectSelected(wall)) {
        Poinz* last = nullptr;
        for (Poinz* p = wall->firstPoint; p; p = p->next) {
            last = p;
            if (p->selected && p->next && p->next->selected) Merge40(ss, p->baseElevation);
        }
        Poinz* first = wall->firstPoint;
        if (wall->closed && last && last->selected && first->selected)
            Merge40(ss, last->baseElevation);
    }
    // Attachments chosen on their own (their segment not selected) show their offset.
    for (Objex* c = wall->firstChild; c; c = c->next) {
        if (!IsWallAttachment(c) || !IsEntireObjectSelected(c)) continue;
        if (c->typeData.kind != TypeDataKind::Attachment || !c->typeData.attachment) continue;
        const AttachmentRecord* r = c->typeData.attachment;
        if (!r->segmentStart || !r->segmentEnd) continue;
        if (r->segmentStart->selected && r->segmentEnd->selected) continue;
        Merge40(ss, ConvertScreenToWorld(r->elevation, ds, 0));
    }
}

}  // namespace

void UpdateSelectionState(const DocState* ds, SelectionState* ss, const Objex* o) {
    if (!ds || !ss || !o) return;
    const uint8_t fresh = ss->ssStateFresh;
    if (IsDetailShape(o)) {
        if (o->closed) {
            Merge(fresh, ss->ssFillPattern, ss->ssFillPatID, o->fillPattern);
            Merge(fresh, ss->ssFillColor, ss->ssFillRGBColor, o->fillColor);
        }
        Merge(fresh, ss->ssPenWidth, ss->ssPenWidthValue, RoundPenWidth(o->penWidth));
        Merge(fresh, ss->ssPenColor, ss->ssPenRGBColor, o->penColor);
        Merge(fresh, ss->ssPenStyle, ss->ssPenStyleType, o->penStyle);
    } else {
        Merge(fresh, ss->ssFillPattern, ss->ssFillPatID, int16_t{0});
        Merge(fresh, ss->ssPenWidth, ss->ssPenWidthValue, int16_t{-1});
        Merge(fresh, ss->ssPenStyle, ss->ssPenStyleType, int16_t{6});
    }
    if (objtype::IsDimension(o->type) && o->typeData.kind == TypeDataKind::Dimension &&
        o->typeData.dimension) {
        const int32_t flags = o->typeData.dimension->flags;
        Merge(fresh, ss->ssArrowHead, ss->ssArrowHeadType, ArrowStyleCommand(flags));
        if (o->type != objtype::kLeaderDimension) {
            Merge(fresh, ss->ssArrowPosition, ss->ssArrowPosID, static_cast<int16_t>((flags >> 7) & 1));
            Merge(fresh, ss->ssTextFrame, ss->ssTextFrameID, static_cast<int16_t>((flags >> 8) & 1));
            Merge(fresh, ss->ssTolerance, ss->ssToleranceType, ToleranceCommand(flags));
        }
    }
    ss->ssStateFresh = 0;
}

void UpdateSelectionStateAreas() {}

void UpdateSelectionState40(SelectionState40* ss, Objex* object) {
    if (!ss || !object || !gCurDocument) return;
    Objex* root = GetRootObject(object);
    if (!root) return;
    if (root->onTerrain) {
        ss->ssBaseElevation = 0;
        ss->ssStateFresh = 0;
        return;
    }
    if (root->type == objtype::kWall) {
        if (const DocState* ds = CurrentDocState()) MergeWall(ss, ds, root);
        return;
    }
    Merge40(ss, root->elevation);
}

void UpdateSelectionState40Controls(const SelectionState40* ss40) {
    if (!ss40) return;
    MainWindowControllerSetElevationPane(ss40);
}
