#include "ui/core/readout_formats.h"

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "port/macroman.h"

namespace {

std::string Localized(const char* key) { return port::MacRomanToUtf8(LocalizedString(key)); }

}  // namespace

std::vector<ReadoutItem> AngleFormatItems(char decimalSeparator) {
    const std::string point = decimalSeparator == '.' ? "." : ",";
    std::vector<ReadoutItem> items;
    std::string pattern = "#";
    for (int tag = 0; tag <= 4; ++tag) {
        items.push_back({pattern + "\u00B0", tag});
        pattern += tag == 0 ? point + "#" : "#";
    }
    return items;
}

std::vector<ReadoutItem> PrecisionOrReadoutItems(int16_t unitSystem) {
    if (unitSystem != kImperialUnits) return {{"#.#### m", 0}, {"#.## cm", 1}, {"#.# mm", 2}};
    static const char* const kKeys[] = {"Whole Inches (1", "Half Inches (1/2", "Quarter Inches (1/4",
                                        "Eighth Inches (1/8", "Sixteenth Inches (1/16"};
    std::vector<ReadoutItem> items;
    for (int tag = 0; tag < 5; ++tag) items.push_back({Localized(kKeys[tag]) + "\")", tag});
    return items;
}

std::vector<ReadoutItem> FeetInchesItems() { return {{Localized("Feet-Inches"), 0}, {Localized("Inches"), 1}}; }

std::string PrecisionOrReadoutLabel(int16_t unitSystem) {
    return Localized(unitSystem == kImperialUnits ? "Precision:" : "Readout Format:");
}

int AngleFormatTag(int16_t angleFormat) { return angleFormat >= 0 && angleFormat <= 3 ? angleFormat : 4; }

int ImperialPrecisionTag(int16_t imperialFormat) {
    using namespace imperialfmt;
    if (imperialFormat & kWhole) return 0;
    if (imperialFormat & kHalf) return 1;
    if (imperialFormat & kQuarter) return 2;
    if (imperialFormat & kEighth) return 3;
    return 4;
}

int MetricReadoutTag(int16_t metricFormat) {
    if (metricFormat & metricfmt::kMetres) return 0;
    if (metricFormat & metricfmt::kCentimetres) return 1;
    return 2;
}

int FeetInchesTag(int16_t imperialFormat) { return imperialFormat & imperialfmt::kFeetInches ? 0 : 1; }
int FractionsTag(int16_t imperialFormat) { return imperialFormat & imperialfmt::kFractions ? 0 : 1; }

int16_t FoldImperialFormat(int precisionTag, int feetInchesTag, int fractionsTag) {
    using namespace imperialfmt;
    static const int16_t kBits[] = {kWhole, kHalf, kQuarter, kEighth};
    int16_t format = precisionTag >= 0 && precisionTag < 4 ? kBits[precisionTag] : kSixteenth;
    if (feetInchesTag == 0) format |= kFeetInches;
    if (fractionsTag == 0) format |= kFractions;
    return format;
}

int16_t FoldMetricFormat(int readoutTag) {
    return readoutTag == 0 ? metricfmt::kMetres : readoutTag == 1 ? metricfmt::kCentimetres : metricfmt::kMillimetres;
}
