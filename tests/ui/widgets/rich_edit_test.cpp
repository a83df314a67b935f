// Rich edits in a real window under the text services: typing through window messages
// (Chinese too), Tab and Enter by the box's attributes, read-only refusal, RTF in and out,
// malformed RTF, the scroll bar, and what a screen reader reads.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/input/rich_edit.h"

using namespace SkinUI;

namespace {

class CNotes final : public INotifyUI {
public:
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"return" || msg.sType == L"textchanged") notes += layouttest::Narrow(msg.sType) + " ";
    }
    std::string notes;
};

struct TBox {
    layouttest::CHost host;
    CNotes notes;
    CRichEditUI* edit = nullptr;

    bool Open(const wchar_t* attributes, const wchar_t* text = nullptr) {
        std::wstring markup = L"<Window><VerticalLayout><RichEdit name=\"r\" height=\"60\" vscrollbar=\"true\" ";
        markup += attributes;
        markup += L"/><Button name=\"b\" text=\"B\" height=\"20\"/></VerticalLayout></Window>";
        if (!host.Open(markup.c_str(), 200, 80, true)) return false;
        host.pm.AddNotifier(&notes);
        CControlUI* found = host.Find(L"r");
        edit = found != nullptr ? static_cast<CRichEditUI*>(found->GetInterface(L"RichEdit")) : nullptr;
        if (edit == nullptr || !edit->HasServices()) return false;
        if (text != nullptr) edit->SetText(text);
        host.Click(L"r");
        notes.notes.clear();
        return host.pm.GetFocus() == edit;
    }
    // Keys as the message loop delivers them: key down, its character, key up.
    void Type(const wchar_t* text) {
        for (; *text != 0; ++text) {
            const UINT vk = *text == L'\t' ? VK_TAB : *text == L'\r' ? VK_RETURN : 0;
            if (vk != 0) ::SendMessageW(host.GetHWND(), WM_KEYDOWN, vk, 1);
            ::SendMessageW(host.GetHWND(), WM_CHAR, *text, 1);
            if (vk != 0) ::SendMessageW(host.GetHWND(), WM_KEYUP, vk, 0xC0000001);
        }
    }
    std::string Focus() const {
        return host.pm.GetFocus() != nullptr ? layouttest::Narrow(host.pm.GetFocus()->GetName()) : "";
    }
};

TEST(RichEdit, TypingFollowsTheBoxAttributes) {
    const struct {
        const wchar_t* attributes;
        const wchar_t* typed;
        const wchar_t* text;
        const char* focus;
        const char* notes;
    } kCases[] = {
        {L"", L"ab\u4E2D\u6587\tc\rd", L"old ab\u4E2D\u6587\tc\rd", "r", nullptr},
        {L"wanttab=\"false\"", L"a\tb", L"old a", "b", ""},
        {L"wantreturn=\"false\"", L"a\rb", L"old ab", "r", "return "},
        {L"multiline=\"false\"", L"a\rb", L"old ab", "r", "return "},
        {L"readonly=\"true\"", L"xyz\r\t", L"old ", "b", ""},  // Tab leaves a read-only box
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(layouttest::Narrow(c.attributes));
        TBox box;
        ASSERT_TRUE(box.Open(c.attributes, L"old "));
        box.edit->Send(EM_SETSEL, static_cast<WPARAM>(-1), -1);  // the caret at the end
        box.Type(c.typed);
        EXPECT_EQ(std::wstring(box.edit->GetText()), c.text);
        EXPECT_EQ(box.Focus(), c.focus);
        if (c.notes != nullptr) {
            std::string notes = box.notes.notes;
            for (size_t at; (at = notes.find("textchanged ")) != std::string::npos;) notes.erase(at, 12);
            EXPECT_EQ(notes, c.notes);
        }
        // What a screen reader reads: an editable text, the text as its value.
        const TUIAccessibleInfo info = Accessible::Describe(box.edit);
        EXPECT_EQ(info.role, ROLE_SYSTEM_TEXT);
        EXPECT_EQ(std::wstring(info.value), c.text);
        EXPECT_EQ((info.state & STATE_SYSTEM_READONLY) != 0, box.edit->IsReadOnly());
    }
}

TEST(RichEdit, RtfRoundTripsAndMalformedRtfIsHarmless) {
    TBox box;
    ASSERT_TRUE(box.Open(L"text=\"{\\rtf1\\ansi {\\b bold} plain \\u20013?}\""));
    EXPECT_EQ(std::wstring(box.edit->GetText()), L"bold plain \u4E2D");
    const CUIString rtf = box.edit->GetRtf();
    EXPECT_NE(rtf.Find(L"\\b"), -1);
    box.edit->SetText(L"");
    EXPECT_TRUE(box.edit->SetRtf(rtf));
    EXPECT_EQ(std::wstring(box.edit->GetText()), L"bold plain \u4E2D");

    std::wstring deep = L"{\\rtf1 ";
    deep.append(20000, L'{');
    std::wstring nested = L"{\\rtf1 ";
    nested.append(60, L'{');
    nested += L"n";
    nested.append(61, L'}');
    const wchar_t* const kBad[] = {
        L"{\\rtf1", L"{\\rtf1 {{{ x", L"{\\rtf1}}}}}} y", L"{\\rtf1\\u", L"{\\rtf1\\u-99999999999? z",
        L"{\\rtf1\\bin999999999 w", L"{\\rtf1{\\fonttbl{\\f0\\fcharset999 }}\\f77 v}", L"{\\rtf1\\'zz\\'", deep.c_str(),
        L"{\\rtf1{\\pict\\wmetafile8 0102zz}}", L"{\\rtf1\\trowd\\cellx-5\\cell\\row}", L"{\\rtf", nested.c_str(),
    };
    for (const wchar_t* bad : kBad) {
        SCOPED_TRACE(layouttest::Narrow(bad).substr(0, 40));
        box.edit->SetRtf(bad);
        (void)box.edit->GetText();
        (void)box.edit->GetRtf();
        ::UpdateWindow(box.host.GetHWND());
    }
    box.edit->SetText(L"");
    box.Type(L"ok");
    EXPECT_EQ(std::wstring(box.edit->GetText()), L"ok");
}

TEST(RichEdit, LongTextShowsTheScrollBarWhichMovesIt) {
    TBox box;
    std::wstring text;
    for (int i = 0; i < 40; ++i) text += L"line\r";
    ASSERT_TRUE(box.Open(L"readonly=\"true\"", text.c_str()));
    box.host.Place();
    CScrollBarUI* bar = box.edit->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_GT(bar->GetScrollRange(), 0);
    box.edit->LineDown();
    EXPECT_GT(bar->GetScrollPos(), 0);
    box.edit->EndDown();
    EXPECT_EQ(bar->GetScrollPos(), bar->GetScrollRange());
    box.edit->SetScrollPos(SIZE{0, 0});
    EXPECT_EQ(bar->GetScrollPos(), 0);
}

}  // namespace
