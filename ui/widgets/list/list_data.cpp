#include "ui/widgets/list/list_data.h"

#include <windows.h>

#include <cwchar>

namespace SkinUI {

void CListGeneratedSource::SetRowCount(int count) { m_nRows = count < 0 ? 0 : count > kMaxRows ? kMaxRows : count; }

void CListGeneratedSource::SetFormat(const wchar_t* format) {
    m_sFormat = format != nullptr ? format : L"";
    if (m_sFormat.GetLength() > kMaxFormat) m_sFormat = m_sFormat.Left(kMaxFormat);
}

void CListGeneratedSource::GetText(int row, int column, CUIString& out) {
    out.Empty();
    if (row < 0 || row >= m_nRows || column < 0) return;
    // Skips to the column's pattern: `column` bars in.
    const wchar_t* p = m_sFormat.GetData();
    for (int c = 0; c < column; ++c) {
        p = std::wcschr(p, L'|');
        if (p == nullptr) return;
        ++p;
    }
    wchar_t number[16];
    for (; *p != 0 && *p != L'|'; ++p) {
        if (p[0] == L'{' && (p[1] == L'n' || p[1] == L'i') && p[2] == L'}') {
            ::wsprintfW(number, L"%d", p[1] == L'n' ? row + 1 : row);
            out += number;
            p += 2;
            continue;
        }
        out += *p;
    }
}

}  // namespace SkinUI
