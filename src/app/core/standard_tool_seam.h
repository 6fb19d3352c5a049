#pragma once
// Making the standard selection tool current again after objects moved to another floor or
// were pasted. The shell registers the tool palette's reset; with nothing registered nothing
// happens.
#include <cstdint>
#include <functional>

void ResetStandardTool(uint8_t flag);
void SetResetStandardToolHandler(std::function<void(uint8_t)> handler);

void ResetStandardToolSeam();
