#pragma once
// The sheet each opener of the command layer opens: registered on the seams of
// ui/core/sheet_seams.h at start-up.

void RegisterSheetHandlers();
// The openers open nothing again.
void ForgetSheetHandlers();
