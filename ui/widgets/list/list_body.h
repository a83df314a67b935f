// CListBodyUI: the part of a list that holds the row controls and scrolls them.
//
// Rows are stacked top to bottom, each as high as it sets (else the list's row
// height) and as wide as the columns, or the view when that is wider. Every row
// added or removed is told to the list, which keeps the selection in step.
//
// In a list fed by data the body's controls are not rows of their own: it keeps one
// text row per row in view (plus one, for a row cut at both edges), binds each to the
// row it shows at every placement and scroll, and reports the scroll range of all
// rows at the list's row height. Controls left over when fewer rows show are hidden.
#pragma once

#include "ui/controls/container.h"

namespace SkinUI {

class CListUI;

class CListBodyUI final : public CContainerUI {
public:
    explicit CListBodyUI(CListUI* owner);

    const wchar_t* GetClass() const override;          // "ListBodyUI"
    void* GetInterface(const wchar_t* name) override;  // "ListBody"
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void SetScrollPos(SIZE pos) override;
    void SetFocus() override;  // a press between rows focuses the list
    void HandleEvent(TUIEvent& event) override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    // The list goes first: a body without a list tells nobody.
    void SetOwner(CListUI* owner) { m_pOwner = owner; }
    // The wheel and the scrolling keys for the list; true when taken.
    bool ScrollFor(const TUIEvent& event);
    // A row's height in pixels.
    int RowHeight(CControlUI* row) const;
    // Moves the `count` row controls from index `from` on so that they start at `to`
    // (counted after the move), numbering the rows again; false for a bad range.
    bool MoveRows(int from, int count, int to);

    // ---- a list fed by data ----
    // The control bound to a data row, or null when the row is not in view.
    CControlUI* DataRowControl(int row) const;
    // Where a data row lies (window pixels, scrolled), in view or not.
    CUIRect DataRowRect(int row) const;
    // The rows changed: every control is bound again at the next placement.
    void DataChanged();

private:
    enum { kMaxDataControls = 2048 };
    // The height of every data row (at least a pixel).
    int DataRowStep() const;
    void PlaceDataRows(const CUIRect& rc, SIZE scroll, int width);

    CListUI* m_pOwner;
    int m_nFirstDataRow = 0;    // the row the first control shows
    int m_nDataShown = 0;       // how many controls show rows
    int m_nBoundColumns = -1;   // the column count the controls were bound for (-1: bind again)
};

}  // namespace SkinUI
