#include "ui/widgets/list/list_selection.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace SkinUI {

void CListSelection::Reset(int count) {
    m_selected.assign(count > 0 ? static_cast<size_t>(count) : 0u, 0);
    m_count = 0;
    m_caret = m_anchor = m_hot = -1;
}

int CListSelection::Follow(int mark, int at, int count, bool inserted) {
    if (mark < at) return mark;
    if (inserted) return mark + count;
    return mark < at + count ? -1 : mark - count;
}

void CListSelection::Inserted(int at, int count) {
    if (count <= 0 || at < 0 || at > GetRowCount()) return;
    m_selected.insert(m_selected.begin() + at, static_cast<size_t>(count), 0);
    m_caret = Follow(m_caret, at, count, true);
    m_anchor = Follow(m_anchor, at, count, true);
    m_hot = Follow(m_hot, at, count, true);
}

void CListSelection::Removed(int at, int count) {
    if (at < 0 || at >= GetRowCount() || count <= 0) return;
    if (count > GetRowCount() - at) count = GetRowCount() - at;
    auto first = m_selected.begin() + at;
    m_count -= static_cast<int>(std::count(first, first + count, 1));
    m_selected.erase(first, first + count);
    m_caret = Follow(m_caret, at, count, false);
    m_anchor = Follow(m_anchor, at, count, false);
    m_hot = Follow(m_hot, at, count, false);
}

bool CListSelection::IsSelected(int row) const { return Valid(row) && m_selected[static_cast<size_t>(row)] != 0; }

int CListSelection::NextSelected(int row) const {
    if (m_count == 0) return -1;
    for (int i = row < 0 ? 0 : row + 1; i < GetRowCount(); ++i) {
        if (m_selected[static_cast<size_t>(i)] != 0) return i;
    }
    return -1;
}

bool CListSelection::Set(int row, bool selected) {
    if (!Valid(row) || IsSelected(row) == selected) return false;
    m_selected[static_cast<size_t>(row)] = selected ? 1 : 0;
    m_count += selected ? 1 : -1;
    return true;
}

bool CListSelection::Clear() {
    if (m_count == 0) return false;
    std::fill(m_selected.begin(), m_selected.end(), 0);
    m_count = 0;
    return true;
}

bool CListSelection::SelectRange(int a, int b, bool add) {
    if (!Valid(a) || !Valid(b)) return false;
    const int lo = a < b ? a : b;
    const int hi = a < b ? b : a;
    bool changed = false;
    if (!add && m_count > 0) {
        for (int i = NextSelected(-1); i >= 0; i = NextSelected(i)) {
            if (i < lo || i > hi) changed = Set(i, false) || changed;
        }
    }
    for (int i = lo; i <= hi; ++i) changed = Set(i, true) || changed;
    return changed;
}

// ---- type-ahead ----

const CUIString& CListTypeAhead::Add(wchar_t ch, DWORD time) {
    if (m_typed.IsEmpty() || time - m_last > static_cast<DWORD>(kResetMs)) m_typed.Empty();
    m_last = time;
    m_typed += ch;
    m_cycling = true;
    for (int i = 1; i < m_typed.GetLength(); ++i) {
        if (std::towupper(m_typed[i]) != std::towupper(m_typed[0])) m_cycling = false;
    }
    m_prefix = m_cycling ? m_typed.Left(1) : m_typed;
    return m_prefix;
}

bool CListTypeAhead::StartsWith(const wchar_t* text, const CUIString& prefix) {
    if (text == nullptr || prefix.IsEmpty()) return false;
    const int n = prefix.GetLength();
    for (int i = 0; i < n; ++i) {
        if (text[i] == 0) return false;
    }
    return ::_wcsnicmp(text, prefix.GetData(), static_cast<size_t>(n)) == 0;
}

}  // namespace SkinUI
