#include "support/doubles.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "port/files.h"
#include "support/fixture.h"

namespace dvxtest {

void ServicesTest::SetUp() { ResetAllGlobals(); }
void ServicesTest::TearDown() { ResetAllGlobals(); }

RecordingAlerts::~RecordingAlerts() {
    if (&port::alerts() == this) port::setAlerts(nullptr);
}

int RecordingAlerts::nextAnswer() {
    if (script_.empty()) return 0;
    const int a = script_.front();
    script_.pop_front();
    return a;
}

int RecordingAlerts::runModal(const port::Alert& alert) {
    shown.push_back({alert, false, nextAnswer()});
    return shown.back().answer;
}

void RecordingAlerts::beginSheet(const port::Alert& alert, std::function<void(int)> onEnd) {
    shown.push_back({alert, true, nextAnswer()});
    const int a = shown.back().answer;
    if (onEnd) onEnd(a);
}

RecordingUndo::~RecordingUndo() {
    if (&port::documentUndo() == this) port::setDocumentUndo(nullptr);
}

void RecordingUndo::setActionName(const void* model, const std::string& name) {
    lastModel = model;
    actionNames.push_back(name);
}

void RecordingUndo::markChanged(const void* model) {
    lastModel = model;
    ++changes;
}

ScriptedRandom::~ScriptedRandom() {
    if (port::randomSource() == this) port::setRandomSource(nullptr);
}

uint32_t ScriptedRandom::next() {
    if (numbers_.empty()) return 0;
    const uint32_t n = numbers_[pos_];
    if (pos_ + 1 < numbers_.size()) ++pos_;
    return n;
}

TempFolders::TempFolders(const std::string& root)
    : local_(port::JoinPath(root, "local")),
      user_(port::JoinPath(root, "user")),
      temp_(port::JoinPath(root, "tmp")) {
    port::MakeFolder(root);
    for (const auto* dir : {&local_, &user_}) port::MakeFolder(*dir);
    port::MakePrivateFolder(temp_);
}

TempFolders::~TempFolders() {
    if (&port::folders() == this) port::setFolders(nullptr);
}

std::string TempFolders::applicationSupport(port::Domain domain) {
    return domain == port::Domain::Local ? local_ : user_;
}

FakeImageDecoder::~FakeImageDecoder() {
    if (&port::imageDecoder() == this) port::setImageDecoder(nullptr);
}

bool FakeImageDecoder::decode(const std::string& path, port::DecodedImage& out) {
    requested.push_back(path);
    auto it = images_.find(path);
    if (it == images_.end()) {
        out = port::DecodedImage{};
        return false;
    }
    out = it->second;
    return true;
}

PpmImageDecoder::~PpmImageDecoder() {
    if (&port::imageDecoder() == this) port::setImageDecoder(nullptr);
}

bool PpmImageDecoder::decode(const std::string& path, port::DecodedImage& out) {
    requested.push_back(path);
    out = port::DecodedImage{};
    std::vector<uint8_t> bytes;
    if (!port::ReadWholeFile(path, bytes)) return false;
    bytes.push_back(0);
    int width = 0, height = 0, maxval = 0, header = 0;
    if (std::sscanf(reinterpret_cast<const char*>(bytes.data()), "P6 %d %d %d%n", &width, &height, &maxval, &header) != 3 ||
        maxval != 255 || width < 1 || height < 1)
        return false;
    const size_t row = size_t(width) * 3, start = size_t(header) + 1;
    if (bytes.size() - 1 < start + row * size_t(height)) return false;
    out.rgb.resize(row * size_t(height));
    for (int y = 0; y < height; ++y)  // the file's rows run top down
        std::copy_n(&bytes[start + size_t(y) * row], row, &out.rgb[size_t(height - 1 - y) * row]);
    out.width = width, out.height = height;
    return true;
}

port::DecodedImage RgbImage(int width, int height, uint32_t (*colour)(int x, int y)) {
    port::DecodedImage image{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            uint8_t* p = &image.rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
            p[0] = uint8_t(c >> 16), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c);
        }
    return image;
}

void WritePpm(const std::string& path, const port::DecodedImage& image) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::string bytes = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    const size_t row = size_t(image.width) * 3;
    for (int y = image.height - 1; y >= 0; --y)
        bytes.append(reinterpret_cast<const char*>(&image.rgb[size_t(y) * row]), row);
    ASSERT_TRUE(port::WriteWholeFile(path, bytes.data(), bytes.size(), port::Durability::Scratch)) << path;
}

} // namespace dvxtest
