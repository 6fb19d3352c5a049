#include "output.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <cstdio>
#include <cerrno>
#include <cstring>

#include "port/files.h"

namespace contentgen {

bool MakeFolders(const std::string& folder) {
    if (port::MakeFolderTree(folder)) return true;
    std::fprintf(stderr, "dvx_contentgen: cannot make %s: %s\n", folder.c_str(), std::strerror(errno));
    return false;
}

namespace {

constexpr int kDotsPerMeter = 2835;  // 72 dots an inch

bool WriteBytes(const std::string& path, const void* data, size_t size) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) return false;
    // What the generator writes can always be made again: no sync per file.
    if (port::WriteWholeFile(path, data, size, port::Durability::Scratch)) return true;
    std::fprintf(stderr, "dvx_contentgen: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

bool WriteText(const std::string& path, const std::string& text) { return WriteBytes(path, text.data(), text.size()); }

bool WriteImage(const std::string& path, const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0) writer.setQuality(quality);
    // A new image takes its resolution from the screen, when there is one: fix it, so the
    // file is the same wherever it is made.
    QImage fixed = image;
    fixed.setDotsPerMeterX(kDotsPerMeter), fixed.setDotsPerMeterY(kDotsPerMeter);
    if (image.isNull() || !writer.write(fixed)) {
        std::fprintf(stderr, "dvx_contentgen: cannot encode %s: %s\n", path.c_str(),
                     writer.errorString().toLocal8Bit().constData());
        return false;
    }
    return WriteBytes(path, bytes.constData(), size_t(bytes.size()));
}

}  // namespace contentgen
