#include "tools/fuzz/input_source.h"

#include <windows.h>

#include <algorithm>

#include "tools/fuzz/fuzz_rng.h"
#include "tools/fuzz/gif_seeds.h"
#include "tools/fuzz/markup_grammar.h"
#include "tools/fuzz/mutator.h"

namespace fuzz {

namespace {

const std::size_t kMaxInput = 1u << 20;

bool ReadAll(const std::wstring& path, std::string& out) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
    if (ok) {
        out.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = out.empty() || (::ReadFile(file, &out[0], static_cast<DWORD>(out.size()), &read, nullptr) &&
                             read == out.size());
    }
    ::CloseHandle(file);
    return ok;
}

bool EndsWith(const std::wstring& name, const wchar_t* suffix) {
    const size_t n = wcslen(suffix);
    return name.size() >= n && _wcsicmp(name.c_str() + name.size() - n, suffix) == 0;
}

std::vector<const std::string*> Pointers(const std::vector<std::string>& items) {
    std::vector<const std::string*> out;
    for (const std::string& s : items) out.push_back(&s);
    return out;
}

std::string MutatedFrom(CRng& rng, const std::vector<std::string>& pool, const std::vector<std::string>& splices) {
    std::string data = pool[rng.Below(pool.size())];
    Mutate(rng, data, Pointers(splices), kMaxInput);
    return data;
}

}  // namespace

bool ReadInputFile(const std::wstring& path, std::string& out) { return ReadAll(path, out); }

bool LoadSeeds(const std::wstring& dir, TSeeds& seeds, std::string& error) {
    std::wstring base = dir;
    if (!base.empty() && base.back() != L'\\' && base.back() != L'/') base += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    HANDLE search = ::FindFirstFileW((base + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    std::sort(names.begin(), names.end());
    for (const std::wstring& name : names) {
        std::string bytes;
        if (!ReadAll(base + name, bytes)) continue;
        if (EndsWith(name, L".xml")) {
            seeds.skins.push_back(bytes);
        } else if (EndsWith(name, L".zip")) {
            if (_wcsicmp(name.c_str(), L"skin.zip") == 0) seeds.skinArchive = bytes;
            seeds.archives.push_back(bytes);
        } else if (EndsWith(name, L".png") || EndsWith(name, L".jpg")) {
            seeds.images.push_back(bytes);
        } else if (EndsWith(name, L".bin")) {
            seeds.configs.push_back(bytes);
        } else if (EndsWith(name, L".ini")) {
            seeds.plainConfigs.push_back(bytes);
        }
    }
    seeds.gifs = MakeGifSeeds();
    if (seeds.skins.empty() || seeds.archives.empty() || seeds.images.empty() || seeds.configs.empty() ||
        seeds.plainConfigs.empty() || seeds.skinArchive.empty()) {
        error = "the seed folder needs .xml, skin.zip, .png, .bin and .ini files";
        return false;
    }
    return true;
}

ETarget MakeInput(const TSeeds& seeds, std::uint64_t seed, std::uint64_t iteration, int only, std::string& out) {
    CRng rng(seed, iteration);
    // Shares of the inputs: the markup path is the launcher's main one.
    static const ETarget kMix[] = {kMarkup, kMarkup, kMarkup, kMarkup, kZip,  kZip,
                                   kImage,  kImage,  kImageDescription, kImageDescription, kIni, kIni,
                                   kGif};
    const ETarget target = only >= 0 ? static_cast<ETarget>(only) : rng.Pick(kMix);
    switch (target) {
        case kMarkup:
            if (rng.Chance(60)) {
                out = GenerateSkin(rng);
                if (rng.Chance(30)) Mutate(rng, out, Pointers(seeds.skins), kMaxInput);
            } else {
                out = MutatedFrom(rng, seeds.skins, seeds.skins);
            }
            break;
        case kZip:
            out = MutatedFrom(rng, seeds.archives, seeds.archives);
            break;
        case kImage:
            out = MutatedFrom(rng, seeds.images, seeds.images);
            break;
        case kGif:
            out = MutatedFrom(rng, seeds.gifs, seeds.gifs);
            break;
        case kImageDescription:
            out = GenerateImageDescription(rng);
            if (rng.Chance(40)) {
                std::vector<std::string> none;
                Mutate(rng, out, Pointers(none), 4096);
            }
            break;
        case kIni:
        default:
            if (rng.Chance(50)) {
                out = "C" + MutatedFrom(rng, seeds.configs, seeds.configs);
            } else {
                out = "P" + MutatedFrom(rng, seeds.plainConfigs, seeds.plainConfigs);
            }
            break;
    }
    return target;
}

}  // namespace fuzz
