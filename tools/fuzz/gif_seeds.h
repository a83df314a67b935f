// The GIF target's seeds, made in code: small animations that between them use every
// block and option the decoder reads.
#pragma once

#include <string>
#include <vector>

namespace fuzz {

std::vector<std::string> MakeGifSeeds();

}  // namespace fuzz
