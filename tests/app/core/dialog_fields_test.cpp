// What a user types into sheet fields, read back in the document's units, and the fields a
// mixed selection blanks.
#include <gtest/gtest.h>

#include <vector>

#include "app/core/dialog_fields.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/defaults.h"
#include "support/fixture.h"
#include "support/text_field_double.h"

namespace {

using Field = dvxtest::RecordingTextField;
using DialogFields = dvxtest::DocumentTest;

template <class Get>
float Read(Get get, std::string text) {
    Field field(std::move(text));
    return get(&field);
}

TEST_F(DialogFields, LengthsAnglesAndPitchesReadAsTyped) {
    DocState& ds = *doc->itsDocState;  // sixteenths: no imperial row moves when rounded
    ds.metricReadout = 2;              // centimetres
    const struct { int16_t units; const char* text; float inches; } rows[] = {
        {3, "12", 12}, {3, "1'", 12}, {3, "1 6", 18}, {3, "1' 6\"", 18}, {3, "6 1/2", 6.5f}, {3, "1 6 1/2", 18.5f},
        {3, "1/2", 0.5f}, {3, "1/2 6", 0}, {3, "-1 6", -18}, {3, "1-6", 18}, {3, "2'6", 30}, {3, "2'6 1/2\"", 30.5f}, {3, "5 1/3", 5}, {3, "1\" 6 1/2", 0},
        {3, "6.3", 6.3125f}, {3, "", 0}, {4, "250", 250 * 0.3937f}, {4, "2.5m", 2.5f * 39.37f},
        {4, "25mm", 25 * 0.03937f}, {4, "2.5M", 2.5f * 0.3937f}, {4, "3dm", 3 * 3.937f}, {4, "2,5", 2 * 0.3937f},
    };
    for (const auto& row : rows) {
        ds.units = row.units;
        EXPECT_NEAR(Read(GetFloatItem, row.text), row.inches, 1e-4) << row.text;
    }
    port::MemoryDefaults comma;
    comma.setDecimalSeparator(',');
    port::setDefaults(&comma);
    EXPECT_NEAR(Read(GetFloatItem, "2,5"), 2.5f * 0.3937f, 1e-4);
    port::setDefaults(nullptr);
    // Far past what a field holds: the first 254 characters are read and nothing more.
    EXPECT_NEAR(Read(GetFloatItem, std::string(253, ' ') + "12345678"), 0.3937f, 1e-5);

    const struct { std::string text; bool degreesOnly; float degrees; } angles[] = {
        {"30 15", false, 30.25f}, {"30 75", false, 30}, {"30 15", true, 30}, {"30", false, 30},
        {"-30 15", false, -30.25f}, {"30\xBC" "15", false, 30.25f}, {"30\xA1" "15", false, 30.25f},
        {"30 15" + std::string(249, ' ') + "99", false, 30.25f},
    };
    for (const auto& row : angles)
        EXPECT_FLOAT_EQ(Read([&](Field* f) { return GetFloatAngleItem(f, row.degreesOnly); }, row.text), row.degrees);

    EXPECT_NEAR(Read(GetFloatPitchItem, "10"), 10 * 0.3937f * 3.048006f, 1e-5);  // metric
    ds.units = kImperialUnits;
    EXPECT_FLOAT_EQ(Read(GetFloatPitchItem, "6 1/2"), 6.5f);
}

TEST_F(DialogFields, MixedSelectionsBlankFieldsWhoseObjectsDisagree) {
    Field length, whole;
    UpdatePropertiesFloat(&length, 10, true);
    UpdatePropertiesFloat(&length, 10.0004f, false);
    EXPECT_FLOAT_EQ(GetFloatItem(&length), 10);
    UpdatePropertiesFloat(&length, 11, false);
    EXPECT_EQ(length.value, "");
    UpdatePropertiesFloat(&length, 11, true);  // the first object always writes
    EXPECT_FLOAT_EQ(GetFloatItem(&length), 11);

    for (int32_t n : {7, 7, 8}) UpdatePropertiesLong(&whole, n, whole.writes == 0);
    EXPECT_EQ(whole.value, "");
    EXPECT_EQ(whole.writes, 3);

    // Objects that all hold one value show it, though the imperial readout rounds it (a length
    // and a pitch to a sixteenth, an angle to its minute); once blank a field stays blank.
    doc->itsDocState->units = kImperialUnits;
    using Merge = void (*)(port::TextField*, float, bool);
    const Merge byLength = UpdatePropertiesFloat, byPitch = UpdatePropertiesFloatPitch;
    const Merge byAngle = [](port::TextField* f, float v, bool first) { UpdatePropertiesFloatAngle(f, v, false, first); };
    const Merge byWhole = [](port::TextField* f, float v, bool first) { UpdatePropertiesLong(f, int32_t(v), first); };
    const struct { Merge merge; std::vector<float> values; bool blank; } rows[] = {
        {byLength, {23.622f, 23.622f, 23.622f}, false}, {byLength, {23.622f, 20}, true}, {byPitch, {5.11f, 5.11f}, false},
        {byAngle, {30.123f, 30.123f}, false},           {byWhole, {7, 8, 0}, true},
    };
    for (const auto& row : rows) {
        Field field;
        for (size_t i = 0; i < row.values.size(); ++i) row.merge(&field, row.values[i], i == 0);
        EXPECT_EQ(field.value.empty(), row.blank) << &row - rows << " " << field.value;
    }
}

}  // namespace
