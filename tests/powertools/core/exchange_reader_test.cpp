// The exchange file read back: a whole file into the design (written again, it gives the same
// bytes), and a tool's result merged into the design: new objects, replacements by ID, groups,
// data blocks, the fix-ups old records need, and damaged results.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/palettes.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/tool_defaults.h"
#include "port/files.h"
#include "powertools/core/exchange_file_reader.h"
#include "powertools/core/exchange_writer.h"
#include "powertools/core/result_merge.h"
#include "render/core/custom_textures.h"
#include "design_generator.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "support/result_builder.h"

using namespace dvxtest;

namespace {

constexpr int32_t kTool = 120;
const int32_t kVersions[] = {11000, 10000, 9000, 8000, 7500, 5000};

class ExchangeReadTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dir = FreshTempFolder("exchange-read");
        path = port::JoinPath(dir, "data.pxf");
        port::setAlerts(&alerts);
    }
    std::vector<uint8_t> Write(int32_t version) {
        EXPECT_EQ(PlugInFileWrite(path.c_str(), kTool, 0, version), 1);
        return ReadWholeFile(path);
    }
    int Merge(const ResultBuilder& result) { return PlugOutFileRead(result.save(path).c_str()); }
    Layer* Floor(int i) {
        Layer* l = doc->itsLayers;
        while (i-- > 0 && l) l = l->next;
        return l;
    }
    static int Count(Layer* l) {
        int n = 0;
        for (Objex* o = l ? l->firstObject : nullptr; o; o = o->next) ++n;
        return n;
    }
    DocState* ds() { return doc->itsDocState; }

    std::string dir, path;
    RecordingAlerts alerts;
};

// The first byte where two files part, for a readable failure.
size_t FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}

// Read back at every version, the generated house and lot (walls with openings and trims,
// roofs, decks with steps, text, cabinets, nested groups, plants) with a saved view and a
// palette entry written again give the file's own bytes: every field a version carries came
// back where it belongs.
TEST_F(ExchangeReadTest, EveryVersionReadsBackToTheSameFile) {
    Objex* wall = TrimmedWall(doc->itsLayers, 4);
    Opening(wall, objtype::kDoor, 500, 1);
    AttachmentRecord* custom = Opening(wall, objtype::kWindow, 626, 2)->typeData.attachment;
    AppendObjectToList(custom->customParts[0], Part(objtype::kOpeningMask));
    AppendObjectToList(custom->customParts[1], Part(objtype::kWindowSeparator));
    AppendObjectToList(custom->customParts[2], Part(objtype::kDoorHardware));
    custom->insideCustomTrim = 1;
    custom->insideTrimProfile = Part(objtype::kPolygon);
    wall->firstPoint->trim1->slot[1] = TrimRecord::kCustomProfile;
    wall->firstPoint->trim1->profile[1] = Part(objtype::kPolygon);
    RoofWithSkylight(Floor(1), 1);
    dvxbench::GenerateDesign({1500, 3});
    LiveViewsList* view = AddLiveViewsListEntry();
    std::strcpy(view->name, "Porch");
    view->cameraHeading = 45;
    view->sunAngle = 120;
    PaletteList* entry = GetPaletteEntryFromRefID(3);
    entry->kind = kPaletteColor;
    entry->color[0] = 10;
    StorePlugInData(CopyString("tool state"), 11, kTool);
    for (int32_t v : kVersions) {
        // A first reading fills what reading computes (texture mapping, old fences' defaults).
        Write(v);
        ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1) << v;
        const std::vector<uint8_t> first = Write(v);
        ASSERT_EQ(PlugInFileRead(path.c_str(), kTool), 1) << v;
        const std::vector<uint8_t> again = Write(v);
        EXPECT_GT(Count(Floor(0)), 100) << v;
        EXPECT_EQ(again.size(), first.size()) << v;
        const size_t at = FirstDifference(first, again);
        EXPECT_EQ(at, first.size()) << v;
        if (at < first.size()) {
            std::string a, b;
            for (size_t i = at > 24 ? at - 24 : 0; i < at + 24 && i < first.size(); ++i) {
                a += std::to_string(first[i]) + (i == at ? "* " : " ");
                b += std::to_string(again[i]) + (i == at ? "* " : " ");
            }
            ADD_FAILURE() << a << "\n" << b;
        }
    }
    ASSERT_TRUE(GetPlugInData(kTool));
    EXPECT_EQ(std::string(GetPlugInData(kTool)->data, 10), "tool state");
}

}  // namespace
