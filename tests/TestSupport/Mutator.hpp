#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace TestSupport {

// Damaged copies of good inputs, as a fuzzer makes them: bits flipped, bytes set to values that
// mean something to a reader, runs inserted, removed, repeated or taken from another input,
// tokens of the format dropped in, the input cut short. Seeded, so a failure repeats.
class Mutator {
public:
    Mutator(std::vector<std::string> seeds, std::vector<std::string> tokens = {}, std::uint32_t seed = 1)
        : seeds_(std::move(seeds)), tokens_(std::move(tokens)), random_(seed) {}

    std::string next() {
        std::string s = seeds_[pick(seeds_.size())];
        const std::size_t changes = 1 + pick(4);
        for (std::size_t i = 0; i < changes; ++i) mutate(s);
        return s;
    }

private:
    std::size_t pick(std::size_t n) { return n ? std::size_t(random_() % n) : 0; }

    void mutate(std::string& s) {
        static const unsigned char telling[] = {0x00, 0x01, 0x7F, 0x80, 0x81, 0xF0, 0xF7, 0xFF, '<', '>', '/', '\n', '#', ' '};
        const std::size_t at = pick(s.size() + 1);
        switch (pick(8)) {
            case 0:
                if (at < s.size()) s[at] = char(s[at] ^ (1 << pick(8)));
                break;
            case 1:
                if (at < s.size()) s[at] = char(telling[pick(sizeof telling)]);
                break;
            case 2: {
                std::string run(1 + pick(8), '\0');
                for (char& c : run) c = char(random_());
                s.insert(at, run);
                break;
            }
            case 3:
                s.erase(at, 1 + pick(16));
                break;
            case 4:
                if (at < s.size()) s.insert(at, std::string(s.substr(at, 1 + pick(32))));
                break;
            case 5: {
                const std::string& other = seeds_[pick(seeds_.size())];
                const std::size_t from = pick(other.size());
                s.insert(at, other.substr(from, 1 + pick(64)));
                break;
            }
            case 6:
                if (!tokens_.empty()) s.insert(at, tokens_[pick(tokens_.size())]);
                break;
            default:
                s.resize(at);
        }
    }

    std::vector<std::string> seeds_;
    std::vector<std::string> tokens_;
    std::mt19937 random_;
};

}  // namespace TestSupport
