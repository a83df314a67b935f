// Skin markup made from a grammar: element and attribute names of the skins,
// image descriptions, numbers at the edges of their ranges, entity forms,
// nesting, and Include / Style / Default references to each other.
#pragma once

#include <string>

#include "tools/fuzz/fuzz_rng.h"

namespace fuzz {

// A whole skin document (UTF-8).
std::string GenerateSkin(CRng& rng);

// One image description ("file='x.png' dest='...' ..." or a bare name).
std::string GenerateImageDescription(CRng& rng);

}  // namespace fuzz
