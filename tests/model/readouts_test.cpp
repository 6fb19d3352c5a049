// Length, angle and pitch readouts, the fraction step, snapping and clamping, unit conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/readouts.h"
#include "model/units.h"
#include "port/defaults.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class ReadoutsTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }

    static std::string Imperial(float inches, int16_t code) {
        char text[kReadoutSize];
        ConvertInchesToImperialStr(inches, text, code);
        return text;
    }
    static std::string Metric(float inches, int16_t code) {
        char text[kReadoutSize];
        ConvertInchesToMetricStr(inches, text, code);
        return text;
    }
    static std::string Length(float inches) {
        char text[kReadoutSize] = "untouched";
        ConvertInchesToStr(inches, text);
        return text;
    }
};

TEST_F(ReadoutsTest, EveryImperialCodeFor100Point3AndMinus0Point3) {
    const char* const positive[18] = {
        "8'-4\"",      "8'-4 1/2\"",  "8'-4 1/4\"",   "8'-4 1/4\"",   "8'-4 5/16\"", "100\"",
        "100 1/2\"",   "100 1/4\"",   "100 1/4\"",    "100 5/16\"",   "8'-4.5\"",    "8'-4.25\"",
        "8'-4.25\"",   "8'-4.3125\"", "100.5\"",      "100.25\"",     "100.25\"",    "100.3125\""};
    const char* const negative[18] = {
        "0\"",     "-1/2\"",  "-1/4\"",  "-1/4\"",  "-5/16\"",   "0\"",    "-1/2\"",  "-1/4\"",  "-1/4\"",
        "-5/16\"", "-0.5\"",  "-0.25\"", "-0.25\"", "-0.3125\"", "-0.5\"", "-0.25\"", "-0.25\"", "-0.3125\""};
    for (int16_t code = 0; code < 18; ++code) {
        EXPECT_EQ(Imperial(100.3f, code), positive[code]) << "code " << code;
        EXPECT_EQ(Imperial(-0.3f, code), negative[code]) << "code " << code;
    }
    // Unknown codes take the decimal-inches path in sixteenths.
    EXPECT_EQ(Imperial(100.3f, 18), "100.3125\"");
    EXPECT_EQ(Imperial(100.3f, -1), "100.3125\"");
}

TEST_F(ReadoutsTest, ImperialEdgeCasesCarryRoundAndDropTheSignOfZero) {
    EXPECT_EQ(Imperial(100.0f, 4), "8'-4\"");
    EXPECT_EQ(Imperial(143.97f, 4), "12'-0\"");  // 16/16 carries into inches, 12 inches into a foot
    EXPECT_EQ(Imperial(6.5f, 4), "6 1/2\"");
    EXPECT_EQ(Imperial(0.25f, 4), "1/4\"");
    EXPECT_EQ(Imperial(-30.5f, 4), "-2'-6 1/2\"");
    EXPECT_EQ(Imperial(-0.25f, 0), "0\"");
    EXPECT_EQ(Imperial(1.03125f, 4), "1\"");     // 0.5 sixteenths rounds to even
    EXPECT_EQ(Imperial(11.99f, 4), "1'-0\"");
    EXPECT_EQ(Imperial(11.99f, 9), "12\"");      // inches-only codes never make a foot
    EXPECT_EQ(Imperial(-0.01f, 17), "0\"");      // no minus zero
    EXPECT_EQ(Imperial(-0.01f, 13), "0\"");

    // Out-of-range input stays defined and inside the buffer.
    for (int16_t code = -1; code < 19; ++code)
        for (float v : {1e30f, -1e30f, 2147483648.0f, INFINITY, NAN}) {
            char text[kReadoutSize];
            std::memset(text, 'x', sizeof text);
            ConvertInchesToImperialStr(v, text, code);
            EXPECT_LT(std::strlen(text), size_t(kReadoutSize));
        }
}

TEST_F(ReadoutsTest, MetricReadoutsTrimZerosAndLookUpTheSuffix) {
    EXPECT_EQ(Metric(100.0f, 0), "2.54 m");
    EXPECT_EQ(Metric(100.0f, 1), "254 cm");
    EXPECT_EQ(Metric(100.0f, 2), "2540 mm");
    EXPECT_EQ(Metric(100.0f, 7), "2540 mm");
    EXPECT_EQ(Metric(39.37f, 0), "1 m");

    SetLocalizedStringHandler([](const char* key) { return std::string(key) == " m" ? " metres" : key; });
    EXPECT_EQ(Metric(100.0f, 0), "2.54 metres");
    EXPECT_EQ(Metric(100.0f, 1), "254 cm");  // no translation: the key itself
    // A translation too long for the buffer is cut, never overrun.
    SetLocalizedStringHandler([](const char*) { return std::string(200, 'y'); });
    EXPECT_EQ(Metric(100.0f, 0).size(), size_t(kReadoutSize - 1));
}

TEST_F(ReadoutsTest, DocumentReadoutFollowsUnitsFlagsAndDecimalSeparator) {
    ASSERT_EQ(ds()->units, kImperialUnits);
    ASSERT_EQ(ds()->imperialReadout, 112);
    EXPECT_EQ(DecodeImperialReadoutFormat(), 4);
    EXPECT_EQ(Length(100.0f), "8'-4\"");

    port::MemoryDefaults comma;
    comma.setDecimalSeparator(',');
    port::setDefaults(&comma);
    ds()->units = kMetricUnits;
    ds()->metricReadout = 1;
    EXPECT_EQ(DecodeMetricReadoutFormat(), 0);
    EXPECT_EQ(Length(100.0f), "2,54 m");
    EXPECT_EQ(Imperial(100.3f, 13), "8'-4.3125\"");  // explicit codes keep the point
    ds()->metricReadout = 2;
    EXPECT_EQ(Length(100.0f), "254 cm");
    ds()->metricReadout = 0;
    EXPECT_EQ(Length(100.0f), "2540 mm");
    ds()->units = 0;  // anything but imperial is metric
    EXPECT_EQ(Length(100.0f), "2540 mm");
    port::setDefaults(nullptr);

    // Decoding: first matching flag wins.
    const struct { int16_t flags; int16_t code; } decode[] = {
        {1 | 32, 0}, {1, 5}, {2 | 32 | 64, 1}, {2 | 64, 6}, {2 | 32, 10}, {2, 14},
        {4 | 32, 11}, {4 | 64, 7}, {8 | 32 | 64, 3}, {8, 16}, {64, 9}, {32, 13}, {16, 17}, {1 | 2 | 32, 0}};
    for (const auto& row : decode) {
        ds()->imperialReadout = row.flags;
        EXPECT_EQ(DecodeImperialReadoutFormat(), row.code) << "flags " << row.flags;
    }

    gCurDocument = nullptr;
    EXPECT_EQ(DecodeImperialReadoutFormat(), 17);
    EXPECT_EQ(DecodeMetricReadoutFormat(), 2);
    EXPECT_EQ(Length(100.0f), "untouched");
    char angle[kReadoutSize] = "untouched";
    ConvertAngleToStr(45.0f, angle);
    ConvertPitchToStr(6.0f, angle);
    EXPECT_STREQ(angle, "untouched");
    gCurDocument = doc;
}

TEST_F(ReadoutsTest, AnglesAndPitches) {
    char text[kReadoutSize];
    ds()->angleReadout = 1;
    ConvertAngleToStr(30.25f, text);
    EXPECT_STREQ(text, "30.2\xBC");  // the halfway digit rounds to even
    ds()->angleReadout = 2;
    ConvertAngleToStr(45.0f, text);
    EXPECT_STREQ(text, "45\xBC");
    ConvertAngleToStr(22.5f, text);
    EXPECT_STREQ(text, "22.5\xBC");
    ds()->angleReadout = 9;  // four decimals
    ConvertAngleToStr(1.23456f, text);
    EXPECT_STREQ(text, "1.2346\xBC");

    ConvertPitchToMetricStr(6.0f, text);
    EXPECT_STREQ(text, "5");
    ConvertPitchToImperialStr(6.25f, text, 4);
    EXPECT_STREQ(text, "6 1/4");
    ConvertPitchToImperialStr(0.5f, text, 9);
    EXPECT_STREQ(text, "1/2");
    ConvertPitchToImperialStr(6.5f, text, 0);
    EXPECT_STREQ(text, "7");
    ConvertPitchToImperialStr(6.3f, text, 13);
    EXPECT_STREQ(text, "6.3125");
    ConvertPitchToImperialStr(6.3f, text, 10);
    EXPECT_STREQ(text, "6.5");
    ConvertPitchToStr(6.25f, text);  // imperial, code 4
    EXPECT_STREQ(text, "6 1/4");
    ds()->units = kMetricUnits;
    ConvertPitchToStr(6.0f, text);
    EXPECT_STREQ(text, "5");

    EXPECT_NEAR(ConvertPitchToAngle(6.0f), 26.565f, 1e-3);
    EXPECT_EQ(ConvertPitchToAngle(-1.0f), 0.0f);
    EXPECT_EQ(ConvertPitchToAngle(1000.5f), 0.0f);
    EXPECT_EQ(ConvertPitchToAngle(NAN), 0.0f);
    EXPECT_NEAR(ConvertAngleToPitch(45.0f), 12.0f, 1e-4);  // metric: not snapped
    ds()->units = kImperialUnits;
    EXPECT_EQ(ConvertAngleToPitch(45.0f), 12.0f);
    EXPECT_EQ(ConvertAngleToPitch(26.0f), 5.875f);  // 5.8527 snapped to sixteenths
    EXPECT_EQ(ConvertAngleToPitch(89.5f), 0.0f);
    EXPECT_EQ(ConvertAngleToPitch(-2.0f), 0.0f);
}

TEST_F(ReadoutsTest, FractionStepAndTrimming) {
    int32_t whole = 3, numerator = -1, denominator = -1;
    ConvertDecimalToSixteenths(0.5, &whole, &numerator, &denominator);
    EXPECT_EQ(whole, 3);
    EXPECT_EQ(numerator, 1);
    EXPECT_EQ(denominator, 2);
    ConvertDecimalToSixteenths(1.0 / 32.0, &whole, &numerator, &denominator);
    EXPECT_EQ(numerator, 0);  // halfway goes to the even neighbour
    ConvertDecimalToEighths(0.97, &whole, &numerator, &denominator);
    EXPECT_EQ(whole, 4);      // 8/8 carries
    EXPECT_EQ(numerator, 0);
    ConvertDecimalToFourths(0.74, &whole, &numerator, &denominator);
    EXPECT_EQ(numerator, 3);
    EXPECT_EQ(denominator, 4);
    ConvertDecimalToHalves(0.2, &whole, &numerator, &denominator);
    EXPECT_EQ(numerator, 0);
    ConvertDecimalToHalves(0.2, nullptr, &numerator, &denominator);  // no crash

    EXPECT_EQ(ConvertFractionToDecimal(3, 8), 0.375f);
    EXPECT_EQ(ConvertFractionToDecimal(3, 1), 3.0f);
    EXPECT_EQ(ConvertFractionToDecimal(1, 3), 0.0f);
    EXPECT_EQ(ConvertFractionToDecimal(1, 0), 0.0f);

    const struct { const char* in; const char* out; } trims[] = {
        {"2.5400", "2.54"}, {"254.00", "254"}, {"10", "10"}, {"100", "100"}, {"0.0", "0"},
        {".0", "."}, {"5", "5"}, {"1.05", "1.05"}};
    for (const auto& row : trims) {
        char text[16];
        std::strcpy(text, row.in);
        TruncateTrailingZeros(text);
        EXPECT_STREQ(text, row.out) << row.in;
    }
    TruncateTrailingZeros(nullptr);
}

TEST_F(ReadoutsTest, SnappingAndClampingFollowTheImperialFlags) {
    float v;
    ds()->imperialReadout = 1 | 32;
    v = 6.5f;  NormalizeInputToPrecision(&v);  EXPECT_EQ(v, 6.0f);
    v = 7.5f;  NormalizeInputToPrecision(&v);  EXPECT_EQ(v, 8.0f);
    v = -7.5f; NormalizeInputToPrecision(&v);  EXPECT_EQ(v, -8.0f);
    ds()->imperialReadout = 112;
    v = 6.3f;  NormalizeInputToPrecision(&v);  EXPECT_EQ(v, 6.3125f);
    v = 6.99f; NormalizeInputToPrecision(&v);  EXPECT_EQ(v, 7.0f);
    v = -6.3f; NormalizeInputToPrecision(&v);  EXPECT_EQ(v, -6.3125f);
    ds()->imperialReadout = 4 | 32;
    v = 6.3f;  NormalizeInputToPrecision(&v);  EXPECT_EQ(v, 6.25f);
    v = 3e9f;  NormalizeInputToPrecision(&v);  EXPECT_EQ(v, 3e9f);
    ds()->units = kMetricUnits;  // not consulted
    v = 6.3f;  NormalizeInputToPrecision(&v);  EXPECT_EQ(v, 6.25f);

    // Metric clamps plainly; imperial onto the readout grid; bad limits do nothing.
    v = -3.0f; ConstrainValueToLimits(&v, 0.1f, 10.3f);  EXPECT_EQ(v, 0.1f);
    v = 12.0f; ConstrainValueToLimits(&v, 0.1f, 10.3f);  EXPECT_EQ(v, 10.3f);
    ds()->units = kImperialUnits;
    ds()->imperialReadout = 112;
    v = -3.0f; ConstrainValueToLimits(&v, 0.1f, 10.3f);  EXPECT_EQ(v, 0.125f);
    v = 12.0f; ConstrainValueToLimits(&v, 0.1f, 10.3f);  EXPECT_EQ(v, 10.25f);
    v = 5.01f; ConstrainValueToLimits(&v, 0.1f, 10.3f);  EXPECT_EQ(v, 5.01f);
    ds()->imperialReadout = 2 | 32;
    v = 12.0f; ConstrainValueToLimits(&v, 0.1f, 10.3f);  EXPECT_EQ(v, 10.0f);
    v = 12.0f; ConstrainValueToLimits(&v, 5.0f, 0.5f);   EXPECT_EQ(v, 12.0f);
    v = 12.0f; ConstrainValueToLimits(&v, 0.0f, 0.5f);   EXPECT_EQ(v, 12.0f);
}

TEST_F(ReadoutsTest, WorldUnitsConvertThroughTheDecimalFactors) {
    const struct { int16_t unit; float world; float inches; } rows[] = {
        {1, 5.0f, 5.0f}, {2, 2.0f, 24.0f}, {3, 2.0f, 72.0f}, {4, 0.5f, 31680.0f},
        {5, 100.0f, 3.937f}, {6, 10.0f, 3.937f}, {7, 1.0f, 3.937f}, {8, 2.0f, 78.74f}};
    for (const auto& row : rows) {
        ds()->worldUnit = row.unit;
        EXPECT_FLOAT_EQ(GetInchesFromWorld(row.world, ds()), row.inches) << row.unit;
        EXPECT_FLOAT_EQ(GetWorldFromInches(row.inches, ds()), row.world) << row.unit;
    }
    for (int16_t unit : {0, 9, -1}) {
        ds()->worldUnit = unit;
        EXPECT_EQ(GetInchesFromWorld(7.25f, ds()), 7.25f);
        EXPECT_EQ(GetWorldFromInches(7.25f, ds()), 7.25f);
    }
    EXPECT_EQ(GetInchesFromWorld(7.25f, nullptr), 7.25f);
    EXPECT_EQ(ConvertMetersToInches(1.0f), 39.37f);
    EXPECT_EQ(ConvertInchesToPixels(2.0f), 144.0f);
}

}  // namespace
