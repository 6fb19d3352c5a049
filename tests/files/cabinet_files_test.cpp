// Cabinet state records and cabinet files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/cabinet_files.h"
#include "files/design_file.h"
#include "support/records.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class CabinetFilesTest : public FileTest {
protected:
    CabinetFilesTest() : FileTest("cabinet") {}

    // Every field a distinct value.
    static CabinetState Numbered() {
        CabinetState s;
        s.f1 = 1.25f;
        s.f2 = -2;
        for (int i = 0; i < 15; ++i) s.f3to17[i] = 3.0f + static_cast<float>(i);
        s.f18 = 18;
        for (int i = 0; i < 3; ++i) s.f19to21[i] = 19.0f + static_cast<float>(i);
        s.f22 = 22;
        for (int i = 0; i < 4; ++i) s.f23to26[i] = 23.0f + static_cast<float>(i);
        s.f27 = 27;
        s.f28to29[0] = 28.0f;
        s.f28to29[1] = 29.0f;
        s.f30 = 30;
        for (int i = 0; i < 6; ++i) s.f31to36[i] = 31.0f + static_cast<float>(i);
        s.f37 = 37;
        s.f38 = 38.5f;
        s.f39 = -39;
        s.f40 = 40.5f;
        s.elevation = 41.5f;
        return s;
    }
    // A selected cabinet group on the current layer with two parts at the given elevation.
    Objex* Assembly(float elevation) {
        Objex* group = Make(objtype::kGroup, objsubtype::kCabinetGroup).on(current());
        Make(group).with(new CabinetState(Numbered()));
        group->elevation = elevation;
        for (int i = 0; i < 2; ++i) {
            Objex* part = Make(objtype::kCabinetPart).line(4);
            PointAt(part, 2)->position[2] = 10.0f;
            part->closed = 1;
            part->elevation = 36.0f;
            part->layer = current();
            Make(part).in(group);
            for (Poinz* p = part->firstPoint; p; p = p->next) p->selected = 1;
        }
        return group;
    }
};

TEST_F(CabinetFilesTest, TheStateRecordKeepsAllFortyOneFields) {
    const CabinetState s = Numbered();
    const std::vector<uint8_t> bytes = Written([&] { DoWriteCabinetState(&s); });
    ASSERT_EQ(bytes.size(), 162u);
    // The length says 164; the record is little-endian with two pad bytes.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{0, 0, 0, 0xA4}));
    const uint8_t* r = bytes.data() + 4;
    EXPECT_EQ(r[4], 0xFE);  // field 2, -2
    EXPECT_EQ(r[68], 18);
    EXPECT_EQ(r[69], 0);
    EXPECT_EQ(r[82], 22);
    EXPECT_EQ(r[102], 27);
    EXPECT_EQ(r[103], 0);
    EXPECT_EQ(r[112], 30);
    EXPECT_EQ(r[140], 37);
    EXPECT_EQ(r[148], 0xD9);  // field 39, -39
    EXPECT_EQ(r[149], 0xFF);
    float elevation;
    std::memcpy(&elevation, r + 154, 4);
    EXPECT_EQ(elevation, 41.5f);

    OpenInputBytes(bytes);
    CabinetState* back = DoReadCabinetState();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Written([&] { DoWriteCabinetState(back); }), bytes);
    EXPECT_EQ(back->f3to17[14], 17.0f);
    EXPECT_EQ(back->f31to36[5], 36.0f);
    EXPECT_EQ(back->f39, -39);
    delete back;

    // A record cut short gives no state.
    std::vector<uint8_t> shortRecord(bytes.begin(), bytes.end() - 1);
    OpenInputBytes(shortRecord);
    EXPECT_EQ(DoReadCabinetState(), nullptr);
}

TEST_F(CabinetFilesTest, WriteThenReadAnAssembly) {
    Objex* group = Assembly(12.0f);
    const std::string path = dir + "/c.cab";
    ASSERT_EQ(CabinetFileWrite(path.c_str()), 1);
    EXPECT_EQ(gFileWriteFailed, 0);
    const std::vector<uint8_t> file = ReadWholeFile(path);
    ASSERT_GT(file.size(), 170u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 6), (std::vector<uint8_t>{0, 0, 0x2A, 0xF8, 0, 2}));
    EXPECT_EQ(file[168], 0);
    EXPECT_EQ(file[169], 200);

    DeleteObj(group);
    CabinetState* state = nullptr;
    ASSERT_EQ(CabinetFileRead(path.c_str(), &state), 1);
    ASSERT_NE(state, nullptr);
    CabinetState expected = Numbered();
    expected.elevation = 12.0f;
    EXPECT_EQ(Written([&] { ApplePortWritePaddedCabinetState(state); }),
              Written([&] { ApplePortWritePaddedCabinetState(&expected); }));
    delete state;

    // The parts land on the current layer, selected, their elevation folded into V:
    // 36 inches at the default scale of 36 are 72 plan units.
    ASSERT_EQ(CountObjects(current()->firstObject), 2);
    for (Objex* part = current()->firstObject; part; part = part->next) {
        EXPECT_EQ(part->type, objtype::kCabinetPart);
        EXPECT_EQ(part->elevation, 0.0f);
        EXPECT_EQ(part->pointCount, 4);
        EXPECT_EQ(part->firstPoint->position[1], -72.0f);
        EXPECT_EQ(part->firstPoint->selected, 1);
    }
    EXPECT_EQ(gOpenSymbol, 0);
    EXPECT_EQ(gCabinetOpen, 0);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(CabinetFilesTest, RefusedFilesAndNothingToWrite) {
    Bytes old;
    old.i32(10400).i16(2).i32(164).zeros(158).i16(400);
    const std::string path = Write(old.data(), "c.cab");
    CabinetState* state = reinterpret_cast<CabinetState*>(1);
    EXPECT_EQ(CabinetFileRead(path.c_str(), &state), 0);
    EXPECT_EQ(state, nullptr);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to load the cabinet file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "Please ensure the file is not damaged and was not created by a newer version of Kesto! Mirabec.");
    EXPECT_EQ(current()->firstObject, nullptr);

    // A file cut inside its state record is refused the same way.
    Bytes cut;
    cut.i32(11000).i16(2).i32(164).zeros(100);
    Write(cut.data(), "c.cab");
    EXPECT_EQ(CabinetFileRead(path.c_str(), &state), 0);
    EXPECT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(CabinetFileRead((dir + "/none.cab").c_str(), &state), 0);
    EXPECT_EQ(alerts.shown.size(), 2u);

    // Nothing selected: nothing written, no word.
    Objex* group = Assembly(0.0f);
    for (Objex* c = group->firstChild; c; c = c->next)
        for (Poinz* p = c->firstPoint; p; p = p->next) p->selected = 0;
    EXPECT_EQ(CabinetFileWrite((dir + "/out.cab").c_str()), 0);
    EXPECT_EQ(gFileWriteFailed, 1);
    EXPECT_EQ(alerts.shown.size(), 2u);
}

TEST_F(CabinetFilesTest, ElevationsFoldIntoThePoints) {
    Objex* group = Assembly(0.0f);
    Objex* unselected = group->firstChild->next;
    for (Poinz* p = unselected->firstPoint; p; p = p->next) p->selected = 0;
    doc->itsDocState->planScale = 72.0f;
    AdjustTheCabinetObjectElevation(group);
    // 36 inches at 72 inches to the paper inch are 36 plan units.
    EXPECT_EQ(group->firstChild->firstPoint->position[1], -36.0f);
    EXPECT_EQ(group->firstChild->elevation, 0.0f);
    EXPECT_EQ(unselected->firstPoint->position[1], 0.0f);
    EXPECT_EQ(unselected->elevation, 36.0f);

    Objex* part = Make(objtype::kCabinetPart).on(current()).line(2);
    part->elevation = -18.0f;
    AdjustTheCabinetObjectElevation(part);
    EXPECT_EQ(part->firstPoint->position[1], 18.0f);
    EXPECT_EQ(part->elevation, 0.0f);
}

}  // namespace
