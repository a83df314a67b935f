// CListUI: a scrolling list of rows under an optional header of columns, with
// single or multiple selection, keys, type-ahead and hot tracking.
//
// Markup: the header (<ListHeader>) is the list's first child element and its
// columns (<ListHeaderItem>) are the header's children; every other child is a
// row (<ListLabelElement>, <ListTextElement>, <ListContainerElement>). The header
// scrolls sideways with the rows; a list without header items shows none.
//
// Structure: the list holds two controls, the header and the body (which owns the
// rows and the scroll bars). Add, AddAt, Remove, RemoveAt and RemoveAll take rows
// (a header given to Add replaces the list's header); GetItemAt and GetCount see
// the two parts, as the framework's walks need: rows are read with GetRow and
// GetRowCount.
//
// Mouse: a press selects the row (Ctrl toggles, Shift selects from the anchor, when
// "multiselect" is on); a double click activates it. Keys (with the focus): Up,
// Down, Home, End, Page Up, Page Down move the caret and the selection (Shift
// extends it, Ctrl moves the caret alone; Ctrl+Space toggles; Ctrl+A selects all),
// Enter activates, Left and Right scroll sideways, and letters select the next row
// whose text starts with what was typed within the last second.
//
// Notifications (all sent by the list): "itemselect" (wParam the caret row, or -1
// when nothing is selected; lParam the row it was before), "itemclick" (wParam the
// row), "itemactivate" (wParam the row), "headerclick" (wParam the column) and
// "columnresize" (wParam the column, lParam its new width in pixels).
//
// Attributes: "multiselect", "header" ("hidden" keeps the columns but shows no
// header), "vscrollbar", "hscrollbar", "vscrollbarstyle", "hscrollbarstyle",
// "scrollstepsize" (for the body), and the rows' looks (list_looks.h): "itemheight",
// "itemfont", "itemalign", "itemtextpadding", "itemtextcolor", "itembkcolor",
// "itembkimage", "itemaltbkcolor", "itemlinecolor", and per state "itemhottextcolor",
// "itemhotbkcolor", "itemhotimage", "itemselectedtextcolor", "itemselectedbkcolor",
// "itemselectedimage", "itemdisabledtextcolor", "itemdisabledbkcolor", "itemdisabledimage".
//
// Extension points (a list fed by data, a tree):
// - Everything about selection works on row indices (CListSelection), through the
//   protected hooks GetRowCount, GetRowText (type-ahead, screen readers),
//   IsRowSelectable, GetRowRect, ShowRow and RowChanged. A list that draws rows
//   from data overrides them, calls ResetRows(count) when its data changes, and
//   returns from GetRowControl the control that shows a row (null when none does).
// - Row controls implement IListRowUI (GetInterface(L"ListRow")); the element kinds
//   here are ready-made ones. Rows report presses, clicks, double clicks and hover
//   through RowPressed, RowClicked, RowActivated and SetHotRow.
// - Columns are read with GetColumnCount and GetColumnSpan (window pixels, scrolled).
//
// A list fed by data (list_data.h): SetDataSource, or "rowcount" and "rowformat" in
// markup, shows a source's rows through a few row controls that the body binds to the
// rows in view; such a list takes no row controls of its own.
//
// Reordering (list_reorder.cpp): rows with "drag", or every row of a list with "itemdrag",
// can be dragged to another place with the left button (past the system's drag distance;
// the mouse stays captured by the window, no OLE). An insertion mark ("insertmarkcolor")
// shows where the row goes, the list scrolls when the pointer leaves it, and Esc or a
// lost focus cancels. Dropped elsewhere, the row moves (its selection with it) and the
// list sends "itemmove" (wParam the row before, lParam its row after); a release that
// ends a drag is no click. A list fed by data moves nothing itself: it sends "itemmove",
// in which the program reorders its data, and then shows the rows again.
#pragma once

#include <memory>

#include "ui/controls/container.h"
#include "ui/widgets/list/list_data.h"
#include "ui/widgets/list/list_looks.h"
#include "ui/widgets/list/list_selection.h"

namespace SkinUI {

class CListUI;
class CListHeaderUI;
class CListBodyUI;

// What the list needs of a row control.
class IListRowUI {
public:
    virtual void SetOwner(CListUI* owner) = 0;
    virtual CListUI* GetOwner() const = 0;
    // The row's index, kept by the list as rows come and go.
    virtual int GetRowIndex() const = 0;
    virtual void SetRowIndex(int index) = 0;
    // The text type-ahead and screen readers read (the first column's).
    virtual CUIString GetRowText() const = 0;

protected:
    ~IListRowUI() = default;
};

inline constexpr wchar_t kListRowInterface[] = L"ListRow";

class CListUI : public CContainerUI {
public:
    CListUI();
    ~CListUI() override;

    const wchar_t* GetClass() const override;          // "ListUI"
    void* GetInterface(const wchar_t* name) override;  // "List"
    UINT GetControlFlags() const override;             // a tab stop
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    int FindSelectable(int index, bool forward = true) const override;

    // Rows (see above); a header given to Add or AddAt becomes the list's header.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;
    CControlUI* GetRow(int row) const;
    int GetRowIndex(CControlUI* control) const;

    // Scrolling is the body's.
    SIZE GetScrollPos() const override;
    SIZE GetScrollRange() const override;
    void SetScrollPos(SIZE pos) override;
    void EnableScrollBar(bool vertical = true, bool horizontal = false) override;

    // ---- a list fed by data (list_data.h) ----
    // Shows the source's rows instead of row controls, which go (null: back to row
    // controls, none yet). The list does not own the source: it must outlive the list,
    // or be taken away first.
    void SetDataSource(IListDataSource* source);
    IListDataSource* GetDataSource() const { return m_pSource; }
    // The source's rows changed: takes its row count again, forgets the selection and
    // binds the rows in view anew.
    void DataChanged();

    CListHeaderUI* GetHeader() const { return m_pHeader; }
    CListBodyUI* GetBody() const { return m_pBody; }
    bool IsHeaderShown() const { return m_bShowHeader; }
    void SetHeaderShown(bool show);
    int GetColumnCount() const;
    // A column's left and right edges in window pixels (scrolled); {0, 0} out of range.
    POINT GetColumnSpan(int column) const;

    // ---- selection, by row index ----
    bool IsMultiSelect() const { return m_bMultiSelect; }
    void SetMultiSelect(bool multi);
    // The caret row when it is selected, else the first selected row; -1 when none.
    int GetCurSel() const;
    // Selects the row alone (-1 clears) and puts the caret on it; false for a row
    // that cannot be selected. With `notify` a change sends "itemselect".
    bool SelectItem(int row, bool notify = true);
    // Adds a row to the selection or takes it out (a single-select list selects it alone).
    bool SetItemSelected(int row, bool selected, bool notify = true);
    // Selects the rows from `from` to `to` (and, unless `add`, no others), as Shift does:
    // the anchor goes to `from` and the caret to `to`.
    bool SelectRange(int from, int to, bool add, bool notify = true);
    bool IsItemSelected(int row) const { return m_sel.IsSelected(row); }
    int GetSelectedCount() const { return m_sel.GetSelectedCount(); }
    // The next selected row after `row` (-1 from the top); -1 when none.
    int GetNextSelected(int row) const { return m_sel.NextSelected(row); }
    void ClearSelection(bool notify = true);
    int GetCaretRow() const { return m_sel.GetCaret(); }
    int GetHotRow() const { return m_sel.GetHot(); }
    const TListItemLooks& GetItemLooks() const { return m_looks; }
    // A row's height in pixels when it sets none (scaled).
    int GetDefaultRowHeight() const;
    // The state a row is drawn in (EListRowState).
    int GetRowState(int row) const;

    // ---- what rows and the tree call ----
    // A press on a row with the mouse keys state (MK_CONTROL, MK_SHIFT).
    void RowPressed(int row, WORD keyState);
    void RowClicked(int row);
    void RowActivated(int row);
    void SetHotRow(int row);
    // A key the list handles (the focus may be on a control inside a row); true when taken.
    bool MoveByKey(UINT vk, WORD keyState);
    // A typed character at `time`; true when a row was found.
    bool TypeAhead(wchar_t ch, DWORD time);
    // Header items' calls; Relayout places the header and the rows again at once.
    void ColumnClicked(int column);
    void ColumnResized(int column);
    void Relayout();

    // ---- hooks for lists that make their rows themselves ----
    virtual int GetRowCount() const;
    virtual CUIString GetRowText(int row) const;
    virtual bool IsRowSelectable(int row) const;
    // The row's rectangle in window pixels (scrolled; may lie outside the view).
    virtual CUIRect GetRowRect(int row) const;
    // Scrolls the body so that the row is in view.
    virtual void ShowRow(int row);
    // The control that shows a row, or null.
    virtual CControlUI* GetRowControl(int row) const;

    // The body's calls when row controls come and go.
    void RowsInserted(int at, int count);
    void RowsRemoved(int at, int count);

    // ---- reordering by dragging (list_reorder.cpp) ----
    bool IsItemDrag() const { return m_bItemDrag; }
    void SetItemDrag(bool drag) { m_bItemDrag = drag; }
    DWORD GetInsertMarkColor() const { return m_dwInsertMark; }
    void SetInsertMarkColor(DWORD color) { m_dwInsertMark = color; }
    bool IsRowDragging() const { return m_drag.state == TRowDrag::kDragging; }
    // The gap the dragged row would go to (0..row count: before that row), or -1.
    int GetDragGap() const { return IsRowDragging() ? m_drag.gap : -1; }
    // What rows report: a press of the left button (`control` the row's control), the mouse
    // moving while it is held (true when the drag takes it), its release (true when that
    // ended a drag, which is then no click).
    void RowDragPress(int row, CControlUI* control, POINT pt);
    bool RowDragMove(POINT pt);
    bool RowDragRelease(POINT pt);
    // Ends a drag without moving anything; the release that follows is no click.
    void CancelRowDrag();
    void DrawOverlay(HDC dc) override;  // the insertion mark

protected:
    // The row's looks changed (selection, hot): repaint it.
    virtual void RowChanged(int row);
    // Forgets the selection and knows `count` rows.
    void ResetRows(int count);
    // How many rows a page holds.
    int PageRows() const;
    // Where a dragged row may go nearest `pt`: a gap (0..row count, before that row), or -1.
    virtual int DragGapAt(int from, POINT pt) const;
    // Moves a dragged row to a gap and sends "itemmove"; false when it stays.
    virtual bool MoveRowToGap(int from, int gap);
    // The y of the insertion mark before row `gap` (after the last row for the row count).
    int GapY(int gap) const;
    // Places the header for the body's sideways scroll position `x`.
    void PlaceHeader(int x);

private:
    friend class CListBodyUI;
    void Notify(const wchar_t* type, WPARAM wParam, LPARAM lParam = 0);
    // Sends "itemselect" (and tells screen readers) when the selection changed.
    void SelectionChanged(bool changed, int oldCurSel, bool notify);
    int NextSelectable(int row, int step) const;
    // Selects a range (leaving out rows that cannot be selected); true when that changed anything.
    bool Range(int from, int to, bool add);
    void MoveCaret(int to, WORD keyState);
    // A row's first text into `out`, for searches that read many rows.
    void ReadRowText(int row, CUIString& out) const;

    CListHeaderUI* m_pHeader;
    CListBodyUI* m_pBody;
    CListSelection m_sel;
    CListTypeAhead m_typeAhead;
    TListItemLooks m_looks;
    bool m_bMultiSelect;
    bool m_bShowHeader;
    bool m_bBarsChosen;  // "vscrollbar"/"hscrollbar" were given, or the default bars made
    int m_nHeaderX;      // the sideways scroll the header was placed for
    IListDataSource* m_pSource = nullptr;
    int m_nDataRows = 0;  // the source's row count when last asked
    std::unique_ptr<CListGeneratedSource> m_pGenerated;  // made by "rowcount"
    struct TRowDrag {
        enum { kIdle, kPressed, kDragging, kCancelled } state = kIdle;
        int from = -1;
        int gap = -1;
        POINT start = {0, 0};
    } m_drag;
    bool m_bItemDrag = false;
    DWORD m_dwInsertMark = 0xFF000000;
};

}  // namespace SkinUI
