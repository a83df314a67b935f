// Byte-level mutation of seed inputs: bit flips, byte changes, interesting
// numbers, splices with another seed, truncation, repetition and erasure.
#pragma once

#include <string>
#include <vector>

#include "tools/fuzz/fuzz_rng.h"

namespace fuzz {

// Mutates `data` in place with one to eight edits; `others` are the seeds a
// splice may take bytes from. The result never grows past `maxSize` bytes.
void Mutate(CRng& rng, std::string& data, const std::vector<const std::string*>& others, std::size_t maxSize);

}  // namespace fuzz
