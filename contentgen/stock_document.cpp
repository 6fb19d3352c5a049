#include "stock_document.h"

#include <cstdio>

#include "files/design_file.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "output.h"

namespace contentgen {

StockDocument::StockDocument() {
    doc_ = QMDDocumentModel::alloc()->init();
    if (!doc_ || !doc_->itsCurLayer) std::fprintf(stderr, "dvx_contentgen: no document to build in\n");
}

StockDocument::~StockDocument() {
    if (doc_) doc_->dealloc();
}

bool StockDocument::writeDesign(const std::string& path, const std::vector<Objex*>& objects) {
    if (!ready() || !doc_->itsCurLayer) return false;
    Layer* floor = doc_->itsCurLayer;
    for (Objex* o : objects)
        if (o) AppendObjectToLayer(o, floor);
    const size_t slash = path.rfind('/');
    const bool written = MakeFolders(path.substr(0, slash)) && KeyFileWrite(path.c_str()) == 1;
    if (!written) std::fprintf(stderr, "dvx_contentgen: cannot write %s\n", path.c_str());
    while (floor->firstObject) DeleteObj(floor->firstObject);
    return written;
}

}  // namespace contentgen
