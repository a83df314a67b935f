// The ready-made rows of a list.
//
// CListLabelElementUI (<ListLabelElement>): one text across the row.
// CListTextElementUI (<ListTextElement>): a text per column. "text" sets the first
// column's; "texts" sets them all, separated by '|' ("\|" is a bar and "\\" a
// backslash within a text); SetColumnText sets one from code.
// CListContainerElementUI (<ListContainerElement>): any controls, the n-th in the
// n-th column (side by side as a horizontal layout would place them when the list
// has no columns).
//
// Each row is drawn with its list's looks for its state (list_looks.h), and sets
// its own height with "height" (else the list's "itemheight").
#pragma once

#include <vector>

#include "ui/controls/horizontal_layout.h"
#include "ui/widgets/list/list.h"

namespace SkinUI {

// What every row kind shares: its list, its index and the events it hands on.
class CListRowCore {
public:
    CListUI* owner = nullptr;
    int index = -1;
    // The list's share of a row's events; true when the event was taken.
    bool Handle(CControlUI* row, TUIEvent& event);
    int State(const CControlUI* row) const;
    void PaintBackground(HDC dc, CControlUI* row) const;
};

class CListLabelElementUI : public CControlUI, public IListRowUI {
public:
    const wchar_t* GetClass() const override;          // "ListLabelElementUI"
    void* GetInterface(const wchar_t* name) override;  // "ListLabelElement", "ListRow"
    bool Activate() override;                          // selects and activates
    void SetFocus() override;                          // the list takes the keyboard
    void HandleEvent(TUIEvent& event) override;
    SIZE MeasureDesired(SIZE available) override;
    void DrawBackColor(HDC dc) override;
    void DrawBackImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;
    void DrawBorder(HDC dc) override;

    // IListRowUI
    void SetOwner(CListUI* owner) override { m_row.owner = owner; }
    CListUI* GetOwner() const override { return m_row.owner; }
    int GetRowIndex() const override { return m_row.index; }
    void SetRowIndex(int index) override { m_row.index = index; }
    CUIString GetRowText() const override { return GetText(); }

protected:
    CListRowCore m_row;
};

class CListTextElementUI : public CListLabelElementUI {
public:
    enum { kMaxColumns = 65536 };
    const wchar_t* GetClass() const override;          // "ListTextElementUI"
    void* GetInterface(const wchar_t* name) override;  // "ListTextElement"
    CUIString GetText() const override;                // the first column's
    void SetText(const wchar_t* text) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawLabelText(HDC dc) override;

    int GetColumnTextCount() const { return static_cast<int>(m_texts.size()); }
    CUIString GetColumnText(int column) const;
    // Sets one column's text (a column past kMaxColumns is refused).
    bool SetColumnText(int column, const wchar_t* text);
    // Sets every column from a '|'-separated list.
    void SetTexts(const wchar_t* texts);

private:
    std::vector<CUIString> m_texts;
};

class CListContainerElementUI : public CHorizontalLayoutUI, public IListRowUI {
public:
    const wchar_t* GetClass() const override;          // "ListContainerElementUI"
    void* GetInterface(const wchar_t* name) override;  // "ListContainerElement", "ListRow"
    bool Activate() override;
    void SetFocus() override;
    void HandleEvent(TUIEvent& event) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    SIZE MeasureDesired(SIZE available) override;
    void DrawBackColor(HDC dc) override;
    void DrawBackImage(HDC dc) override;
    void DrawBorder(HDC dc) override;

    void SetOwner(CListUI* owner) override { m_row.owner = owner; }
    CListUI* GetOwner() const override { return m_row.owner; }
    int GetRowIndex() const override { return m_row.index; }
    void SetRowIndex(int index) override { m_row.index = index; }
    // The text of the first child that has one.
    CUIString GetRowText() const override;

protected:
    CListRowCore m_row;
};

}  // namespace SkinUI
