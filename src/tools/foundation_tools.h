#pragma once
// The foundation plan's tools: the perimeter (7000), drawn as an outline and built as an
// exterior wall; the stiffener beam (7001), post-tension strand (7003) and slope arrow (7004),
// dragged lines that turn in 15-degree steps unless Shift is held; and the pier (7002), a
// square of the pier diameter at every release.
#include <cstdint>

void TrackFoundation(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackFoundationBeam(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackFoundationPier(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackFoundationTension(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackFoundationSlope(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
