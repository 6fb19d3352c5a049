// Writing the stock files: folders made on the way, every failure said on stderr.
#pragma once

#include <string>
#include <vector>

class QImage;

namespace contentgen {

// Makes the folder and any missing folder above it.
bool MakeFolders(const std::string& folder);
// Each makes the file's folder first; false (after saying why) when the file is not written.
bool WriteText(const std::string& path, const std::string& text);
bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
bool WritePng(const std::string& path, const QImage& image);

// "a/b" joined.
std::string Join(const std::string& folder, const std::string& name);

}  // namespace contentgen
