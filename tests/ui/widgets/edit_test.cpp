// Edit fields in a real window: typed characters (Chinese among them) reach the hosted
// system edit and come back as the control's text and as what a screen reader reads;
// password masking, digits-only (typed and pasted), the length limit, read-only, Enter,
// code-set text, DPI placement, a layered window's caret, bad attribute values, and
// fields destroyed while their edit window is open.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/common/a11y_walk.h"
#include "tests/ui/widgets/field_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/input/edit.h"

using namespace SkinUI;
using fieldtest::CHost;

namespace {

const wchar_t kFields[] =
    L"<Window><VerticalLayout>"
    L"<Edit name=\"user\" height=\"30\" placeholder=\"Name\" textpadding=\"4,0,4,0\"/>"
    L"<Edit name=\"pass\" height=\"30\" password=\"true\" passwordchar=\"#\" accname=\"Password\"/>"
    L"<Edit name=\"digits\" height=\"30\" digitsonly=\"true\" maxchar=\"5\" accname=\"Code\"/>"
    L"<Edit name=\"ro\" height=\"30\" readonly=\"true\" text=\"fixed\" accname=\"Fixed\"/>"
    L"<Edit name=\"bad\" height=\"30\" maxchar=\"-5\" passwordchar=\"\" placeholdercolor=\"#zz\" align=\"??\" "
    L"accname=\"Bad\"/>"
    L"<Edit name=\"huge\" height=\"30\" maxchar=\"99999999999\" accname=\"Huge\"/>"
    L"</VerticalLayout></Window>";

CEditUI* Edit(CHost& host, const wchar_t* name) {
    CControlUI* control = host.Find(name);
    return control != nullptr ? static_cast<CEditUI*>(control->GetInterface(L"Edit")) : nullptr;
}

std::wstring Text(CControlUI* control) { return std::wstring(control->GetText().GetData()); }

void SetClipboard(const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(::GlobalLock(block));
    text.copy(p, text.size());
    p[text.size()] = 0;
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_UNICODETEXT, block);
    ::CloseClipboard();
}

TEST(Edit, TypedTextIsTheControlsTextAndWhatAScreenReaderReads) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    CHost host;
    ASSERT_TRUE(host.Open(kFields, 300, 180));
    const struct {
        const wchar_t* name;
        const wchar_t* typed;
        const wchar_t* text;     // the control's text afterwards
        const wchar_t* accName;
        const wchar_t* value;    // what a screen reader reads as its value
        LONG state;              // bits it must show
        const char* notes;
    } kCases[] = {
        {L"user", L"ab\u4E2D\u6587c", L"ab\u4E2D\u6587c", L"Name", L"ab\u4E2D\u6587c", 0,
         "textchanged:user textchanged:user textchanged:user textchanged:user textchanged:user "},
        {L"pass", L"s3cr\u5BC6", L"s3cr\u5BC6", L"Password", L"", STATE_SYSTEM_PROTECTED,
         "textchanged:pass textchanged:pass textchanged:pass textchanged:pass textchanged:pass "},
        // Letters and signs refused; the sixth digit is past the limit of 5.
        {L"digits", L"12a3-4\u4E2D56", L"12345", L"Code", L"12345", 0,
         "textchanged:digits textchanged:digits textchanged:digits textchanged:digits textchanged:digits "},
        {L"ro", L"xyz", L"fixed", L"Fixed", L"fixed", STATE_SYSTEM_READONLY, ""},
        {L"bad", L"bad", L"bad", L"Bad", L"bad", 0, "textchanged:bad textchanged:bad textchanged:bad "},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(fieldtest::Narrow(c.name));
        CEditUI* edit = Edit(host, c.name);
        ASSERT_NE(edit, nullptr);
        host.Click(c.name);
        HWND field = edit->GetHostWindow();
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(::GetFocus(), field);
        host.notes.clear();
        CHost::Type(c.typed);
        EXPECT_EQ(Text(edit), c.text);
        EXPECT_EQ(fieldtest::WindowText(field), c.text);
        EXPECT_EQ(host.notes, c.notes);

        const TUIAccessibleInfo info = Accessible::Describe(edit);
        EXPECT_EQ(info.role, ROLE_SYSTEM_TEXT);
        EXPECT_EQ(std::wstring(info.name.GetData()), c.accName);
        EXPECT_EQ(std::wstring(info.value.GetData()), c.value);
        EXPECT_EQ(info.state & c.state, static_cast<DWORD>(c.state));
        // Through the window's accessible objects, as a screen reader reads them.
        IAccessible* client = a11y::ClientOf(host.GetHWND());
        ASSERT_NE(client, nullptr);
        IAccessible* element = a11y::Find(client, ROLE_SYSTEM_TEXT, c.accName);
        ASSERT_NE(element, nullptr) << a11y::Utf8(a11y::DumpTree(client));
        EXPECT_EQ(a11y::Value(element), c.value);
        EXPECT_EQ(a11y::State(element) & c.state, c.state);
        if (c.state & STATE_SYSTEM_PROTECTED) {
            const std::wstring tree = a11y::DumpTree(client);
            EXPECT_EQ(tree.find(c.text), std::wstring::npos) << a11y::Utf8(tree);
            EXPECT_EQ(::SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0), L'#');
        }
        element->Release();
        client->Release();
    }
    // Enter is a notification; text set by the program shows in the open field.
    host.Click(L"user");
    host.notes.clear();
    CHost::Key(VK_RETURN);
    EXPECT_EQ(host.notes, "return:user ");
    Edit(host, L"user")->SetText(L"\u4F60\u597D");
    EXPECT_EQ(fieldtest::WindowText(Edit(host, L"user")->GetHostWindow()), L"\u4F60\u597D");
    EXPECT_EQ(host.notes, "return:user ");  // no "textchanged" for the program's own text
    // Tab moves on, and the edit window closes; the drawn field keeps the text.
    HWND old = Edit(host, L"user")->GetHostWindow();
    CHost::Key(VK_TAB);
    EXPECT_FALSE(::IsWindow(old));
    EXPECT_EQ(host.pm.GetFocus(), host.Find(L"pass"));
    EXPECT_EQ(Text(Edit(host, L"user")), L"\u4F60\u597D");
    // Bad limits read as the system's longest.
    EXPECT_EQ(Edit(host, L"bad")->GetMaxChar(), CEditUI::kMaxLimit);
    EXPECT_EQ(Edit(host, L"huge")->GetMaxChar(), 2147483646);
    EXPECT_EQ(Edit(host, L"bad")->GetPasswordChar(), L'*');
    ::CoUninitialize();
}

TEST(Edit, DigitsOnlyRefusesAPasteThatHoldsAnythingElse) {
    CHost host;
    ASSERT_TRUE(host.Open(kFields, 300, 180));
    host.Click(L"digits");
    HWND field = Edit(host, L"digits")->GetHostWindow();
    ASSERT_NE(field, nullptr);
    const struct {
        const wchar_t* clip;
        const wchar_t* text;
    } kPastes[] = {{L"12x", L""}, {L"\u4E00", L""}, {L"789", L"789"}, {L"0123", L"78901"}};  // the limit cuts
    for (const auto& p : kPastes) {
        SCOPED_TRACE(fieldtest::Narrow(p.clip));
        SetClipboard(p.clip);
        CHost::Type(L"\x16");  // Ctrl+V
        EXPECT_EQ(Text(Edit(host, L"digits")), p.text);
    }
}

TEST(Edit, HostedWindowSitsInTheTextAreaAtEachScale) {
    for (int percent : {100, 150, 200}) {
        SCOPED_TRACE(percent);
        CHost host;
        ASSERT_TRUE(host.Open(kFields, 600, 400, percent));
        host.Click(L"user");
        HWND field = Edit(host, L"user")->GetHostWindow();
        ASSERT_NE(field, nullptr);
        RECT at = {};
        ::GetWindowRect(field, &at);
        ::MapWindowPoints(HWND_DESKTOP, host.GetHWND(), reinterpret_cast<POINT*>(&at), 2);
        const RECT item = host.Find(L"user")->GetPos();
        const int pad = ::MulDiv(4, percent, 100);
        EXPECT_EQ(at.left, item.left + pad);
        EXPECT_EQ(at.right, item.right - pad);
        EXPECT_EQ(item.bottom - item.top, ::MulDiv(30, percent, 100));
        EXPECT_GT(at.top, item.top);
        EXPECT_LT(at.bottom, item.bottom);
    }
}

TEST(Edit, ALayeredWindowShowsTheFieldAndTheCaretTheControlDraws) {
    CHost host;
    ASSERT_TRUE(host.Open(L"<Window><VerticalLayout bkcolor=\"#FFFFFFFF\">"
                          L"<Edit name=\"user\" height=\"30\" textcolor=\"#FF000000\"/></VerticalLayout></Window>",
                          200, 60, 100, true));
    host.Click(L"user");
    HWND field = Edit(host, L"user")->GetHostWindow();
    ASSERT_NE(field, nullptr);
    CHost::Type(L"ab");
    EXPECT_EQ(Text(Edit(host, L"user")), L"ab");
    // The picture the paint manager prints of the field holds the caret at the system's place.
    RECT rc = {};
    ::GetClientRect(field, &rc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    DWORD* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageW(field, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT);
    ::GdiFlush();
    POINT caret = {};
    ASSERT_TRUE(::GetCaretPos(&caret));
    ASSERT_TRUE(caret.x >= 0 && caret.x < rc.right && caret.y >= 0 && caret.y + 2 < rc.bottom);
    // Pure black would be a transparent pixel in a layered picture: the text colour is one step lighter.
    EXPECT_EQ(bits[(caret.y + 2) * rc.right + caret.x] & 0xFFFFFF, 0x010101u);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
}

void DeleteOnReturn(TUINotify& msg) {
    if (msg.sType != L"return") return;
    auto* parent = static_cast<CContainerUI*>(msg.pSender->GetParent()->GetInterface(L"Container"));
    parent->SetAutoDestroy(false);
    parent->Remove(msg.pSender);
    delete msg.pSender;  // at once, from inside the edit window's own key message
}

TEST(Edit, DestroyedWhileItsEditWindowIsOpenLeavesNoWindow) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        CHost host;
        ASSERT_TRUE(host.Open(kFields, 300, 180));
        host.Click(L"user");
        HWND field = Edit(host, L"user")->GetHostWindow();
        ASSERT_NE(field, nullptr);
        if (way == 0) {
            // Removed from the tree: the manager's deferred clean-up destroys it.
            auto* root = static_cast<IContainerUI*>(host.pm.GetRoot()->GetInterface(L"IContainer"));
            ASSERT_TRUE(root->Remove(host.Find(L"user")));
        } else if (way == 1) {
            host.onNotify = &DeleteOnReturn;
            CHost::Key(VK_RETURN);
            CHost::Type(L"after");
        } else {
            ::DestroyWindow(host.GetHWND());  // the window goes first, with its children
        }
        fieldtest::Pump();
        EXPECT_FALSE(::IsWindow(field));
    }
}

}  // namespace
