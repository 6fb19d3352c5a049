#pragma once
// Image decoding into packed RGB, bottom row first.
#include <cstdint>
#include <string>
#include <vector>

namespace port {

struct DecodedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3 bytes, bottom row first, no padding
};

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    virtual bool decode(const std::string& path, DecodedImage& out) = 0;
    // File name extensions (without the dot) of the images it decodes; empty: any file.
    virtual std::vector<std::string> fileTypes() { return {}; }
};

ImageDecoder& imageDecoder();
void setImageDecoder(ImageDecoder* d);  // nullptr restores the built-in one (decodes nothing)

} // namespace port
