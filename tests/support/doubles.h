#pragma once
// Recording doubles of the platform services. Install one with the port's set function
// (port::setAlerts(&alerts)); a double that is still installed when it goes away puts the
// built-in service back.
#include "port/alerts.h"
#include "port/file_dialogs.h"
#include "port/folders.h"
#include "port/images.h"
#include "port/random.h"
#include "port/undo.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace dvxtest {

// For tests of the platform layer itself: every global reset before and after, no document.
class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Records every alert and answers with scripted button indices (0 once the script runs out),
// modal or as a sheet; a sheet's end handler is called before beginSheet returns.
class RecordingAlerts : public port::Alerts {
public:
    struct Shown {
        port::Alert alert;
        bool sheet = false;
        int answer = 0;
    };
    ~RecordingAlerts() override;

    void answer(int buttonIndex) { script_.push_back(buttonIndex); }

    int runModal(const port::Alert& alert) override;
    void beginSheet(const port::Alert& alert, std::function<void(int)> onEnd) override;

    std::vector<Shown> shown;

private:
    int nextAnswer();
    std::deque<int> script_;
};

// Answers each panel with the next scripted path ("" or an empty script cancels) and records
// what was asked.
class ScriptedFileDialogs : public port::FileDialogs {
public:
    ~ScriptedFileDialogs() override { if (&port::fileDialogs() == this) port::setFileDialogs(nullptr); }
    void choose(const std::string& path) { script_.push_back(path); }
    void beginOpenPanel(const port::FilePanel& p, std::function<void(const std::string&)> end) override { beginSavePanel(p, end); }
    void beginSavePanel(const port::FilePanel& p, std::function<void(const std::string&)> end) override {
        asked.push_back(p);
        const std::string path = script_.empty() ? std::string() : script_.front();
        if (!script_.empty()) script_.pop_front();
        if (end) end(path);
    }
    std::vector<port::FilePanel> asked;

private:
    std::deque<std::string> script_;
};

// Records action names and changes; the undo state is whatever the test sets.
class RecordingUndo : public port::DocumentUndo {
public:
    ~RecordingUndo() override;

    bool canUndo(const void*) override { return undoable; }
    bool canRedo(const void*) override { return redoable; }
    bool isUndoing(const void*) override { return undoing; }
    void setActionName(const void* model, const std::string& name) override;
    void markChanged(const void* model) override;

    bool undoable = false;
    bool redoable = false;
    bool undoing = false;

    std::vector<std::string> actionNames;
    int changes = 0;
    const void* lastModel = nullptr;
};

// Returns the given numbers in order, then the last one for ever (0 when given none).
class ScriptedRandom : public port::RandomSource {
public:
    explicit ScriptedRandom(std::vector<uint32_t> numbers) : numbers_(std::move(numbers)) {}
    ~ScriptedRandom() override;
    uint32_t next() override;

private:
    std::vector<uint32_t> numbers_;
    size_t pos_ = 0;
};

// Standard folders inside a test's own temporary folder, created on construction:
// root/"local" (the stock content), root/"user" (the user's) and root/"tmp" (mode 0700).
class TempFolders : public port::Folders {
public:
    explicit TempFolders(const std::string& root);
    ~TempFolders() override;

    std::string applicationSupport(port::Domain domain) override;
    std::string temporaryBase() override { return temp_; }

private:
    std::string local_, user_, temp_;
};

// Answers the images it was given by path; records every path asked for.
class FakeImageDecoder : public port::ImageDecoder {
public:
    ~FakeImageDecoder() override;
    void add(const std::string& path, port::DecodedImage image) { images_[path] = std::move(image); }
    bool decode(const std::string& path, port::DecodedImage& out) override;

    std::vector<std::string> requested;

private:
    std::map<std::string, port::DecodedImage> images_;
};

// Decodes binary PPM files ("P6", maxval 255) by their content, whatever their name, read
// through port::ReadWholeFile; anything else fails. Records every path asked for.
class PpmImageDecoder : public port::ImageDecoder {
public:
    ~PpmImageDecoder() override;
    bool decode(const std::string& path, port::DecodedImage& out) override;

    std::vector<std::string> requested;
};

// A width x height RGB image, bottom row first, whose pixel (x, y) is `colour(x, y)`.
port::DecodedImage RgbImage(int width, int height, uint32_t (*colour)(int x, int y));
// Writes an image (bottom row first) as a binary PPM file, making the folders on its way.
void WritePpm(const std::string& path, const port::DecodedImage& image);

} // namespace dvxtest
