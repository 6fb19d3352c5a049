#pragma once
// The wall key-entry sheet, opened on the main window after the wall tools' typed variants
// drew a new segment; it edits the segment from `start` to `end` of the wall and stores the
// drag's step as it closes. Nothing opens until the sheet registers its factory; the answer
// says whether it opened.
#include "port/seam.h"

struct CommandWindow;
struct Objex;
struct Poinz;

DVX_SEAM(NewWallKeyEntrySheet, "ui", port::SeamKind::UserInterface,
         bool(CommandWindow* parent, Poinz* start, Poinz* end, Objex* wall))
