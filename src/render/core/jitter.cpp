#include "render/core/jitter.h"

#include <cmath>

const JitterPoint j2[2] = {{0.246490, 0.249999}, {-0.246490, -0.249999}};
const JitterPoint j3[3] = {{-0.373411, -0.250550}, {0.256263, 0.368119}, {0.117148, -0.117570}};
const JitterPoint j4[4] = {{-0.208147, 0.353730}, {0.203849, -0.353780}, {-0.292626, -0.149945},
                           {0.296924, 0.149994}};
const JitterPoint j8[8] = {{-0.334818, 0.435331}, {0.286438, -0.393495}, {0.459462, 0.141540},
                           {-0.414498, -0.192829}, {-0.183790, 0.082102}, {-0.079263, -0.317383},
                           {0.102254, 0.299133}, {0.164216, -0.054399}};
const JitterPoint j15[15] = {{0.285561, 0.188437},  {0.360176, -0.065688},  {-0.111751, 0.275019},
                             {-0.055918, -0.215197}, {-0.080231, -0.470965}, {0.138721, 0.409168},
                             {0.384120, 0.458500},  {-0.454968, 0.134088},  {0.179271, -0.331196},
                             {-0.307049, -0.364927}, {0.105354, -0.010099},  {-0.154180, 0.021794},
                             {-0.370135, -0.116425}, {0.451636, -0.300013},  {-0.370610, 0.387504}};
const JitterPoint j24[24] = {{0.030245, 0.136384},  {0.018865, -0.348867},  {-0.350114, -0.472309},
                             {0.222181, 0.149524},  {-0.393670, -0.266873}, {0.404568, 0.230436},
                             {0.098381, 0.465337},  {0.462671, 0.442116},   {0.400373, -0.212720},
                             {-0.409988, 0.263345}, {-0.115878, -0.001981}, {0.348425, -0.009237},
                             {-0.464016, 0.066467}, {-0.138674, -0.468006}, {0.144932, -0.022780},
                             {-0.250195, 0.150161}, {-0.181400, -0.264219}, {0.196097, -0.234139},
                             {-0.311082, -0.078815}, {0.268379, 0.366778},  {-0.040601, 0.327109},
                             {-0.234392, 0.354659}, {-0.003102, -0.154402}, {0.297997, -0.417965}};

std::span<const JitterPoint> JitterTable(int32_t passes) {
    switch (passes) {
    case 2: return j2;
    case 3: return j3;
    case 4: return j4;
    case 8: return j8;
    case 15: return j15;
    case 24: return j24;
    default: return {};
    }
}

JitterPoint JitterOffset(int32_t passes, int32_t pass) {
    if (passes < 1) return {};
    pass %= passes;
    if (pass < 0) pass += passes;
    if (auto table = JitterTable(passes); !table.empty()) return table[static_cast<size_t>(pass)];
    // The centres of a grid of cells covering the pixel, row by row: no two passes share an
    // offset and the image moves evenly within the pixel.
    const int32_t columns = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(passes))));
    const int32_t rows = (passes + columns - 1) / columns;
    const int32_t column = pass % columns, row = pass / columns;
    return {(column + 0.5) / columns - 0.5, (row + 0.5) / rows - 0.5};
}
