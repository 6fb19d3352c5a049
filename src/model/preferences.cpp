#include "model/preferences.h"

#include "port/defaults.h"
#include "port/seam.h"

bool gDefaultToImperial = true;
int16_t gImperialReadoutFormat = 112;
int16_t gMetricReadoutFormat = 1;
int16_t gAngleReadoutFormat = 2;
int32_t gToolsetOptions = 6911;
int32_t gLiveViewOptions = 1023;
static const port::GlobalReset kReset([] {
    gDefaultToImperial = true;
    gImperialReadoutFormat = 112;
    gMetricReadoutFormat = 1;
    gAngleReadoutFormat = 2;
    gToolsetOptions = 6911;
    gLiveViewOptions = 1023;
});

namespace {
int16_t ShortDefault(const char* key, int16_t fallback) {
    port::UserDefaults& d = port::defaults();
    return d.has(key) ? static_cast<int16_t>(d.getInt(key)) : fallback;
}
}  // namespace

void LoadModelPreferences() {
    gDefaultToImperial = ShortDefault("UseImperialSystemKey", 3) == 3;
    gImperialReadoutFormat = ShortDefault("ImperialReadoutKey", 112);
    gMetricReadoutFormat = ShortDefault("MetricReadoutKey", 1);
    gAngleReadoutFormat = ShortDefault("AngleReadoutKey", 2);
}
