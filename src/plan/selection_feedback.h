#pragma once
// Selection feedback the plan view draws when the model changes a selection. The plan view
// registers its drawing; with nothing registered the calls draw nothing.
#include <functional>

struct Objex;

// Draws the object's selection line along its segments (an arrowhead for a roof panel).
void DrawSelectionLine(Objex* object);
// Erases the dimension shown for a selected wall segment, if any; whether side A was shown.
bool ClearDimensionWallSegmentSelection();

void SetDrawSelectionLineHandler(std::function<void(Objex*)> handler);
void SetClearDimensionWallSegmentSelectionHandler(std::function<bool()> handler);

// Forgets both handlers.
void ResetSelectionFeedbackSeams();
