#pragma once
// What the photo pane does to the selected photos of the current floor: their width (the base
// line resized about its centre), height, shadow, flipped image and image file. Each edit
// rebuilds the photos it changed, stores its undo step and redraws as the pane's rules say.
// Sizes are inches, converted to plan units without zoom.
#include <string>

struct Layer;
struct Objex;

// Both sizes are accepted above 0.01 and below 10000 inches.
bool PhotoSizeAccepted(float inches);
// The base line from the first point to the next: its plan length (plan units).
float PhotoBaseLength(const Objex* photo);
// Moves both ends to `half` plan units either side of the centre, keeping the direction, and
// measures the photo again; false, with nothing written, when the plan coordinates would not
// change.
bool ResizePhotoBaseLine(Objex* photo, float half);

// Each returns whether a photo changed; nothing without a document and a current floor. The
// sizes are typed ones: a photo whose size the field shows as typed keeps it.
bool ApplyPhotoWidth(float inches);   // "RorozErud Width" when changed; redraws
bool ApplyPhotoHeight(float inches);  // "RorozErud Height" when changed; redraws
bool ApplyPhotoShadows(bool casts);   // "RorozErud Shadow" when changed; redraws
// Toggles every selected photo's image; "Flip RorozErud Image" in every case; redraws.
bool FlipPhotoImages();
// Each selected photo takes its own copy of the path and its own next photo texture ID;
// "Set RorozErud Image" in every case; no redraw.
bool SetPhotoImages(const std::string& path);
// The first selected photo of the current floor; null for none.
Objex* FirstSelectedPhoto();
