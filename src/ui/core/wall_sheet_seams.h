#pragma once
// The wall key-entry sheet, opened on the main window after the wall tools' typed variants
// drew a new segment; it edits the segment from `start` to `end` of the wall. Nothing opens
// until the sheet registers its factory.
#include "port/seam.h"

struct CommandWindow;
struct Objex;
struct Poinz;

DVX_SEAM(NewWallKeyEntrySheet, "ui", port::SeamKind::UserInterface,
         void(CommandWindow* parent, Poinz* start, Poinz* end, Objex* wall))
