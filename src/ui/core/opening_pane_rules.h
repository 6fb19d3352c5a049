#pragma once
// The window and door panes' rules that do not depend on a widget: style codes and table
// rows, which controls a style uses, and the swing side of a door angle.
#include <cstdint>

// The style rows shown by the window and door panes; -1 while the selection mixes styles.
extern int32_t gWindowPropertiesStyle;
extern int32_t gDoorPropertiesStyle;

// Rows of the style tables the panes show.
inline constexpr int kWindowStyleRows = 2;
inline constexpr int kDoorStyleRows = 4;
// The row of custom windows, read from a definition file.
inline constexpr int kCustomWindowRow = 19;
inline constexpr int16_t kCustomWindowCode = 626;

// The row a window's code shows on (0-19); -1 for a code outside 600-626 (an object then
// shows row 0, the tool keeps its row).
int WindowCodeRow(int16_t code, int16_t verticalDividers, int16_t horizontalDividers);
// The code a row chooses; 0 for a row without one.
int16_t WindowRowCode(int row);
// Styles whose height follows their width.
bool WindowHeightTied(int16_t code);
// Dividers apply to style 600 only; the flip buttons to every style but 600 and 626.
bool WindowDividersApply(int16_t code);
bool WindowFlipsApply(int16_t code);

// Door codes 500-503 are rows 0-3; every other code is row 4.
int DoorCodeRow(int16_t code);
// 500-503 for rows 0-3, else 0.
int16_t DoorRowCode(int row);
bool DoorSwingEnabled(int16_t code);
bool DoorFlipEnabled(int16_t code);
// The least trim width a door takes for the style row shown (-1 mixed): 0 allowed on rows
// 0-2, else above 0.01.
bool DoorTrimAllowed(int32_t styleRow, float trim);
// The swing side code of a swing angle in degrees (-360 to 360): 4 or 0.
int16_t DoorSwingSideCode(float degrees);

// A row as a table of `rowCount` rows can show it: -1 for one it lacks.
inline int ShownStyleRow(int row, int rowCount) { return row >= 0 && row < rowCount ? row : -1; }
