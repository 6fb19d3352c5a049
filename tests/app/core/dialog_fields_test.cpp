// What a user types into a sheet's fields, read back in the document's units, and the
// fields a mixed selection blanks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/dialog_fields.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/readouts.h"
#include "port/defaults.h"
#include "support/fixture.h"
#include "support/text_field_double.h"

namespace {

using dvxtest::RecordingTextField;

class DialogFieldsTest : public dvxtest::DocumentTest {
protected:
    DocState& ds() { return *doc->itsDocState; }
    float Length(const std::string& text) {
        RecordingTextField field(text);
        return GetFloatItem(&field);
    }
    float Angle(const std::string& text, bool degreesOnly = false) {
        RecordingTextField field(text);
        return GetFloatAngleItem(&field, degreesOnly);
    }
    float Pitch(const std::string& text) {
        RecordingTextField field(text);
        return GetFloatPitchItem(&field);
    }
};

TEST_F(DialogFieldsTest, ImperialLengthsReadFeetInchesAndFractions) {
    ASSERT_EQ(ds().units, kImperialUnits);
    ASSERT_EQ(ds().imperialReadout & kReadoutSixteenths, kReadoutSixteenths);  // no row moves
    const struct {
        const char* text;
        float inches;
    } rows[] = {
        {"12", 12},      {"1'", 12},       {"1 6", 18},   {"1' 6\"", 18}, {"6 1/2", 6.5f}, {"1 6 1/2", 18.5f},
        {"1/2", 0.5f},   {"1/2 6", 0},     {"-1 6", -18}, {"1-6", 18},    {"5 1/3", 5},    {"1' 6 1/2", 18.5f},
        {"1/2 6 1", 0},  {"1\" 6 1/2", 0}, {"", 0},       {"  ", 0},      {"abc", 0},      {"-1/2", -0.5f},
    };
    for (const auto& row : rows) EXPECT_FLOAT_EQ(Length(row.text), row.inches) << row.text;
    EXPECT_FLOAT_EQ(Length("6.3"), 6.3125f);  // to the nearest sixteenth

    EXPECT_FLOAT_EQ(TokenizeInches("6", "1/4"), 6.25f);
    EXPECT_FLOAT_EQ(TokenizeInches("6", "1/"), 6);
    EXPECT_FLOAT_EQ(TokenizeInches(nullptr, "1/2"), 0);
}

TEST_F(DialogFieldsTest, MetricLengthsReadUnitMarksAndTheSeparator) {
    ds().units = kMetricUnits;
    ds().metricReadout = 2;  // centimetres
    ASSERT_EQ(DecodeMetricReadoutFormat(), 1);
    const struct {
        const char* text;
        float inches;
    } rows[] = {
        {"250", 250 * 0.3937f}, {"2.5m", 2.5f * 39.37f}, {"25mm", 25 * 0.03937f}, {"25cm", 25 * 0.3937f},
        {"2.5M", 2.5f * 0.3937f}, {"3dm", 3 * 3.937f}, {"-2m", -2 * 39.37f}, {"2-5", 2 * 0.3937f},
    };
    for (const auto& row : rows) EXPECT_NEAR(Length(row.text), row.inches, 1e-4) << row.text;
    ds().metricReadout = 1;  // metres
    EXPECT_NEAR(Length("2"), 2 * 39.37f, 1e-4);

    EXPECT_NEAR(Length("2,5"), 2 * 39.37f, 1e-4);  // a comma ends the number where "." is the point
    port::MemoryDefaults comma;
    comma.setDecimalSeparator(',');
    port::setDefaults(&comma);
    EXPECT_NEAR(Length("2,5"), 2.5f * 39.37f, 1e-4);
    port::setDefaults(nullptr);
}

TEST_F(DialogFieldsTest, AnglesReadDegreesAndMinutesOnTheSideOfTheDegrees) {
    const struct {
        std::string text;
        bool degreesOnly;
        float degrees;
    } rows[] = {
        {"30 15", false, 30.25f},   {"30 75", false, 30},   {"30 15", true, 30},  {"30", false, 30},
        {"-30 15", false, -30.25f}, {"-0 30", false, -0.5f}, {"30\xBC" "15", false, 30.25f},
        {"30\xA1" "15", false, 30.25f}, {"30'15\"", false, 30.25f}, {"", false, 0}, {"30 15 59", false, 30.25f},
    };
    for (const auto& row : rows) EXPECT_FLOAT_EQ(Angle(row.text, row.degreesOnly), row.degrees) << row.text;
    EXPECT_EQ(GetFloatAngleItem(nullptr, false), 0);

    // Far past what a field holds: the first 254 characters are read and nothing more.
    std::string longText = "30 15";
    longText.append(249, ' ');
    EXPECT_FLOAT_EQ(Angle(longText + "99999"), 30.25f);
    EXPECT_FLOAT_EQ(Length(std::string(253, ' ') + "12345678"), 1);
}

TEST_F(DialogFieldsTest, PitchesReadInBothSystemsAndAnglesWriteTheirMark) {
    EXPECT_FLOAT_EQ(Pitch("6"), 6);
    EXPECT_FLOAT_EQ(Pitch("6 1/2"), 6.5f);
    EXPECT_FLOAT_EQ(Pitch(""), 0);
    ds().units = kMetricUnits;
    EXPECT_NEAR(Pitch("10"), 10 * 0.3937f * 3.048006f, 1e-5);

    RecordingTextField field;
    SetFloatAngleItem(&field, 45, false);
    ASSERT_FALSE(field.value.empty());
    EXPECT_EQ(field.value.back(), '\xBC');
    EXPECT_FLOAT_EQ(GetFloatAngleItem(&field, false), 45);
    SetFloatAngleItem(&field, 45, true);
    EXPECT_NE(field.value.back(), '\xBC');
    SetFloatPitchAngleItem(&field, 12);
    EXPECT_NEAR(GetFloatPitchAngleItem(&field), 12, 0.01);
}

TEST_F(DialogFieldsTest, MixedSelectionsBlankFieldsWhoseObjectsDisagree) {
    RecordingTextField length, whole;
    UpdatePropertiesFloat(&length, 10, true);
    UpdatePropertiesFloat(&length, 10.0004f, false);
    EXPECT_FLOAT_EQ(GetFloatItem(&length), 10);
    UpdatePropertiesFloat(&length, 11, false);
    EXPECT_EQ(length.value, "");
    UpdatePropertiesFloat(&length, 11, true);
    EXPECT_FLOAT_EQ(GetFloatItem(&length), 11);

    UpdatePropertiesLong(&whole, 7, true);
    UpdatePropertiesLong(&whole, 7, false);
    EXPECT_EQ(whole.value, "7");
    UpdatePropertiesLong(&whole, 8, false);
    EXPECT_EQ(whole.value, "");
    EXPECT_EQ(whole.writes, 3);

    RecordingTextField big("99999999999 apples");
    EXPECT_EQ(GetLongItem(&big), INT32_MAX);
    EXPECT_EQ(NormalizeInputToBounds(5, 1, 3), 3);
    EXPECT_EQ(NormalizeInputToBounds(-5, 1, 3), 1);

    const POINT corners[4] = {{3, 9}, {-2, 4}, {7, 1}, {0, 0}};
    const PlatformRect box = FindBoundingNSRectFromPoints(corners, 4);
    EXPECT_EQ((std::vector<float>{box.x, box.y, box.width, box.height}), (std::vector<float>{-2, 0, 9, 9}));
    EXPECT_EQ(FindBoundingNSRectFromPoints(corners, 3).width, 0);
}

}  // namespace
