#pragma once
// What the file-reader targets share: the document kept across inputs, the input written to
// a file of the target's own, and dropping what a reader added.
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace fuzz {

// The document inputs are read into, made current (null when none could be made). With
// `renewEvery`, every that many inputs start from a fresh one.
inline QMDDocumentModel* CurrentDocument(int renewEvery = 0) {
    static QMDDocumentModel* doc = nullptr;
    static int runs = 0;
    if (!doc || (renewEvery > 0 && ++runs % renewEvery == 0)) {
        if (doc) doc->dealloc();
        doc = QMDDocumentModel::alloc()->init();
    }
    if (doc) gCurDocument = doc;
    return doc;
}

// Writes the input to /tmp/<name>.<pid>: its path, or null when it could not be written.
inline const char* WriteInputFile(const char* name, const uint8_t* data, size_t size) {
    static const std::string path = std::string("/tmp/") + name + "." + std::to_string(getpid());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return nullptr;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    return path.c_str();
}

// Deletes every object of every layer of `doc`.
inline void DropLayerObjects(QMDDocumentModel* doc) {
    for (Layer* l = doc->itsLayers; l; l = l->next)
        while (l->firstObject) DeleteObj(l->firstObject);
}

}  // namespace fuzz
