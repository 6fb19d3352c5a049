#include "port/random.h"

#include <chrono>
#include <random>

namespace port {
namespace {

std::mt19937& generator() {
    static std::mt19937 gen(static_cast<uint32_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    return gen;
}

RandomSource* sSource = nullptr;

} // namespace

uint32_t RandomNumber() { return sSource ? sSource->next() : static_cast<uint32_t>(generator()()); }
void SeedRandom(uint32_t seed) { generator().seed(seed); }
void setRandomSource(RandomSource* src) { sSource = src; }
RandomSource* randomSource() { return sSource; }

} // namespace port
