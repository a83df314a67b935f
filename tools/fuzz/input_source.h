// The seeds (the real skins, the skin archive, the PNGs and the enciphered
// configuration) and the input made from them for one iteration of a run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {

struct TSeeds {
    std::vector<std::string> skins;     // markup
    std::vector<std::string> archives;  // ZIP files (one with a password)
    std::vector<std::string> images;    // PNG and JPEG
    std::vector<std::string> configs;   // enciphered configuration
    std::vector<std::string> plainConfigs;
    std::vector<std::string> gifs;      // made in code (gif_seeds.h)
    std::string skinArchive;            // the launcher's archive, for the markup paths
};

// Loads the seeds from `dir` by file extension (.xml, .zip, .png, .jpg, .bin,
// .ini); "skin.zip" is also the markup paths' archive. Files are taken in name
// order. False when a kind has no seed.
bool LoadSeeds(const std::wstring& dir, TSeeds& seeds, std::string& error);

// The bytes of a saved input (a replay); false when the file cannot be read.
bool ReadInputFile(const std::wstring& path, std::string& out);

// The target and bytes of input `iteration` of the run with `seed`. With
// `only` >= 0 every input is for that target.
ETarget MakeInput(const TSeeds& seeds, std::uint64_t seed, std::uint64_t iteration, int only, std::string& out);

}  // namespace fuzz
