// CListBodyUI: the part of a list that holds the row controls and scrolls them.
//
// Rows are stacked top to bottom, each as high as it sets (else the list's row
// height) and as wide as the columns, or the view when that is wider. Every row
// added or removed is told to the list, which keeps the selection in step.
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

private:
    CListUI* m_pOwner;
};

}  // namespace SkinUI
