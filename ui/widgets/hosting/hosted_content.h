// CHostedContent: the accessible object of what a control hosts (an embedded
// object's own), as the control's element shows it to a client. The object's
// children become the element's children under the object's own child numbers;
// the element answers for simple children by forwarding, and hands out the
// children that are objects of their own.
//
// The object is asked afresh on every call and trusted with nothing: its child count
// is bounded, a child or hit that names the object itself or the element counts as
// the element, navigation among the children is worked out here from the count, and
// every reference taken is given back. Calls into hosted objects nest at most
// kMaxDepth deep on a thread: a hosted object that calls back into its host (itself
// or through other hosts) finds no content there below that depth.
#pragma once
#include <windows.h>
#include <oleacc.h>

namespace SkinUI {

class CControlUI;

class CHostedContent {
public:
    // The most children a hosted object shows; a larger count is cut to this.
    static const long kMaxChildren = 4096;
    static const int kMaxDepth = 8;

    CHostedContent() = default;
    CHostedContent(const CHostedContent&) = delete;
    CHostedContent& operator=(const CHostedContent&) = delete;
    ~CHostedContent() { Reset(nullptr); }

    // Takes the content of `control` (none for null), giving back the one held.
    void Reset(CControlUI* control);
    IAccessible* Get() const { return m_content; }
    explicit operator bool() const { return m_content != nullptr; }

    // The number of children, 0 to kMaxChildren; asked once per Reset.
    long ChildCount();
    // Child `number` (1 to ChildCount) as a client gets it: VT_DISPATCH for a child
    // that is an object of its own, else VT_I4 with the number. `element` is the
    // object that shows the content, which never counts as a child.
    void ChildVariant(long number, IUnknown* element, VARIANT* out);
    // The child object (a reference for the caller), or null for a simple child.
    IDispatch* ChildObject(long number, IUnknown* element);
    // Makes a variant the object answered (a hit or a navigation) safe to hand on:
    // a child number in range or another object stays; the object itself or the
    // element becomes CHILDID_SELF; anything else is cleared. False when cleared.
    bool Screen(VARIANT* v, IUnknown* element);

private:
    // True when `object` is the content itself or `element` (COM identity).
    bool IsSelf(IUnknown* object, IUnknown* element) const;

    IAccessible* m_content = nullptr;
    long m_count = -1;
    bool m_counted = false;  // holds one level of the thread's depth
};

}  // namespace SkinUI
