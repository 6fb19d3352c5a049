#include "render/core/real_time_quality.h"

RealTimeQuality QualityAtSpeed(int16_t speed) {
    RealTimeQuality q;
    q.fullLot = speed <= 6;
    q.nearest = speed >= 8;
    q.replace = speed >= 9;
    q.lotTexture = speed < 9;
    q.backdropPicture = q.planeTextures = speed < 10;
    return q;
}
