#pragma once
// The trackers of src/tracking enter the tool table (tool_dispatch.h) here: the drafting tools
// (rectangle, oval, line, polygon and curve, arc, multigon, text), the dimension tools, the
// fillet and chamfer, and the edit tools' resize, rotate and marquee (the move tool's tracker
// is src/tools'). Called with RegisterToolTrackers at start-up and by tests before they play a
// gesture.
void RegisterDraftingTrackers();
