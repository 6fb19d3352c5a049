// The textures the renderer itself names by ID: the light glow (14001), drawn as a soft round
// spot. The renderer makes its alpha from the brightness (opaque at white, clear below 191), so
// the spot fades from white at its heart to grey 191 at its rim, on black.
#include <QImage>
#include <algorithm>
#include <cmath>

#include "contentgen.h"
#include "files/content_folders.h"
#include "files/texture_files.h"
#include "output.h"
#include "port/files.h"

namespace contentgen {

namespace {

constexpr int32_t kGlowTexture = 14001;

QImage Glow(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    const double c = (side - 1) / 2.0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double r = std::hypot(x - c, y - c) / c;  // 0 at the heart, 1 at the rim
            const int grey = r >= 1 ? 0 : int(std::lround(255 - 64 * std::pow(r, 1.5)));
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    return image;
}

}  // namespace

bool WriteRenderTextures(const std::string& /*root: the folders below come from it*/) {
    char name[kTexturePathBufferSize] = {};
    GetTextureFileNameFromID(kGlowTexture, name);
    return name[0] && WritePng(port::JoinPath(LocalDomainTexturePath(), name), Glow(64));
}

}  // namespace contentgen
