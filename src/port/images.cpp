#include "port/images.h"

namespace port {
namespace {

class BuiltInDecoder : public ImageDecoder {
public:
    bool decode(const std::string&, DecodedImage& out) override {
        out = DecodedImage{};
        return false;
    }
};

BuiltInDecoder sBuiltIn;
ImageDecoder* sCurrent = &sBuiltIn;

} // namespace

ImageDecoder& imageDecoder() { return *sCurrent; }
void setImageDecoder(ImageDecoder* d) { sCurrent = d ? d : &sBuiltIn; }

} // namespace port
