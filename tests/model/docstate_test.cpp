// The settings table against the record, the dimension flag word and the toolset masks.
#include <gtest/gtest.h>

#include <cstring>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/preferences.h"
#include "port/defaults.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

size_t SizeOf(const DocStateField& f) {
    switch (f.type) {
    case DocFieldType::U8: return 1;
    case DocFieldType::I16: case DocFieldType::U16: return 2;
    case DocFieldType::I32: case DocFieldType::U32: case DocFieldType::F32: return 4;
    case DocFieldType::FloatPoint: return sizeof(FloatPoint);
    case DocFieldType::Float3DPoint: return sizeof(Float3DPoint);
    case DocFieldType::FloatRect: return sizeof(FloatRect);
    case DocFieldType::ShortPoint: return sizeof(ShortPoint);
    case DocFieldType::RGBColor: return sizeof(RGBColor);
    case DocFieldType::LogFont: return sizeof(LOGFONT);
    case DocFieldType::Chars: return f.count;
    case DocFieldType::SelectionState: return sizeof(SelectionState);
    case DocFieldType::SelectionState40: return sizeof(SelectionState40);
    case DocFieldType::I32Array: return 4u * f.count;
    }
    return 0;
}

TEST(DocStateTable, CoversTheRecordInOrderWithoutOverlap) {
    auto fields = DocStateFields();
    ASSERT_EQ(fields.size(), 321u);
    size_t end = 0;
    for (const DocStateField& f : fields) {
        EXPECT_GE(f.offset, end) << f.number << " " << f.name;
        // Nothing but alignment padding between fields.
        EXPECT_LT(f.offset - end, 4u) << f.number << " " << f.name;
        end = f.offset + SizeOf(f);
        EXPECT_LE(end, sizeof(DocState)) << f.name;
    }
    EXPECT_LT(sizeof(DocState) - end, 4u);
    // The record keeps the in-memory size its files' length field names.
    EXPECT_EQ(sizeof(DocState), 3732u);
    ASSERT_NE(FindDocStateField("nextObjectID"), nullptr);
    EXPECT_EQ(FindDocStateField("planMasks")->element, 0);
    EXPECT_EQ(FindDocStateField("no such field"), nullptr);
}

class DocStateTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }
};

TEST_F(DocStateTest, ArrowBitsOnlyForKnownStyles) {
    const int32_t keep = 0x80000 | (1 << 10) | (1 << 14);
    for (int16_t id : {5085, 5093, 0, -1}) {
        ds()->dimensionFlags = keep | 0x7F;
        ds()->arrowStyleID = id;
        SetDocStateDimensionArrowFlags(ds());
        EXPECT_EQ(ds()->dimensionFlags, keep) << id;
    }
    for (int16_t id = 5086; id <= 5092; ++id) {
        ds()->dimensionFlags = keep | 0x7F;
        ds()->arrowStyleID = id;
        SetDocStateDimensionArrowFlags(ds());
        EXPECT_EQ(ds()->dimensionFlags, keep | (1 << (id - 5086))) << id;
    }
}

TEST_F(DocStateTest, ToleranceAndReadoutBits) {
    const int32_t tolerance = 0x7 << 9;
    for (int16_t id : {5053, 5057, 5052, 0}) {
        ds()->dimensionFlags = 0x8 | tolerance;
        ds()->toleranceID = id;
        SetDocStateDimensionToleranceFlags(ds());
        EXPECT_EQ(ds()->dimensionFlags, 0x8) << id;
    }
    ds()->toleranceID = 5054;
    SetDocStateDimensionToleranceFlags(ds());
    EXPECT_EQ(ds()->dimensionFlags, 0x8 | (1 << 9));
    ds()->toleranceID = 5056;
    SetDocStateDimensionToleranceFlags(ds());
    EXPECT_EQ(ds()->dimensionFlags, 0x8 | (1 << 11));

    ds()->dimensionFlags = 0x7F << 12;
    ds()->readoutStyleID = 5058;
    SetDocStateDimensionReadoutFlags(ds());
    EXPECT_EQ(ds()->dimensionFlags, 1 << 12);
    ds()->readoutStyleID = 5065;
    SetDocStateDimensionReadoutFlags(ds());
    EXPECT_EQ(ds()->dimensionFlags, 0);
}

TEST_F(DocStateTest, DimensionObjectFlagWord) {
    Objex* dim = Make(objtype::kLengthDimension);
    DimensionArrowFlag(dim, 5090);  // no record: nothing
    Make(dim).with(new DimensionRecord{});
    dim->typeData.dimension->flags = (1 << 7) | 0x1;
    DimensionArrowFlag(dim, 5090);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4));
    DimensionToleranceFlag(dim, 5055);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4) | (1 << 10));
    DimensionToleranceFlag(dim, 5053);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4));

    QMDDocumentModel* keep = gCurDocument;
    gCurDocument = nullptr;  // the tolerance form needs a document
    DimensionToleranceFlag(dim, 5056);
    EXPECT_EQ(dim->typeData.dimension->flags, (1 << 7) | (1 << 4));
    gCurDocument = keep;
    DeleteObj(dim);
}

TEST_F(DocStateTest, ToolsetOptionsOnlyAddPlanBits) {
    int32_t before[9];
    std::memcpy(before, ds()->planMasks, sizeof before);

    gToolsetOptions = 6911;
    InitializeVisiblePlansFromToolsetOptions();
    EXPECT_EQ(std::memcmp(before, ds()->planMasks, sizeof before), 0);

    gToolsetOptions = 6911 & ~(0x8 | 0x200 | 0x800);
    InitializeVisiblePlansFromToolsetOptions();
    for (int i = 0; i < 9; ++i) EXPECT_EQ(ds()->planMasks[i], before[i] | 0xE0) << i;

    std::memcpy(ds()->planMasks, before, sizeof before);
    gToolsetOptions = 6911 & ~0x200;
    InitializeVisiblePlansFromToolsetOptions();
    EXPECT_EQ(ds()->planMasks[0], 0x101 | 0x80);
    EXPECT_EQ(ds()->planMasks[1], 0x1FF);
}

TEST_F(DocStateTest, MetricSwitchNeedsARecordAndADocument) {
    SetDocStateMetricDefaults(nullptr);
    QMDDocumentModel* keep = gCurDocument;
    gCurDocument = nullptr;
    SetDocStateMetricDefaults(ds());
    EXPECT_FLOAT_EQ(ds()->wallHeight, 96.0f);
    gCurDocument = keep;
    InitializeDocState(nullptr);
}

TEST_F(DocStateTest, ReadoutsAndUnitsComeFromPreferences) {
    port::defaults().setInt("UseImperialSystemKey", 4);
    port::defaults().setInt("ImperialReadoutKey", 7);
    port::defaults().setInt("MetricReadoutKey", 3);
    port::defaults().setInt("AngleReadoutKey", 1);
    LoadModelPreferences();
    DocState* fresh = CreateDocState();
    EXPECT_EQ(fresh->units, kMetricUnits);
    EXPECT_EQ(fresh->imperialReadout, 7);
    EXPECT_EQ(fresh->metricReadout, 3);
    EXPECT_EQ(fresh->angleReadout, 1);
    // A settings record alone never switches to metric values.
    EXPECT_FLOAT_EQ(fresh->wallHeight, 96.0f);
    DeleteDocState(fresh);
}

}  // namespace
