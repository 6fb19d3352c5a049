#include "model/skylight_transforms.h"

#include "model/floor_operations.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/plan_transforms.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"

namespace {

// Each symbol is selected just for the operation, so that it moves whole.
template <typename Fn>
void WithEachSymbolSelected(Objex* firstSymbol, Fn fn) {
    for (Objex* symbol = firstSymbol; symbol; symbol = symbol->next) {
        SelectObj(symbol, selmode::kSelect, 0);
        fn(symbol);
        SelectObj(symbol, selmode::kDeselect, 0);
    }
}

}  // namespace

void NudgeSkylightSymbols(Objex* firstSymbol, float distance, int16_t direction) {
    // Mapped where they now lie, as a move maps them.
    WithEachSymbolSelected(firstSymbol, [&](Objex* s) {
        NudgeObject(s, distance, direction);
        MapFacesAndLengths(s);
    });
}

void TranslateSkylightSymbols(Objex* firstSymbol, const TransformRecord* record) {
    if (!record) return;
    WithEachSymbolSelected(firstSymbol, [&](Objex* s) { TranslateObject(s, record); });
}

void RotateSkylightSymbols(Objex* firstSymbol, const TransformRecord* record) {
    if (!record) return;
    WithEachSymbolSelected(firstSymbol, [&](Objex* s) { RotateObject(s, record); });
}

void PlanFlipSkylightSymbols(Objex* firstSymbol, int32_t command) {
    for (Objex* symbol = firstSymbol; symbol; symbol = symbol->next) FlipPlanObject(symbol, command);
}
