// For the list tests: a window holding a list (built from markup), writing down the
// list's notifications, with helpers that send real mouse and key messages.
#pragma once

#include <windows.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/widgets/list/list.h"

namespace listtest {

enum : WORD { kNone = 0, kShift = MK_SHIFT, kCtrl = MK_CONTROL };

class CListHost final : public SkinUI::INotifyUI {
public:
    bool Open(const wchar_t* markup, int percent = 100) {
        if (!host.Open(markup, 320, 240, true, percent)) return false;
        host.pm.AddNotifier(this);
        ::SetActiveWindow(host.GetHWND());
        return List() != nullptr;
    }
    void ReceiveNotify(SkinUI::TUINotify& msg) override {
        for (const wchar_t* type : {L"itemselect", L"itemclick", L"itemactivate", L"headerclick", L"columnresize"}) {
            if (msg.sType != type) continue;
            notes += layouttest::Narrow(type) + ":" + std::to_string(static_cast<int>(msg.wParam));
            if (msg.sType == L"itemselect" || msg.sType == L"columnresize")
                notes += ":" + std::to_string(static_cast<int>(msg.lParam));
            notes += " ";
        }
    }
    SkinUI::CListUI* List() const {
        SkinUI::CControlUI* found = host.Find(L"list");
        return found != nullptr ? static_cast<SkinUI::CListUI*>(found->GetInterface(L"List")) : nullptr;
    }
    static POINT Centre(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }
    // Holds Shift and Ctrl (as the keyboard state says) for what `send` does.
    template <class F>
    void WithKeys(WORD keys, F send) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = (keys & kShift) != 0 ? 0x80 : 0;
        state[VK_CONTROL] = (keys & kCtrl) != 0 ? 0x80 : 0;
        ::SetKeyboardState(state);
        send();
        state[VK_SHIFT] = state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
    }
    void Key(UINT vk, WORD keys = kNone) {
        WithKeys(keys, [&] { ::SendMessageW(host.GetHWND(), WM_KEYDOWN, vk, 1); });
    }
    void Char(wchar_t ch) { ::SendMessageW(host.GetHWND(), WM_CHAR, ch, 1); }
    void Press(POINT pt, WORD keys = kNone, UINT msg = WM_LBUTTONDOWN) {
        WithKeys(keys, [&] { ::SendMessageW(host.GetHWND(), msg, MK_LBUTTON | keys, MAKELPARAM(pt.x, pt.y)); });
    }
    void Release(POINT pt) { ::SendMessageW(host.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y)); }
    void Move(POINT pt, WPARAM buttons = 0) {
        ::SendMessageW(host.GetHWND(), WM_MOUSEMOVE, buttons, MAKELPARAM(pt.x, pt.y));
    }
    void ClickRow(int row, WORD keys = kNone) {
        const POINT pt = Centre(List()->GetRowRect(row));
        Press(pt, keys);
        Release(pt);
    }
    // Drags from one point to another with the left button held.
    void Drag(POINT from, POINT to) {
        Press(from);
        Move(to, MK_LBUTTON);
        Release(to);
    }
    // The selected rows, as "1,2,4".
    std::string Selected() const {
        std::string out;
        for (int row = List()->GetNextSelected(-1); row >= 0; row = List()->GetNextSelected(row))
            out += (out.empty() ? "" : ",") + std::to_string(row);
        return out;
    }

    layouttest::CHost host;
    std::string notes;
};

}  // namespace listtest
