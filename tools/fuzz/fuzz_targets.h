// The paths each generated input goes through, the same as in the launcher:
// markup (parse, build, layout and paint at both skins' window sizes and at
// 150 percent), ZIP (open and read, with and without a password), image decode,
// image descriptions (parse and draw) and the enciphered INI (decipher, parse); and
// the further controls' GIF decoder (every frame, and the first as a skin image).
#pragma once

#include <windows.h>

#include <string>

namespace fuzz {

enum ETarget { kMarkup = 0, kZip, kImage, kImageDescription, kIni, kGif, kTargetCount };

const char* TargetName(ETarget target);
// -1 for an unknown name.
int TargetFromName(const std::string& name);

// What the targets share inside one process: a window class, a memory canvas
// and the launcher's skin archive selected as the in-memory archive.
class CTargetContext {
public:
    // `skinArchive` must outlive the context.
    explicit CTargetContext(const std::string& skinArchive);
    ~CTargetContext();
    CTargetContext(const CTargetContext&) = delete;
    CTargetContext& operator=(const CTargetContext&) = delete;

    void Run(ETarget target, const std::string& input);

private:
    void RunMarkup(const std::string& input);
    void RunZip(const std::string& input);
    void RunImage(const std::string& input);
    void RunImageDescription(const std::string& input);
    void RunIni(const std::string& input);
    void RunGif(const std::string& input);
    // Back to the launcher's archive and empty process-wide tables.
    void ResetFramework();

    const std::string& m_skinArchive;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_markupRuns = 0;
};

}  // namespace fuzz
