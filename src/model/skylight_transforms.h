#pragma once
// The symbols of a skylight (the parts list of its roof attachment record) follow the
// skylight: each operation walks the list that starts at the given symbol.
#include <cstdint>

struct Objex;
struct TransformRecord;

// Select, nudge (NudgeObject) and deselect each symbol.
void NudgeSkylightSymbols(Objex* firstSymbol, float distance, int16_t direction);
// Select, move or turn (TranslateObject, RotateObject) and deselect each symbol.
void TranslateSkylightSymbols(Objex* firstSymbol, const TransformRecord* record);
void RotateSkylightSymbols(Objex* firstSymbol, const TransformRecord* record);
// FlipPlanObject on each symbol.
void PlanFlipSkylightSymbols(Objex* firstSymbol, int32_t command);
