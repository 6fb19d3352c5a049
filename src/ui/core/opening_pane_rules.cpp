#include "ui/core/opening_pane_rules.h"

#include <iterator>

#include "port/seam.h"

int32_t gWindowPropertiesStyle = 0;
int32_t gDoorPropertiesStyle = 0;

static const port::GlobalReset kReset([] {
    gWindowPropertiesStyle = 0;
    gDoorPropertiesStyle = 0;
});

namespace {

// Row r chooses kRowCodes[r]; codes with a second variant show on the same row.
constexpr int16_t kRowCodes[] = {600, 600, 601, 609, 604, 605, 602, 624, 603, 607,
                                 613, 611, 614, 618, 616, 619, 620, 622, 623, 626};
constexpr struct {
    int16_t code;
    int row;
} kSecondCodes[] = {{610, 3}, {606, 5}, {625, 7}, {608, 9}, {612, 11}, {615, 12}, {617, 14}, {621, 16}};

}  // namespace

int WindowCodeRow(int16_t code, int16_t verticalDividers, int16_t horizontalDividers) {
    if (code == 600) return verticalDividers == 0 && horizontalDividers == 1 ? 0 : 1;
    for (int r = 2; r < int(std::size(kRowCodes)); ++r)
        if (kRowCodes[r] == code) return r;
    for (const auto& s : kSecondCodes)
        if (s.code == code) return s.row;
    return -1;
}

int16_t WindowRowCode(int row) { return row >= 0 && row < int(std::size(kRowCodes)) ? kRowCodes[row] : 0; }

bool WindowHeightTied(int16_t code) {
    switch (code) {
    case 601: case 602: case 609: case 610: case 616: case 617: case 618:
    case 620: case 621: case 622: case 623: case 624: case 625: return true;
    default: return false;
    }
}

bool WindowDividersApply(int16_t code) { return code == 600; }
bool WindowFlipsApply(int16_t code) { return code != 600 && code != kCustomWindowCode; }

int DoorCodeRow(int16_t code) { return code >= 500 && code <= 503 ? code - 500 : 4; }
int16_t DoorRowCode(int row) { return row >= 0 && row <= 3 ? int16_t(500 + row) : 0; }

bool DoorSwingEnabled(int16_t code) {
    switch (code) {
    case 501: case 506: case 507: case 508: case 509: case 512: return true;
    default: return false;
    }
}

bool DoorFlipEnabled(int16_t code) {
    return DoorSwingEnabled(code) || code == 503 || code == 510 || code == 511;
}

bool DoorTrimAllowed(int32_t styleRow, float trim) {
    if (!(trim < 10000)) return false;
    return styleRow >= 0 && styleRow <= 2 ? trim >= 0 : trim >= 0.01f;
}

int16_t DoorSwingSideCode(float degrees) {
    if ((degrees > -360 && degrees < -180) || (degrees >= 0 && degrees <= 180)) return 4;
    return 0;
}
