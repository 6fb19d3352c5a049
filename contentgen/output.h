// Writing the stock files: folders made on the way, every failure said on stderr.
#pragma once

#include <string>

class QImage;

namespace contentgen {

// Makes the folder and any missing folder above it.
bool MakeFolders(const std::string& folder);
// Each makes the file's folder first; false (after saying why) when the file is not written.
bool WriteText(const std::string& path, const std::string& text);
// The image encoded in `format` ("png", "jpeg" at `quality`), at a fixed resolution so the
// bytes are the same wherever they are made.
bool WriteImage(const std::string& path, const QImage& image, const char* format, int quality = -1);
inline bool WritePng(const std::string& path, const QImage& image) { return WriteImage(path, image, "png"); }

}  // namespace contentgen
