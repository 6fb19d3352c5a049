// The stock content generator: each writer puts its kind of content under the stock root, laid
// out as the content folders expect it. Output must be the same bytes on every run.
#pragma once

#include <string>

namespace contentgen {

// Each returns false (after saying why on stderr) when a file could not be written.
bool WriteSymbols(const std::string& root);
bool WriteObjects(const std::string& root);
bool WritePlants(const std::string& root);
bool WriteMaterials(const std::string& root);
bool WriteTrims(const std::string& root);
bool WritePowerTools(const std::string& root);
// Textures the renderer names by ID (the light glow).
bool WriteRenderTextures(const std::string& root);

}  // namespace contentgen
