#pragma once
// A small content library on disk for the palette's tests: image files the grid decodes by
// their content, and the folders and catalogues the palette reads at start-up.
#include <QColor>
#include <string>

namespace dvxtest {

// A 20 x 20 PNG, `top` above `bottom`, at `path` (folders made); its name need not say PNG.
std::string WritePreviewImage(const std::string& path, QColor top, QColor bottom);

// Brick: three red textures ("Red Brick" first); Trees: two plants;
// Base Trim: one preview; objects: "Chairs" (holding "Dining" and "Office") and "Tables" with
// one object file, "Table", 120 x 60 plan units; custom doors: "Panel" with the door "Oak".
void WriteSmallContentLibrary();

}  // namespace dvxtest
