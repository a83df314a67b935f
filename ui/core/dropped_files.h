// CUIDroppedFiles: the paths of one drop of files, read from the system's file-drop
// block (a DROPFILES header followed by NUL-terminated paths, ended by an empty one).
//
// The block comes from another program: every read stays inside the size it was given,
// a list that runs past the end keeps the complete paths before it, and ANSI paths are
// converted with the system's code page. Reading the paths in order costs one step each.
#pragma once

#include <windows.h>

#include <memory>

namespace SkinUI {

class CUIDroppedFiles {
public:
    // Replaces the list with the paths of a block of `size` bytes; false (and an empty
    // list) for a block that holds no path.
    bool Read(const void* block, SIZE_T size);
    void Clear() { Read(nullptr, 0); }
    int GetCount() const { return m_nCount; }
    // The path at `index`, or null out of range.
    const wchar_t* GetAt(int index) const;

private:
    std::unique_ptr<wchar_t[]> m_text;  // the paths, each ended by NUL
    int m_nCount = 0;
    mutable int m_nCursor = 0;       // the path last read
    mutable size_t m_nCursorAt = 0;  // where it starts in m_text
};

}  // namespace SkinUI
