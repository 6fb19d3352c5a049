#include "port/qt/platform.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <new>

namespace port::qt {

bool QtImageDecoder::decode(const std::string& path, DecodedImage& out) {
    out = DecodedImage{};
    QImageReader reader(QFile::decodeName(path.c_str()));
    const QImage image = reader.read().convertToFormat(QImage::Format_RGB888);
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return false;
    const size_t w = size_t(image.width()), h = size_t(image.height());
    const size_t row = w * 3;  // scan lines are padded to 4 bytes; ours are not
    try {
        out.rgb.resize(row * h);
    } catch (const std::bad_alloc&) {
        out = DecodedImage{};
        return false;
    }
    for (size_t y = 0; y < h; ++y)
        std::memcpy(&out.rgb[(h - 1 - y) * row], image.constScanLine(int(y)), row);
    out.width = int32_t(w);
    out.height = int32_t(h);
    return true;
}

std::vector<std::string> QtImageDecoder::fileTypes() {
    std::vector<std::string> types;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) types.push_back(format.toStdString());
    return types;
}

} // namespace port::qt
