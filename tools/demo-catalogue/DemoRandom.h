#pragma once

#include <cstdint>
#include <vector>

// The generator's only source of chance: splitmix64 with its own range mapping, so that a
// seed gives the same catalogue with every compiler and standard library.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, bound); bound > 0. Rejection keeps it free of modulo bias.
    std::uint64_t below(std::uint64_t bound) {
        const std::uint64_t limit = -bound % bound; // 2^64 mod bound
        for (;;) {
            const std::uint64_t value = next();
            if (value >= limit)
                return value % bound;
        }
    }

    int between(int low, int high) { return low + int(below(std::uint64_t(high - low + 1))); }

    bool chance(int perMille) { return int(below(1000)) < perMille; }

    template <typename T> const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }

    // An index drawn in proportion to the weights; they must not all be zero.
    std::size_t weighted(const std::vector<int>& weights) {
        std::uint64_t total = 0;
        for (const int weight : weights)
            total += std::uint64_t(weight);
        std::uint64_t draw = below(total);
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (draw < std::uint64_t(weights[i]))
                return i;
            draw -= std::uint64_t(weights[i]);
        }
        return weights.size() - 1;
    }

private:
    std::uint64_t m_state;
};
