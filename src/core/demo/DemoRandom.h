#pragma once

#include <cstdint>

namespace corv {

// A small linear congruential generator: the demo data and the benchmarks
// must come out the same on every machine, which std's engines with their
// distributions do not promise.
struct DemoRandom {
    std::uint64_t state;
    explicit DemoRandom(std::uint64_t seed) : state(seed) {}
    std::uint32_t next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state >> 33);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    template <typename Array>
    auto pick(const Array& a)
    {
        return a[static_cast<std::size_t>(below(static_cast<int>(a.size())))];
    }
};

} // namespace corv
