// The colour palette and the file icon in a real window: the HSL model both ways,
// the colour picked by the mouse (press and drag, field and bar) and by the keys,
// what a screen reader reads; the shell's icon of a file type drawn at the
// control's size, and nothing for a file that is not there.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/graphic/color_palette.h"
#include "ui/widgets/graphic/file_icon.h"

using namespace SkinUI;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<ColorPalette name=\"p\" height=\"101\" width=\"200\" barwidth=\"20\" color=\"#FF3366CC\"/>"
    L"<HorizontalLayout height=\"40\">"
    L"<FileIcon name=\"txt\" width=\"32\" file=\".txt\"/><FileIcon name=\"small\" width=\"16\" height=\"16\" file=\"txt\"/>"
    L"<FileIcon name=\"missing\" width=\"32\" file=\"C:\\no\\such\\file.txt\"/>"
    L"</HorizontalLayout></VerticalLayout></Window>";

class CPaletteHost final : public INotifyUI {
public:
    bool Open() {
        if (!host.Open(kSkin, 240, 160, true)) return false;
        host.pm.AddNotifier(this);
        return true;
    }
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"colorchanged") ++changes;
    }
    CColorPaletteUI* Palette() { return static_cast<CColorPaletteUI*>(host.Find(L"p")->GetInterface(L"ColorPalette")); }
    void Mouse(UINT msg, POINT pt) {
        ::SendMessageW(host.GetHWND(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }

    layouttest::CHost host;
    int changes = 0;
};

TEST(ColorPalette, TheHslModelBothWays) {
    const struct {
        DWORD rgb;
        TColorHsl hsl;
    } kCases[] = {
        {0xFFFF0000, {0, 100, 50}},   {0xFF00FF00, {120, 100, 50}}, {0xFF0000FF, {240, 100, 50}},
        {0xFFFFFFFF, {0, 0, 100}},    {0xFF000000, {0, 0, 0}},      {0xFF808080, {0, 0, 50}},
        {0xFF3366CC, {220, 60, 50}},  {0xFFFF8000, {30, 100, 50}},
    };
    for (const auto& c : kCases) {
        const TColorHsl hsl = CColorPaletteUI::RgbToHsl(c.rgb);
        EXPECT_EQ(hsl.hue, c.hsl.hue) << std::hex << c.rgb;
        EXPECT_EQ(hsl.saturation, c.hsl.saturation) << std::hex << c.rgb;
        EXPECT_EQ(hsl.lightness, c.hsl.lightness) << std::hex << c.rgb;
        EXPECT_EQ(CColorPaletteUI::HslToRgb(c.hsl), c.rgb | 0xFF000000u) << std::hex << c.rgb;
    }
}

TEST(ColorPalette, MouseAndKeysPickTheColour) {
    CPaletteHost t;
    ASSERT_TRUE(t.Open());
    CColorPaletteUI* palette = t.Palette();
    EXPECT_EQ(palette->GetColor(), 0xFF3366CCu);
    const CUIRect field = palette->GetFieldRect();
    const CUIRect bar = palette->GetBarRect();
    ASSERT_GT(field.GetWidth(), 100);
    EXPECT_EQ(bar.GetWidth(), 20);

    // Field: the top left corner is hue 0 at full saturation; a drag goes on picking, past the edge too.
    t.Mouse(WM_LBUTTONDOWN, POINT{field.left, field.top});
    EXPECT_EQ(palette->GetHsl().hue, 0);
    EXPECT_EQ(palette->GetHsl().saturation, 100);
    t.Mouse(WM_MOUSEMOVE, POINT{field.right + 50, field.bottom + 50});
    t.Mouse(WM_LBUTTONUP, POINT{field.right + 50, field.bottom + 50});
    EXPECT_EQ(palette->GetHsl().hue, 359);
    EXPECT_EQ(palette->GetHsl().saturation, 0);
    EXPECT_EQ(palette->GetHsl().lightness, 50);
    EXPECT_EQ(t.changes, 2);
    // Bar: the bottom is black, whatever the hue.
    t.Mouse(WM_LBUTTONDOWN, POINT{bar.left + 2, bar.bottom - 1});
    t.Mouse(WM_LBUTTONUP, POINT{bar.left + 2, bar.bottom - 1});
    EXPECT_EQ(palette->GetColor(), 0xFF000000u);
    EXPECT_TRUE(palette->IsFocused());  // a press takes the focus for the keys

    palette->SetHsl(TColorHsl{358, 50, 50});
    t.changes = 0;
    const struct {
        WPARAM key;
        TColorHsl after;
    } kKeys[] = {
        {VK_RIGHT, {359, 50, 50}}, {VK_RIGHT, {0, 50, 50}},  // the hue wraps around
        {VK_LEFT, {359, 50, 50}},  {VK_UP, {359, 51, 50}},   {VK_DOWN, {359, 50, 50}},
        {VK_PRIOR, {359, 50, 55}}, {VK_NEXT, {359, 50, 50}},
    };
    for (const auto& k : kKeys) {
        ::SendMessageW(t.host.GetHWND(), WM_KEYDOWN, k.key, 1);
        const TColorHsl hsl = palette->GetHsl();
        EXPECT_EQ(hsl.hue, k.after.hue) << k.key;
        EXPECT_EQ(hsl.saturation, k.after.saturation) << k.key;
        EXPECT_EQ(hsl.lightness, k.after.lightness) << k.key;
        EXPECT_EQ(palette->GetColor(), CColorPaletteUI::HslToRgb(k.after));
    }
    EXPECT_EQ(t.changes, 7);
    // Full saturation stops at the top.
    palette->SetHsl(TColorHsl{10, 100, 50});
    ::SendMessageW(t.host.GetHWND(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(t.changes, 7);

    const TUIAccessibleInfo info = Accessible::Describe(palette);
    EXPECT_EQ(info.role, ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(std::wstring(info.value.GetData()), palette->GetColorText().GetData());
    EXPECT_EQ(palette->GetColorText().GetLength(), 7);
    EXPECT_NE(info.state & STATE_SYSTEM_FOCUSED, 0u);
}

TEST(ColorPalette, PaintsTheModelsColoursAtEveryHeight) {
    CPaletteHost t;
    ASSERT_TRUE(t.Open());
    CColorPaletteUI* palette = t.Palette();
    palette->SetHsl(TColorHsl{120, 40, 50});
    // The field and the bar at their own height and at many times it: each pixel row shows
    // the colour of its place on the scale, the ends included.
    for (int height : {101, 1000}) {
        SCOPED_TRACE(height);
        const RECT pos = {0, 0, 200, height};
        palette->PlaceAt(CUIRect(pos), false);
        const CUIRect field = palette->GetFieldRect(), bar = palette->GetBarRect();
        layouttest::CCanvas canvas(200, height);
        palette->PaintClipped(canvas.dc(), pos, nullptr);
        const struct {
            int x, y;
            TColorHsl hsl;
        } kPixels[] = {
            {field.left, field.top, {0, 100, 50}},            {field.right - 1, field.top, {359, 100, 50}},
            {field.left, field.bottom - 1, {0, 0, 50}},       {field.right - 1, field.bottom - 1, {359, 0, 50}},
            {bar.left + 3, bar.top, {120, 40, 100}},          {bar.left + 3, bar.bottom - 1, {120, 40, 0}},
            {bar.left + 3, bar.top + (bar.GetHeight() - 1) / 4, {120, 40, 75}},
        };
        for (const auto& p : kPixels) {
            EXPECT_EQ(canvas.At(p.x, p.y), CColorPaletteUI::HslToRgb(p.hsl) & 0xFFFFFF) << p.x << "," << p.y;
        }
        EXPECT_EQ(canvas.ChangedOutside(pos), 0);
    }
}

TEST(FileIcon, DrawsTheShellsIconOfATypeAndNothingForAMissingFile) {
    CPaletteHost t;
    ASSERT_TRUE(t.Open());
    const struct {
        const wchar_t* name;
        bool large;
        bool drawn;
    } kCases[] = {{L"txt", true, true}, {L"small", false, true}, {L"missing", true, false}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(layouttest::Narrow(c.name));
        auto* icon = static_cast<CFileIconUI*>(t.host.Find(c.name)->GetInterface(L"FileIcon"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->IsLargeIcon(), c.large);
        const RECT rc = icon->GetPos();
        layouttest::CCanvas canvas(240, 160);
        icon->PaintClipped(canvas.dc(), rc, nullptr);
        int painted = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) painted += canvas.At(x, y) != layouttest::CCanvas::kUntouched;
        }
        EXPECT_EQ(painted > 0, c.drawn);
        EXPECT_EQ(canvas.ChangedOutside(rc), 0);
        const TUIAccessibleInfo info = Accessible::Describe(icon);
        EXPECT_EQ(info.role, ROLE_SYSTEM_GRAPHIC);
    }
    EXPECT_EQ(std::wstring(Accessible::Describe(t.host.Find(L"missing")).name.GetData()), L"file.txt");
    // Bad input: whatever the shell answers for odd names, nothing breaks; nothing for none.
    for (const wchar_t* file : {L".", L"\\", L"C:", L"*", L"a\\..\\..\\.."}) {
        CIconHandle icon(CFileIconUI::LoadShellIcon(file, true));
    }
    EXPECT_EQ(CFileIconUI::LoadShellIcon(L"", true), nullptr);
    const std::wstring longName(40000, L'a');
    EXPECT_EQ(CFileIconUI::LoadShellIcon(longName.c_str(), false), nullptr);
}

}  // namespace
