#pragma once
// Seedable random numbers (document IDs).
#include <cstdint>

namespace port {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual uint32_t next() = 0;
};

uint32_t RandomNumber();
void SeedRandom(uint32_t seed);          // reseeds the built-in generator
void setRandomSource(RandomSource* src); // nullptr restores the built-in generator
RandomSource* randomSource();            // the installed override, nullptr for the built-in

} // namespace port
