// What a button bound to a tab layout ("bindtablayoutname", "bindtabindex")
// needs of the layout it names. The tab layouts are further controls: they
// answer GetInterface(kTabSelectInterface) with this part, so the button and
// the accessibility tree need none of their code.
#pragma once

namespace SkinUI {

inline constexpr wchar_t kTabSelectInterface[] = L"ITabSelect";

class ITabSelectUI {
public:
    // The index of the page shown, -1 for none.
    virtual int GetCurSel() const = 0;
    // Shows the page at `index` and sends "tabselect"; false when there is no such page.
    virtual bool SelectItem(int index) = 0;

protected:
    ~ITabSelectUI() = default;
};

}  // namespace SkinUI
