// Every prefix of sound design, topography and cabinet files reads without a crash, an
// overrun or an endless loop; a design file cut anywhere is never taken for a clean load.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "files/cabinet_files.h"
#include "files/design_file.h"
#include "support/records.h"
#include "files/object_records.h"
#include "files/topography.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "scene/topo_grid.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class FilePrefixesTest : public FileTest {
protected:
    FilePrefixesTest() : FileTest("prefixes") {}
    // Plain writes: the prefixes are many and need not reach the disk.
    std::string Prefix(const std::vector<uint8_t>& bytes, size_t length) const {
        const std::string path = dir + "/prefix";
        FILE* f = std::fopen(path.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f) {
            if (length) std::fwrite(bytes.data(), 1, length, f);
            std::fclose(f);
        }
        return path;
    }
    void ExpectEveryPrefixOfADesignIsReported(const std::vector<uint8_t>& file) {
        for (size_t length = 0; length < file.size(); ++length) {
            const int result = KeyFileRead(Prefix(file, length).c_str());
            ASSERT_NE(result, 1) << "cut at " << length;
            ASSERT_NE(doc->itsDocState, nullptr);
        }
        EXPECT_EQ(KeyFileRead(Prefix(file, file.size()).c_str()), 1);
    }
};

TEST_F(FilePrefixesTest, DesignFiles) {
    Layer* first = GetLayerFromName("First Floor");
    Objex* wall = TrimmedWall(first, 3);
    Opening(wall, objtype::kDoor, 500, 0);
    Objex* group = Make(objtype::kGroup).on(first);
    for (int i = 0; i < 2; ++i) {
        Objex* part = Make(9).line(3);
        part->layer = first;
        Make(part).in(group);
    }
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(first).with(new CabinetState{});
    Objex* part = Make(objtype::kCabinetPart).line(4);
    part->layer = first;
    Make(part).in(cabinet);
    std::strcpy(AddLiveViewsListEntry()->name, "View");
    StorePlugInData(new char[3]{1, 2, 3}, 3, 5);
    const std::string path = dir + "/whole.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);
    ExpectEveryPrefixOfADesignIsReported(ReadWholeFile(path));

    DesignBytes old(10450);
    old.layer("First Floor").object(9, 3).object(1000, 0).tag(202).object(9, 3).tag(203);
    old.layer("Second Floor").layer("Third Floor").tag(400);
    ExpectEveryPrefixOfADesignIsReported(old.data());
}

TEST_F(FilePrefixesTest, TopographyAndCabinetFiles) {
    Bytes topo;
    topo.i32(9000).f32(72.0f).f32(100.0f).f32(100.0f).i16(1).f32(0).f32(144.0f).f32(0).f32(144.0f).i32(2).i32(2);
    for (int i = 0; i < 9; ++i) topo.f32(static_cast<float>(i));
    topo.raw(std::vector<uint8_t>{0x5C, 0x2B, 0x00, 0x00});
    DesignBytes objects(11100);
    topo.raw(objects.layer("Terrain").object(objtype::kTopography, 4, 7).object(9, 3, 8).tag(400).records());
    const std::vector<uint8_t> topoFile = topo.data();
    for (size_t length = 0; length <= topoFile.size(); ++length) {
        ReadTopoGridFile(Prefix(topoFile, length).c_str());
        ASSERT_EQ(gTopographyGrid.size(), static_cast<size_t>(gTopoRowCnt + 1) * static_cast<size_t>(gTopoColumnCnt + 1))
            << "cut at " << length;
    }
    EXPECT_EQ(gTopoRowCnt, 2);
    ASSERT_NE(doc->itsTopoLayer, nullptr);
    EXPECT_EQ(CountObjects(doc->itsTopoLayer->firstObject), 1);

    Layer* layer = doc->itsCurLayer;
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(layer).with(new CabinetState{});
    for (int i = 0; i < 2; ++i) {
        Objex* part = Make(objtype::kCabinetPart).line(4);
        part->layer = layer;
        for (Poinz* p = part->firstPoint; p; p = p->next) p->selected = 1;
        Make(part).in(cabinet);
    }
    const std::string path = dir + "/whole.cab";
    ASSERT_EQ(CabinetFileWrite(path.c_str()), 1);
    const std::vector<uint8_t> cabinetFile = ReadWholeFile(path);
    for (size_t length = 0; length <= cabinetFile.size(); ++length) {
        CabinetState* state = nullptr;
        CabinetFileRead(Prefix(cabinetFile, length).c_str(), &state);
        delete state;
        // Parts read from a longer prefix are dropped, so the reads do not pile up.
        while (layer->firstObject && layer->firstObject != cabinet) DeleteObj(layer->firstObject);
        while (cabinet->next) DeleteObj(cabinet->next);
        ASSERT_EQ(gOpenSymbol, 0);
        ASSERT_EQ(gCabinetOpen, 0);
    }
}

}  // namespace
