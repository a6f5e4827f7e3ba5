#pragma once
#include <cstdint>

namespace Pellicot {

// A value hasher seeded once per process, so hashes differ from run to run and must never be
// stored. Feed values with combine, then read finalize.
class Hasher {
public:
    Hasher();

    // Positive and negative zero hash alike.
    void combine(float value);
    void combine(std::uint64_t value);

    std::int64_t finalize() const;

private:
    std::uint64_t state_;
};

}  // namespace Pellicot
