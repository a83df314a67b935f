#include "ui/widgets/list/list_selection.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cwchar>
#include <cwctype>

namespace SkinUI {

void CListSelection::Reset(int count) {
    m_runs.clear();
    m_rows = count > 0 ? count : 0;
    m_count = 0;
    m_caret = m_anchor = m_hot = -1;
}

int CListSelection::Follow(int mark, int at, int count, bool inserted) {
    if (mark < at) return mark;
    if (inserted) return mark + count;
    return mark < at + count ? -1 : mark - count;
}

size_t CListSelection::RunFrom(long long row) const {
    const auto it = std::lower_bound(m_runs.begin(), m_runs.end(), row,
                                     [](const TRun& run, long long r) { return run.last < r; });
    return static_cast<size_t>(it - m_runs.begin());
}

bool CListSelection::Join(int lo, int hi) {
    // Runs that overlap lo..hi or touch it become one.
    const size_t i = RunFrom(static_cast<long long>(lo) - 1);
    size_t j = i;
    TRun joined = {lo, hi};
    int covered = 0;
    while (j < m_runs.size() && static_cast<long long>(m_runs[j].first) <= static_cast<long long>(hi) + 1) {
        joined.first = std::min(joined.first, m_runs[j].first);
        joined.last = std::max(joined.last, m_runs[j].last);
        covered += m_runs[j].last - m_runs[j].first + 1;
        ++j;
    }
    const int before = m_count;
    m_count += (joined.last - joined.first + 1) - covered;
    if (j == i) {
        m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i), joined);
    } else {
        m_runs[i] = joined;
        m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, m_runs.begin() + static_cast<std::ptrdiff_t>(j));
    }
    return m_count != before;
}

bool CListSelection::Cut(int lo, int hi) {
    const size_t i = RunFrom(lo);
    size_t j = i;
    std::vector<TRun> kept;
    while (j < m_runs.size() && m_runs[j].first <= hi) {
        const TRun run = m_runs[j++];
        if (run.first < lo) kept.push_back(TRun{run.first, lo - 1});
        if (run.last > hi) kept.push_back(TRun{hi + 1, run.last});
        m_count -= std::min(run.last, hi) - std::max(run.first, lo) + 1;
    }
    if (j == i) return false;
    m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(i), m_runs.begin() + static_cast<std::ptrdiff_t>(j));
    m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i), kept.begin(), kept.end());
    return true;
}

void CListSelection::Inserted(int at, int count) {
    if (count <= 0 || at < 0 || at > GetRowCount() || count > INT_MAX - m_rows) return;
    m_rows += count;
    const size_t i = RunFrom(at);
    if (i < m_runs.size() && m_runs[i].first < at) {
        // The new rows split a run; they come in unselected.
        const TRun tail = {at, m_runs[i].last};
        m_runs[i].last = at - 1;
        m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
    }
    for (size_t k = i; k < m_runs.size(); ++k) {
        if (m_runs[k].first < at) continue;
        m_runs[k].first += count;
        m_runs[k].last += count;
    }
    m_caret = Follow(m_caret, at, count, true);
    m_anchor = Follow(m_anchor, at, count, true);
    m_hot = Follow(m_hot, at, count, true);
}

void CListSelection::Removed(int at, int count) {
    if (at < 0 || at >= GetRowCount() || count <= 0) return;
    if (count > GetRowCount() - at) count = GetRowCount() - at;
    Cut(at, at + count - 1);
    const size_t i = RunFrom(at);
    for (size_t k = i; k < m_runs.size(); ++k) {
        m_runs[k].first -= count;
        m_runs[k].last -= count;
    }
    // The runs on either side of the removed rows may now touch.
    if (i > 0 && i < m_runs.size() && m_runs[i - 1].last + 1 == m_runs[i].first) {
        m_runs[i - 1].last = m_runs[i].last;
        m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(i));
    }
    m_rows -= count;
    m_caret = Follow(m_caret, at, count, false);
    m_anchor = Follow(m_anchor, at, count, false);
    m_hot = Follow(m_hot, at, count, false);
}

bool CListSelection::IsSelected(int row) const {
    if (!Valid(row)) return false;
    const size_t i = RunFrom(row);
    return i < m_runs.size() && m_runs[i].first <= row;
}

int CListSelection::NextSelected(int row) const {
    const long long from = row < 0 ? 0 : static_cast<long long>(row) + 1;
    const size_t i = RunFrom(from);
    if (i >= m_runs.size()) return -1;
    return m_runs[i].first > from ? m_runs[i].first : static_cast<int>(from);
}

bool CListSelection::Set(int row, bool selected) {
    if (!Valid(row)) return false;
    return selected ? Join(row, row) : Cut(row, row);
}

bool CListSelection::Clear() {
    if (m_count == 0) return false;
    m_runs.clear();
    m_count = 0;
    return true;
}

bool CListSelection::SelectRange(int a, int b, bool add) {
    if (!Valid(a) || !Valid(b)) return false;
    const int lo = a < b ? a : b;
    const int hi = a < b ? b : a;
    if (add) return Join(lo, hi);
    if (m_runs.size() == 1 && m_runs[0].first == lo && m_runs[0].last == hi) return false;
    m_runs.assign(1, TRun{lo, hi});
    m_count = hi - lo + 1;
    return true;
}

// ---- type-ahead ----

const CUIString& CListTypeAhead::Add(wchar_t ch, DWORD time) {
    if (m_typed.IsEmpty() || time - m_last > static_cast<DWORD>(kResetMs)) Reset();
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
