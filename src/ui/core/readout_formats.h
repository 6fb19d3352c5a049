#pragma once
// The pop-up lists with which the measurement units sheet and the preferences window choose
// the readout formats, which item each stored format selects, and the format bits the chosen
// items fold back into. Titles are UTF-8.
#include <cstdint>
#include <string>
#include <vector>

struct ReadoutItem {
    std::string title;
    int tag;
};

// Imperial format bits: one precision bit, then feet-inches and fractions.
namespace imperialfmt {
inline constexpr int16_t kWhole = 1, kHalf = 2, kQuarter = 4, kEighth = 8, kSixteenth = 16;
inline constexpr int16_t kFeetInches = 32;
inline constexpr int16_t kFractions = 64;
}  // namespace imperialfmt
// Metric format bits; with neither of the first two the readout is millimetres.
namespace metricfmt {
inline constexpr int16_t kMetres = 1, kCentimetres = 2, kMillimetres = 4;
}  // namespace metricfmt

inline constexpr int16_t kDefaultAngleFormat = 2;
inline constexpr int16_t kDefaultImperialFormat = 112;  // sixteenths, feet-inches, fractions
inline constexpr int16_t kDefaultMetricFormat = 1;

// "#°" to "#.####°", tags 0 to 4, written with the decimal separator ("." or any other,
// which shows as ",").
std::vector<ReadoutItem> AngleFormatItems(char decimalSeparator);
// Imperial (unit system 3): the five precisions, tags 0 to 4, localised; metric: "#.#### m",
// "#.## cm", "#.# mm", tags 0 to 2.
std::vector<ReadoutItem> PrecisionOrReadoutItems(int16_t unitSystem);
// "Feet-Inches" (0) and "Inches" (1), localised.
std::vector<ReadoutItem> FeetInchesItems();
// "Precision:" for imperial, "Readout Format:" otherwise, localised.
std::string PrecisionOrReadoutLabel(int16_t unitSystem);

// The tag each stored value selects. Angle: 0 to 3 as stored, anything else 4. Imperial
// precision: the lowest precision bit, sixteenths without one. Metric: metres, centimetres,
// else millimetres.
int AngleFormatTag(int16_t angleFormat);
int ImperialPrecisionTag(int16_t imperialFormat);
int MetricReadoutTag(int16_t metricFormat);
int FeetInchesTag(int16_t imperialFormat);  // 0 feet-inches, 1 inches
int FractionsTag(int16_t imperialFormat);   // 0 fractions, 1 decimals

// The formats the chosen tags make.
int16_t FoldImperialFormat(int precisionTag, int feetInchesTag, int fractionsTag);
int16_t FoldMetricFormat(int readoutTag);
