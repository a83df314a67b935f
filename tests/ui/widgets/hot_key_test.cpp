// Hot-key fields record what is pressed while they have the focus, as the window's
// messages bring it (held modifiers from the keyboard state, Alt through the loop's
// system keys); Backspace clears; the value reads back and is what a screen reader hears.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/input/hot_key.h"

using namespace SkinUI;

namespace {

class CNotes final : public INotifyUI {
public:
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"hotkeychanged") notes += std::to_string(msg.wParam) + " ";
    }
    std::string notes;
};

// Holds the given keys down in this thread's keyboard state (none: all up).
void Hold(std::initializer_list<BYTE> keys) {
    BYTE state[256] = {};
    for (BYTE key : keys) state[key] = 0x80;
    ::SetKeyboardState(state);
}

TEST(HotKey, RecordsCombinationsAndBackspaceClears) {
    layouttest::CHost host;
    ASSERT_TRUE(host.Open(L"<Window><VerticalLayout><HotKey name=\"h\" height=\"24\" hotkeymodifiers=\"4\" "
                          L"hotkey=\"113\"/><Button name=\"b\" height=\"20\"/></VerticalLayout></Window>",
                          200, 60, true));
    CNotes notes;
    host.pm.AddNotifier(&notes);
    auto* field = static_cast<CHotKeyUI*>(host.Find(L"h")->GetInterface(L"HotKey"));
    EXPECT_EQ(field->GetHotKey(), MAKEWORD(VK_F2, HOTKEYF_ALT));  // modifiers given before the key are kept
    host.Click(L"h");
    const struct {
        std::initializer_list<BYTE> held;
        UINT message;
        WPARAM key;
        LPARAM data;
        WORD value;
    } kSteps[] = {
        {{VK_CONTROL, VK_SHIFT}, WM_KEYDOWN, VK_F5, 1, MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_SHIFT)},
        {{VK_SHIFT}, WM_KEYDOWN, VK_SHIFT, 1, MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_SHIFT)},  // a modifier alone
        {{}, WM_KEYDOWN, 'A', 1, MAKEWORD('A', 0)},
        {{}, WM_KEYDOWN, VK_BACK, 1, 0},
        {{VK_CONTROL}, WM_KEYDOWN, VK_BACK, 1, MAKEWORD(VK_BACK, HOTKEYF_CONTROL)},  // with a modifier it is a key
        {{VK_MENU}, WM_SYSKEYDOWN, VK_HOME, 1 | (1 << 24) | (1 << 29), MAKEWORD(VK_HOME, HOTKEYF_ALT | HOTKEYF_EXT)},
        {{}, WM_KEYDOWN, VK_BACK, 1, 0},
    };
    std::string expected;
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.key);
        Hold(step.held);
        MSG msg = {host.GetHWND(), step.message, step.key, step.data, 0, {}};
        // As the message loop delivers it: system keys reach the focus through the pre-translation.
        if (!CPaintManagerUI::TranslateUIMessage(&msg)) ::DispatchMessageW(&msg);
        EXPECT_EQ(field->GetHotKey(), step.value);
        if (step.key != VK_SHIFT) expected += std::to_string(step.value) + " ";
    }
    Hold({});
    EXPECT_EQ(notes.notes, expected);
    EXPECT_EQ(std::wstring(field->GetText()), L"");

    field->SetHotKey(VK_F5, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    EXPECT_EQ(std::wstring(field->GetText()), L"Ctrl + Shift + F5");
    const TUIAccessibleInfo info = Accessible::Describe(field);
    EXPECT_EQ(info.role, ROLE_SYSTEM_HOTKEYFIELD);
    EXPECT_EQ(std::wstring(info.value), L"Ctrl + Shift + F5");
}

}  // namespace
