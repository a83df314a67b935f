#include "tools/fuzz/mutator.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace fuzz {

namespace {

const std::uint32_t kInteresting[] = {0,          1,          0x7F,       0x80,       0xFF,       0x100,
                                      0x7FFF,     0x8000,     0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000,
                                      0xFFFFFFFF, 0xFFFFFFFE, 0x40000000, 0x01000000, 16384,      16385};

void EnsureNotEmpty(CRng& rng, std::string& data) {
    if (data.empty()) data.push_back(static_cast<char>(rng.Below(256)));
}

}  // namespace

void Mutate(CRng& rng, std::string& data, const std::vector<const std::string*>& others, std::size_t maxSize) {
    const int edits = 1 + static_cast<int>(rng.Below(rng.Chance(70) ? 3 : 8));
    for (int e = 0; e < edits; ++e) {
        EnsureNotEmpty(rng, data);
        const std::size_t at = rng.Below(data.size());
        switch (rng.Below(9)) {
            case 0:  // one bit
                data[at] = static_cast<char>(data[at] ^ (1 << rng.Below(8)));
                break;
            case 1:  // one byte
                data[at] = static_cast<char>(rng.Below(256));
                break;
            case 2: {  // an interesting number, little-endian, 1, 2 or 4 bytes wide
                const std::uint32_t v = rng.Pick(kInteresting);
                const std::size_t width = std::size_t(1) << rng.Below(3);
                for (std::size_t i = 0; i < width && at + i < data.size(); ++i) {
                    data[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
                }
                break;
            }
            case 3: {  // splice: a piece of another seed replaces or is inserted
                if (others.empty()) break;
                const std::string& other = *others[rng.Below(others.size())];
                if (other.empty()) break;
                const std::size_t from = rng.Below(other.size());
                const std::size_t len = 1 + rng.Below(std::min<std::size_t>(other.size() - from, 512));
                if (rng.Chance(50)) {
                    data.replace(at, std::min(len, data.size() - at), other, from, len);
                } else {
                    data.insert(at, other, from, len);
                }
                break;
            }
            case 4:  // truncation
                data.resize(at);
                break;
            case 5: {  // repetition of a piece
                const std::size_t len = 1 + rng.Below(std::min<std::size_t>(data.size() - at, 64));
                const std::string piece = data.substr(at, len);
                const std::size_t times = 1 + rng.Below(rng.Chance(90) ? 8 : 2000);
                std::string run;
                for (std::size_t i = 0; i < times && run.size() < maxSize; ++i) run += piece;
                data.insert(at, run);
                break;
            }
            case 6: {  // erasure of a piece
                const std::size_t len = 1 + rng.Below(std::min<std::size_t>(data.size() - at, 64));
                data.erase(at, len);
                break;
            }
            case 7: {  // a decimal number written over the text
                static const char* const kNumbers[] = {"0",     "-1",         "255",         "256",  "65536",
                                                       "99999", "2147483647", "-2147483648", "1e309", "4294967296"};
                const char* n = rng.Pick(kNumbers);
                data.replace(at, std::min(std::strlen(n), data.size() - at), n);
                break;
            }
            default: {  // a byte duplicated in place
                data.insert(at, 1 + rng.Below(4), data[at]);
                break;
            }
        }
        if (data.size() > maxSize) data.resize(maxSize);
    }
}

}  // namespace fuzz
