#pragma once
// Registers the rebuilds of the types whose 3D pieces src/tools builds (walls with their
// attachments, floors and cabinet parts, roofs, paths, decks, freehand roofs, photos,
// excavations, fixed components' symbols) and the refits of wall and roof attachments in the
// rebuild table, and the measure of the attached dimensions' batches. Called at start-up with the other folders' rebuilds.
void RegisterToolRebuilders();
