// CTabLayoutUI: a container that shows one child, the selected page, at a time.
// The page fills the content area; every other child is hidden. A page is
// selected by index or by control, from markup ("selectedid"), or by a button
// bound to the layout ("bindtablayoutname", "bindtabindex"). A change sends
// "tabselect" with the new index in wParam and the old one in lParam.
#pragma once

#include "ui/controls/container.h"
#include "ui/controls/tab_select.h"

namespace SkinUI {

class CTabLayoutUI : public CContainerUI, public ITabSelectUI {
public:
    CTabLayoutUI();

    const wchar_t* GetClass() const override;          // "TabLayoutUI"
    void* GetInterface(const wchar_t* name) override;  // "TabLayout", kTabSelectInterface
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

    // The child list keeps the selection on the same page: a child added while a page
    // is shown is hidden, and removing the shown page shows the one that takes its place.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;
    bool SetItemIndex(CControlUI* control, int index) override;

    // ITabSelectUI
    int GetCurSel() const override;
    bool SelectItem(int index) override;
    bool SelectPage(CControlUI* page);

protected:
    // Shows the page at `index` and hides the others; with `notify`, sends
    // "tabselect". False for an index that names no page.
    bool Select(int index, bool notify);
    // Called when another page has been shown, before "tabselect" is sent;
    // `byUser` is false for the skin's own choice of the first page.
    virtual void OnPageChanged(int oldIndex, bool byUser);

    int m_iCurSel;
};

}  // namespace SkinUI
