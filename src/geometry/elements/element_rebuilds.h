#pragma once
// Registers the rebuilds of staircases, railings, fences and edging in the rebuild table, and
// the symbols skylights are read with.
// Called at start-up with the other folders' rebuilds.
void RegisterElementRebuilders();
