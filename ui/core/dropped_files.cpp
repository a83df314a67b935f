#include "ui/core/dropped_files.h"

#include <shlobj.h>

#include <cstring>
#include <new>

namespace SkinUI {

const wchar_t* CUIDroppedFiles::GetAt(int index) const {
    if (index < 0 || index >= m_nCount) return nullptr;
    if (index < m_nCursor) m_nCursor = 0, m_nCursorAt = 0;
    for (; m_nCursor < index; ++m_nCursor) m_nCursorAt += std::wcslen(m_text.get() + m_nCursorAt) + 1;
    return m_text.get() + m_nCursorAt;
}

bool CUIDroppedFiles::Read(const void* block, SIZE_T size) {
    m_text.reset();
    m_nCount = m_nCursor = 0;
    m_nCursorAt = 0;
    DROPFILES header;
    if (block == nullptr || size < sizeof(header) || size > 0x3FFFFFFF) return false;
    std::memcpy(&header, block, sizeof(header));
    if (header.pFiles < sizeof(header) || header.pFiles >= size) return false;
    const char* first = static_cast<const char*>(block) + header.pFiles;
    const int bytes = static_cast<int>(size - header.pFiles);
    // The whole list as wide text, NULs included, ended by one more.
    int chars = header.fWide ? bytes / 2 : ::MultiByteToWideChar(CP_ACP, 0, first, bytes, nullptr, 0);
    m_text.reset(new (std::nothrow) wchar_t[static_cast<size_t>(chars) + 1]);
    if (!m_text) return false;
    if (header.fWide) {
        std::memcpy(m_text.get(), first, static_cast<size_t>(chars) * 2);
    } else if (chars > 0) {
        chars = ::MultiByteToWideChar(CP_ACP, 0, first, bytes, m_text.get(), chars);
    }
    m_text[chars] = 0;
    // Complete paths up to the empty one; one cut short by the block's end does not count.
    for (int i = 0; i < chars && m_text[i] != 0; ++m_nCount) {
        while (i < chars && m_text[i] != 0) ++i;
        if (i++ >= chars) break;
    }
    return m_nCount > 0;
}

}  // namespace SkinUI
