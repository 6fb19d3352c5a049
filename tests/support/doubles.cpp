#include "support/doubles.h"

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

void RecordingUndo::removeAllActions(const void* model) {
    lastModel = model;
    ++removals;
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
      users_(port::JoinPath(root, "users")),
      temp_(port::JoinPath(root, "tmp")) {
    port::MakeFolder(root);
    for (const auto* dir : {&local_, &user_, &users_}) port::MakeFolder(*dir);
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

} // namespace dvxtest
