// Converting readouts and file text between Mac OS Roman and UTF-8 happens on every label
// the plan draws; keep it cheap.
#include "port/macroman.h"

#include <benchmark/benchmark.h>
#include <string>

static void BM_MacRomanToUtf8(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 4096; ++i) text.push_back(static_cast<char>(i % 256));
    for (auto _ : state) benchmark::DoNotOptimize(port::MacRomanToUtf8(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_MacRomanToUtf8);

static void BM_Utf8ToMacRoman(benchmark::State& state) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>(i % 256));
    const std::string text = port::MacRomanToUtf8(bytes);
    for (auto _ : state) benchmark::DoNotOptimize(port::Utf8ToMacRoman(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_Utf8ToMacRoman);
