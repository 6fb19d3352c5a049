#include "output.h"

#include <QBuffer>
#include <QImage>
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

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) return false;
    if (port::WriteWholeFile(path, bytes.data(), bytes.size(), port::Durability::Scratch)) return true;
    std::fprintf(stderr, "dvx_contentgen: cannot write %s\n", path.c_str());
    return false;
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

bool WritePng(const std::string& path, const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        std::fprintf(stderr, "dvx_contentgen: cannot encode %s\n", path.c_str());
        return false;
    }
    return WriteBytes(path, std::vector<unsigned char>(png.begin(), png.end()));
}

std::string Join(const std::string& folder, const std::string& name) { return folder + "/" + name; }

}  // namespace contentgen
