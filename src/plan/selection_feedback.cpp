#include "plan/selection_feedback.h"

#include <utility>

namespace {
std::function<void(Objex*)>& DrawLine() {
    static std::function<void(Objex*)> handler;
    return handler;
}
std::function<bool()>& ClearDimension() {
    static std::function<bool()> handler;
    return handler;
}
}  // namespace

void DrawSelectionLine(Objex* object) {
    if (object && DrawLine()) DrawLine()(object);
}

bool ClearDimensionWallSegmentSelection() {
    return ClearDimension() ? ClearDimension()() : false;
}

void SetDrawSelectionLineHandler(std::function<void(Objex*)> h) { DrawLine() = std::move(h); }
void SetClearDimensionWallSegmentSelectionHandler(std::function<bool()> h) {
    ClearDimension() = std::move(h);
}

void ResetSelectionFeedbackSeams() {
    DrawLine() = nullptr;
    ClearDimension() = nullptr;
}
