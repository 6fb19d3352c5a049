#pragma once
// Helpers of the design file, snapshot, topography and cabinet tests: design files of any
// version assembled field by field, plain object records in each version's layout, and
// whole files on disk.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "files/record_fixtures.h"
#include "support/doubles.h"
#include "support/fixture.h"

struct DocState;

namespace dvxtest {

// A design file being assembled: header and settings block on construction, then layers,
// object records, tags and the sections after the objects.
class DesignBytes {
public:
    // `edit` changes the settings record (created with its defaults) before it is stored.
    explicit DesignBytes(int32_t version, const std::function<void(DocState*)>& edit = {});

    DesignBytes& layer(const std::string& name, uint8_t visible = 1, uint8_t active = 1, float height = 96.0f);
    // A closed object whose points lie at (x + 10 i, 0, 5 i); `id` and the point IDs from
    // `id` * 100 on are stored from 10500 on. Groups (1000) carry `groupKind` from 10700 on.
    DesignBytes& object(int16_t type, int points, uint32_t id = 0, float x = 0.0f, int32_t groupKind = 0);
    DesignBytes& tag(int16_t tag);
    // The three floors, each with one triangle, and tag 400.
    DesignBytes& floorsAndEnd();
    Bytes& raw() { return bytes; }
    const std::vector<uint8_t>& data() const { return bytes.data(); }
    // What follows the header and settings block: layers, records and tags.
    std::vector<uint8_t> records() const;

    int32_t version;

private:
    Bytes bytes;
    size_t head = 0;
};

// The settings block (length field and record) of a file version.
std::vector<uint8_t> SettingsBlock(int32_t version, const std::function<void(DocState*)>& edit = {});

std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Objects of a list and of their descendants.
int CountTree(const Objex* head);

// A document test with a fresh folder for its files and alerts recorded while it runs.
class FileTest : public DocumentTest {
protected:
    explicit FileTest(std::string folder) : folderName(std::move(folder)) {}
    void SetUp() override;
    void TearDown() override;
    // Writes the bytes to `name` in the folder; the path.
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "file");
    Layer* current();
    void ClearCurrentLayer();

    std::string folderName;
    std::string dir;
    RecordingAlerts alerts;
};

}  // namespace dvxtest
