// A list fed by data: rows whose texts come from a source instead of one control
// per row.
//
// CListUI::SetDataSource(source) turns a list into a text list of the source's rows.
// All rows have the list's row height ("itemheight"); the list makes row controls
// (CListTextElementUI) only for the rows in view, plus one, and binds them to other
// rows as it scrolls, asking the source for a row's texts only when the row is shown
// or read (type-ahead, screen readers, GetRowText). Nothing is kept per row: a million
// rows cost what a hundred do. Selection, keys, type-ahead, hot tracking and the
// notifications are those of a list of row controls, by row index.
//
// The list knows the row count the source gave when it was set or when the program
// last called CListUI::DataChanged(); a source must not report rows it forgets until
// then. A row whose text the source cannot give is drawn empty.
//
// For skins, "rowcount" gives a list a source of its own that makes its texts from
// "rowformat": the columns' patterns separated by '|', in which {n} stands for the
// row's number (from 1) and {i} for its index (from 0); the default is "Row {n}".
#pragma once

#include "ui/core/ui_string.h"

namespace SkinUI {

class IListDataSource {
public:
    virtual int GetRowCount() = 0;
    // Sets `out` to the text of a row's column (left empty when there is none).
    virtual void GetText(int row, int column, CUIString& out) = 0;

protected:
    ~IListDataSource() = default;
};

// The source that "rowcount" and "rowformat" make.
class CListGeneratedSource final : public IListDataSource {
public:
    enum { kMaxRows = 10000000, kMaxFormat = 1024 };
    int GetRowCount() override { return m_nRows; }
    void GetText(int row, int column, CUIString& out) override;
    // Takes a count (clamped to 0..kMaxRows) or a format (cut at kMaxFormat characters).
    void SetRowCount(int count);
    void SetFormat(const wchar_t* format);

private:
    int m_nRows = 0;
    CUIString m_sFormat = L"Row {n}";
};

}  // namespace SkinUI
