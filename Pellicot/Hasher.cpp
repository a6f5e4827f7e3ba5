#include "Pellicot/Hasher.hpp"

#include <bit>
#include <random>

namespace Pellicot {

namespace {

std::uint64_t processSeed() {
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (std::uint64_t(device()) << 32) ^ device();
    }();
    return seed;
}

// The finaliser of splitmix64: every input bit reaches every output bit.
std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

}  // namespace

Hasher::Hasher() : state_(mix(processSeed())) {}

void Hasher::combine(float value) {
    if (value == 0) value = 0;  // -0 becomes +0
    combine(std::uint64_t(std::bit_cast<std::uint32_t>(value)));
}

void Hasher::combine(std::uint64_t value) { state_ = mix(state_ + 0x9e3779b97f4a7c15ULL + value); }

std::int64_t Hasher::finalize() const { return std::bit_cast<std::int64_t>(mix(state_)); }

}  // namespace Pellicot
