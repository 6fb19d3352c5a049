#pragma once
// What the inspector and the elevation pane show of the current selection. Each property is
// a pair: a flag that stays 1 while every merged object agrees, and the value.
#include <cstdint>

#include "model/types.h"

struct DocState;

struct SelectionState {
    uint8_t ssStateFresh = 0;
    uint8_t ssFillPattern = 0;
    int16_t ssFillPatID = 0;
    uint8_t ssFillColor = 0;
    RGBColor ssFillRGBColor;
    uint8_t ssPenWidth = 0;
    int16_t ssPenWidthValue = 0;
    uint8_t ssPenColor = 0;
    RGBColor ssPenRGBColor;
    uint8_t ssPenStyle = 0;
    int16_t ssPenStyleType = 0;
    uint8_t ssArrowPosition = 0;
    int16_t ssArrowPosID = 0;
    uint8_t ssArrowHead = 0;
    int16_t ssArrowHeadType = 0;
    uint8_t ssTextFrame = 0;
    int16_t ssTextFrameID = 0;
    uint8_t ssTolerance = 0;
    int16_t ssToleranceType = 0;
    uint8_t ssTextAlign = 0;
    int16_t ssTextAlignType = 0;
};

struct SelectionState40 {
    uint8_t ssStateFresh = 0;
    uint8_t ssBaseElevation = 0;
    float ssBaseElevationValue = 0;  // world units
};

// Starts a summary from the document's current values. Null arguments: nothing.
void ClearSelectionState(const DocState* docState, SelectionState* ss);
void ClearSelectionState40(const DocState* docState, SelectionState40* ss40);
