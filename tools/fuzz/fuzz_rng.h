// The fuzz driver's random numbers: SplitMix64, seeded per input from the run's
// seed and the input's iteration, so that any input can be made again alone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

class CRng {
public:
    CRng(std::uint64_t seed, std::uint64_t iteration) : m_state(seed * 0x9E3779B97F4A7C15ull ^ (iteration + 1)) {
        Next();
    }

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in 0..n-1 (0 when n is 0).
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(Next() % n); }
    bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }
    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Below(N)];
    }

private:
    std::uint64_t m_state;
};

}  // namespace fuzz
