#pragma once
// What the file-reader targets share: the document kept across inputs, the input written to
// a file of the target's own (or served from memory at such a path), a folder tree of the
// target's own for the readers that look for files by folder, and dropping what a reader
// added.
#include "app/core/startup.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/files.h"
#include "port/folders.h"
#include "support/design_links.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fuzz {

inline QMDDocumentModel*& KeptDocument() {
    static QMDDocumentModel* doc = nullptr;
    return doc;
}

// Frees the kept document: the next CurrentDocument makes a new one.
inline void RenewDocument() {
    QMDDocumentModel*& doc = KeptDocument();
    if (doc) doc->dealloc();
    doc = nullptr;
    gCurDocument = nullptr;
}

// The document inputs are read into, made current (null when none could be made). With
// `renewEvery`, every that many inputs start from a fresh one.
inline QMDDocumentModel* CurrentDocument(int renewEvery = 0) {
    static int runs = 0;
    if (renewEvery > 0 && ++runs % renewEvery == 0) RenewDocument();
    QMDDocumentModel*& doc = KeptDocument();
    static const bool tables = (RegisterLogicTables(), true);
    (void)tables;
    if (!doc) doc = QMDDocumentModel::alloc()->init();
    if (doc) gCurDocument = doc;
    return doc;
}

// A folder of the target's own, made on first use: in TMPDIR when set, else in memory where
// the system offers it (a file is written for every input), else in /tmp.
inline const std::string& ScratchRoot(const char* name) {
    // Removed with everything in it when the run ends.
    struct Root {
        std::string path;
        ~Root() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Root root{[name] {
        const char* tmp = std::getenv("TMPDIR");
        const std::string base = tmp && tmp[0] == '/' ? tmp : access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string path = base + "/" + name + "." + std::to_string(getpid());
        std::filesystem::create_directories(path);
        return path;
    }()};
    return root.path;
}

// Writes the bytes to the path; false when they could not be written.
inline bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// Writes the input to a file in the target's folder: its path, or null when it could not be
// written.
inline const char* WriteInputFile(const char* name, const uint8_t* data, size_t size) {
    static const std::string path = ScratchRoot(name) + "/input";
    return WriteFile(path, data, size) ? path.c_str() : nullptr;
}

// The input, readable at a path in the target's folder for as long as this lives. Nothing is
// written: the readers' whole-file reads copy the bytes from memory, exactly as many as the
// input holds. For readers that take their file through port::ReadWholeFile only.
class ServedInput {
public:
    ServedInput(const char* name, const uint8_t* data, size_t size) : path_(InputPath(name)) {
        port::ServeFileFromMemory(path_, data, size);
    }
    ~ServedInput() { port::ServeFileFromMemory({}, nullptr, 0); }
    ServedInput(const ServedInput&) = delete;
    ServedInput& operator=(const ServedInput&) = delete;
    const char* path() const { return path_.c_str(); }

private:
    static const std::string& InputPath(const char* name) {
        static const std::string path = ScratchRoot(name) + "/input";
        return path;
    }
    const std::string& path_;
};

// The standard folders, all inside one root, made on first use.
class ScratchFolders : public port::Folders {
public:
    explicit ScratchFolders(std::string root) : root_(std::move(root)) {
        for (const char* sub : {"local", "user", "tmp"}) std::filesystem::create_directories(root_ + "/" + sub);
    }
    std::string applicationSupport(port::Domain domain) override {
        return root_ + (domain == port::Domain::Local ? "/local" : "/user");
    }
    std::string temporaryBase() override { return root_ + "/tmp"; }

private:
    std::string root_;
};

// Puts the standard folders inside the target's folder for the rest of the run.
inline void UseScratchFolders(const char* name) {
    static ScratchFolders folders(ScratchRoot(name));
    port::setFolders(&folders);
}

// Deletes every object of every layer of `doc`.
inline void DropLayerObjects(QMDDocumentModel* doc) {
    for (Layer* l = doc->itsLayers; l; l = l->next)
        while (l->firstObject) DeleteObj(l->firstObject);
}

// Stops the run, as a sanitizer's report does, when the records of the design read do not hold
// together (a piece naming a floor other than its root's, links that disagree): the broken link
// is found at the read that made it, before a later deletion reads freed memory through it.
inline void CheckDesignWhole(const QMDDocumentModel* doc) {
    const std::vector<std::string> faults = dvxtest::DesignLinkFaults(doc);
    if (faults.empty()) return;
    std::fprintf(stderr, "design check: %zu broken link(s)\n", faults.size());
    for (size_t i = 0; i < faults.size() && i < 12; ++i) std::fprintf(stderr, "  %s\n", faults[i].c_str());
    std::abort();
}

// A new object of the type with `count` points along H, 10 apart (null when none could be
// made).
inline Objex* NewObjectWithPoints(int16_t type, int count) {
    RGBColor black;
    FloatRect bounds;
    Objex* o = CreateObject(type, 0, 1, &black, &black, 1.0f, 6, 0, &bounds, nullptr, nullptr, nullptr, nullptr,
                            TypeData{});
    for (int i = 0; o && i < count; ++i)
        if (Poinz* p = CreatePoint(1, 1, 0, 0, 0, 0, 10.0f * i, 0, 10.0f * (i / 2), 0, 0, 0, 0, 0, 0, o))
            AppendPointToObject(p, o);
    return o;
}

}  // namespace fuzz
