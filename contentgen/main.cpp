// dvx_contentgen <stock root>: writes the program's stock content.
#include <QGuiApplication>
#include <cstdio>

#include "contentgen.h"
#include "port/folders.h"

namespace {

// The stock root stands for the program's content folder in both domains, so every content
// path the program builds (files/content_folders.h) names its place in the root.
class StockFolders : public port::Folders {
public:
    explicit StockFolders(std::string root) : root_(std::move(root)) {}
    std::string applicationSupport(port::Domain) override { return root_; }
    std::string temporaryBase() override { return "/tmp"; }

private:
    std::string root_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dvx_contentgen <stock folder>\n");
        return 2;
    }
    // Pictures are drawn with Qt's painter and fonts; no window is opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string root = argv[1];
    StockFolders folders(root);
    port::setFolders(&folders);
    bool ok = true;
    ok = contentgen::WriteSymbols(root) && ok;
    ok = contentgen::WriteObjects(root) && ok;
    ok = contentgen::WritePlants(root) && ok;
    ok = contentgen::WriteMaterials(root) && ok;
    ok = contentgen::WriteTrims(root) && ok;
    ok = contentgen::WritePowerTools(root) && ok;
    ok = contentgen::WriteRenderTextures(root) && ok;
    port::setFolders(nullptr);
    return ok ? 0 : 1;
}
