// CChildLayoutUI: a container whose only child is built from another skin file
// ("xmlfile"), read from the same archive or folder as the window's own skin.
// The file is built when the layout joins a window, and again when the name
// changes afterwards. Its first top-level control becomes the child; its
// resource elements (images, fonts, styles) join the window's, as an Include's
// do. A root element named Window also sets the window's attributes, again as
// an Include's does; a file meant only for child layouts names its root
// otherwise (for example <ChildSkin>) and leaves the window as it is.
//
// Child layouts may hold child layouts. A file that is already being built
// further up the chain (a file that includes itself, directly or through
// others) is not built again, the chain is at most kMaxDepth files deep, and
// everything one chain builds is bounded by kMaxControls.
#pragma once

#include "ui/controls/container.h"

namespace SkinUI {

class CChildLayoutUI : public CContainerUI {
public:
    static constexpr int kMaxDepth = 8;
    static constexpr int kMaxControls = 4000;

    CChildLayoutUI();

    const wchar_t* GetClass() const override;          // "ChildLayoutUI"
    void* GetInterface(const wchar_t* name) override;  // "ChildLayout"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void InitializeSelf() override;

    void SetChildLayoutXML(const wchar_t* file);
    const CUIString& GetChildLayoutXML() const { return m_sXmlFile; }

private:
    void Build();

    CUIString m_sXmlFile;
    CUIString m_sBuilt;  // the file the child was last built from
    bool m_bInitialized = false;
};

}  // namespace SkinUI
