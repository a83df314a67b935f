// CListSelection: which rows of a list are selected, where the caret (the focused
// row) and the anchor of a Shift range are, and which row is hot. It knows rows
// only by index, so that a list of row controls, a list fed by data and a tree
// share it; the list tells it when rows come and go. The selected rows are kept as
// sorted runs of neighbouring rows, so that a million rows, all or none of them
// selected, cost a few bytes.
//
// CListTypeAhead: the letters typed in a row, which start over after a second
// without typing.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/core/ui_string.h"

namespace SkinUI {

class CListSelection {
public:
    int GetRowCount() const { return m_rows; }
    // Forgets every row and then knows `count` unselected ones.
    void Reset(int count);
    // Rows [at, at + count) came in / went: the marks after them follow.
    void Inserted(int at, int count);
    void Removed(int at, int count);

    bool IsSelected(int row) const;
    int GetSelectedCount() const { return m_count; }
    // The first selected row after `row` (-1 starts from the top); -1 when none.
    int NextSelected(int row) const;
    // Each returns true when the set of selected rows changed.
    bool Set(int row, bool selected);
    bool Clear();
    // Selects [min(a, b), max(a, b)] and, unless `add`, nothing else.
    bool SelectRange(int a, int b, bool add);

    int GetCaret() const { return m_caret; }
    void SetCaret(int row) { m_caret = Valid(row) ? row : -1; }
    int GetAnchor() const { return m_anchor; }
    void SetAnchor(int row) { m_anchor = Valid(row) ? row : -1; }
    int GetHot() const { return m_hot; }
    void SetHot(int row) { m_hot = Valid(row) ? row : -1; }

private:
    // Rows first..last, both selected.
    struct TRun {
        int first;
        int last;
    };
    bool Valid(int row) const { return row >= 0 && row < GetRowCount(); }
    static int Follow(int mark, int at, int count, bool inserted);
    // The first run that ends at or after `row`.
    size_t RunFrom(long long row) const;
    // Selects / unselects rows lo..hi (valid, lo <= hi); true when that changed anything.
    bool Join(int lo, int hi);
    bool Cut(int lo, int hi);

    std::vector<TRun> m_runs;  // in order, apart (a gap of at least one row between two)
    int m_rows = 0;
    int m_count = 0;
    int m_caret = -1;
    int m_anchor = -1;
    int m_hot = -1;
};

class CListTypeAhead {
public:
    enum { kResetMs = 1000 };
    // Adds a typed character at `time` (GetTickCount); returns the prefix to look for.
    // Typing one letter again and again cycles through the rows that start with it.
    const CUIString& Add(wchar_t ch, DWORD time);
    // True when the prefix is one letter repeated: the search starts after the caret.
    bool IsCycling() const { return m_cycling; }
    void Reset() {
        m_typed.Empty();
        m_missed = 0;
    }
    // The search for the prefix found nothing: longer prefixes typed on will find nothing
    // either, so that a long list is read once at most per run of typing.
    void Missed() { m_missed = m_prefix.GetLength(); }
    bool IsHopeless() const { return m_missed > 0 && m_prefix.GetLength() >= m_missed; }

    // Does `text` start with `prefix`, ignoring case?
    static bool StartsWith(const wchar_t* text, const CUIString& prefix);

private:
    CUIString m_typed;
    CUIString m_prefix;
    DWORD m_last = 0;
    int m_missed = 0;  // the length of the prefix that found nothing (0: none)
    bool m_cycling = false;
};

}  // namespace SkinUI
