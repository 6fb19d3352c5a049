#pragma once
// Registers the rebuilds of staircases, railings, fences and edging in the rebuild table.
// Called at start-up with the other folders' rebuilds.
void RegisterElementRebuilders();
