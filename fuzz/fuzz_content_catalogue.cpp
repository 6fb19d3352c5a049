// Any bytes as a content catalogue, and as the description files the categories lead to (an
// object's info file, a paint file): both catalogue readers and every rebuild must stay
// within their buffers, keep names and texts to 250 characters and end.
#include "content/core/content_library_manager.h"
#include "model/content_types.h"
#include "files/content_folders.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string gRoot;

// Only folders inside the scratch tree are scanned: a listed name may climb out of it.
bool Inside(const std::string& path) {
    return path.compare(0, gRoot.size(), gRoot) == 0 && path.find("..") == std::string::npos;
}

void Visit(ContentCategoryItem& node, int depth) {
    if (node.categoryName().size() > kContentValueLength || depth > 3) std::abort();
    if (Inside(node.fullPath())) {
        ContentLibraryManager::sharedContentLibraryManager().rebuildSymEntryListForItem(&node);
        if (node.numberOfSymEntries() > 420) std::abort();
        for (const SymEntryInfo& e : node.symEntries())
            if (e.objectDescription.size() > 2 * kContentValueLength + 3) std::abort();
    }
    for (const auto& child : node.children()) {
        if (child->parentItem() != &node) std::abort();
        Visit(*child, depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        fuzz::UseScratchFolders("fuzz_content_catalogue");
        gRoot = fuzz::ScratchRoot("fuzz_content_catalogue");
        for (const std::string& folder : {LocalDomainUserSharedPath(), LocalDomain3DObjectPath() + "/Chairs",
                                          LocalDomainPaintPath() + "/Reds"})
            std::filesystem::create_directories(folder);
        const std::string chair = LocalDomain3DObjectPath() + "/Chairs/chair.";
        return fuzz::WriteFile(chair + "POB", nullptr, 0) && fuzz::WriteFile(chair + "PPV", nullptr, 0);
    }();
    if (!ready || !fuzz::CurrentDocument()) return 0;
    const std::string zelt = LocalDomainUserSharedPath() + "/";
    for (const std::string& path : {zelt + "ObjectCat.ini", zelt + "PaintCat.ini",
                                    LocalDomain3DObjectPath() + "/Chairs/chair.POD",
                                    LocalDomainPaintPath() + "/Reds/Reds.INI"})
        if (!fuzz::WriteFile(path, data, size)) return 0;

    ContentLibraryManager& manager = ContentLibraryManager::sharedContentLibraryManager();
    ContentCategoryList objects;
    manager.buildLibraryOfType(content::kObject3DLibrary, objects);
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i]->selected() && i != 0) std::abort();
        Visit(*objects[i], 0);
    }
    auto paints = ContentCategoryItem::initWithName("Paint", LocalDomainPaintPath().c_str(), nullptr,
                                                    content::kColorsCategory, 1);
    manager.buildLibraryOfType(content::kPaintLibrary, paints.get());
    auto shelf = ContentCategoryItem::initWithName("Objects", LocalDomain3DObjectPath().c_str(), nullptr,
                                                   content::kObjectsCategory, 1);
    manager.buildLibraryOfType(content::kObject3DLibrary, shelf.get());
    Visit(*paints, 0);
    Visit(*shelf, 0);
    // The two description files, whatever the catalogue lists.
    auto chairs = ContentCategoryItem::initWithName("Chairs", (LocalDomain3DObjectPath() + "/Chairs").c_str(),
                                                    nullptr, content::kObjectsCategory, content::kObject3DLibrary);
    auto reds = ContentCategoryItem::initWithName("Reds", (LocalDomainPaintPath() + "/Reds").c_str(), nullptr,
                                                  content::kColorsCategory, content::kPaintLibrary);
    Visit(*chairs, 0);
    Visit(*reds, 0);
    if (chairs->numberOfSymEntries() != 1) std::abort();
    return 0;
}
