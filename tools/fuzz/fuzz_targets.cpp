#include "ui/widgets/widget_registry.h"
#include "ui/core/dib32.h"
#include "tools/fuzz/fuzz_targets.h"

#include <algorithm>
#include <cstring>

#include "support/ini_store.h"
#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/image_loader.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_settings.h"
#include "ui/core/skin_builder.h"
#include "ui/core/ui_buffer.h"
#include "ui/core/zip_archive.h"
#include "ui/widgets/motion/gif_decoder.h"

namespace fuzz {

namespace {

const wchar_t kWindowClass[] = L"SkinFuzzHost";
const char kConfigPassPhrase[] = "MirthTallowRun";
const int kCanvasWidth = 600;
const int kCanvasHeight = 300;
// Members claiming more than this are not extracted (the launcher reads
// skins of at most 4 MiB; its images are small).
const unsigned long long kMaxExtract = 8ull << 20;

const char* const kNames[kTargetCount] = {"markup", "zip", "image", "imagedesc", "ini", "gif"};

// A copy of the input whose last byte is followed by an inaccessible page, so
// that reading one byte past the input faults at once instead of by chance.
class CGuardedCopy {
public:
    explicit CGuardedCopy(const std::string& input) {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        const size_t page = info.dwPageSize;
        const size_t pages = (input.size() + page - 1) / page;
        m_base = static_cast<unsigned char*>(
            ::VirtualAlloc(nullptr, (pages + 1) * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (m_base == nullptr) return;
        DWORD old = 0;
        ::VirtualProtect(m_base + pages * page, page, PAGE_NOACCESS, &old);
        m_data = m_base + pages * page - input.size();
        if (!input.empty()) std::memcpy(m_data, input.data(), input.size());
        m_size = input.size();
    }
    ~CGuardedCopy() {
        if (m_base != nullptr) ::VirtualFree(m_base, 0, MEM_RELEASE);
    }
    CGuardedCopy(const CGuardedCopy&) = delete;
    CGuardedCopy& operator=(const CGuardedCopy&) = delete;
    const unsigned char* data() const { return m_data; }
    size_t size() const { return m_size; }
    bool ok() const { return m_base != nullptr; }

private:
    unsigned char* m_base = nullptr;
    unsigned char* m_data = nullptr;
    size_t m_size = 0;
};

std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    // Stop at an embedded terminator, as a C string would.
    out.resize(std::wcslen(out.c_str()));
    return out;
}

}  // namespace

const char* TargetName(ETarget target) { return target >= 0 && target < kTargetCount ? kNames[target] : "?"; }

int TargetFromName(const std::string& name) {
    for (int i = 0; i < kTargetCount; ++i) {
        if (name == kNames[i]) return i;
    }
    return -1;
}

CTargetContext::CTargetContext(const std::string& skinArchive) : m_skinArchive(skinArchive) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    ::RegisterClassW(&wc);
    SkinUI::CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));

    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    BYTE* bits = nullptr;
    m_bitmap = SkinUI::CreateDib32(m_dc, kCanvasWidth, kCanvasHeight, &bits);
    if (m_dc != nullptr && m_bitmap != nullptr) m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    ResetFramework();
}

CTargetContext::~CTargetContext() {
    SkinUI::CPaintManagerUI::TermFramework();
    if (m_oldBitmap != nullptr) ::SelectObject(m_dc, m_oldBitmap);
    if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
    if (m_dc != nullptr) ::DeleteDC(m_dc);
}

void CTargetContext::ResetFramework() {
    SkinUI::CPaintManagerUI::TermFramework();
    SkinUI::CUIResourceSettings::Reset();
    SkinUI::CPaintManagerUI::SetResourceArchive(m_skinArchive.data(), static_cast<unsigned>(m_skinArchive.size()));
    // Ending the framework drops the factory; the further controls are registered anew.
    SkinUI::RegisterWidgetControls();
}

void CTargetContext::Run(ETarget target, const std::string& input) {
    switch (target) {
        case kMarkup: RunMarkup(input); break;
        case kZip: RunZip(input); break;
        case kImage: RunImage(input); break;
        case kImageDescription: RunImageDescription(input); break;
        case kIni: RunIni(input); break;
        case kGif: RunGif(input); break;
        default: break;
    }
}

void CTargetContext::RunMarkup(const std::string& input) {
    HWND hwnd = ::CreateWindowExW(0, kWindowClass, L"fuzz", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) return;
    {
        SkinUI::CPaintManagerUI pm;
        pm.Init(hwnd);
        SkinUI::CSkinBuilder builder;
        const CGuardedCopy bytes(input);
        if (bytes.ok() && builder.GetMarkup()->ParseBytes(bytes.data(), bytes.size(), SkinUI::XmlEncodingUtf8)) {
            SkinUI::CControlUI* root = builder.Create(nullptr, &pm, nullptr);
            if (root != nullptr && pm.AttachRoot(root)) {
                // The repair and the notice window's sizes, then the larger at 150 percent.
                const struct {
                    int cx, cy, percent;
                } passes[] = {{300, 100, 100}, {400, 200, 100}, {600, 300, 150}};
                for (const auto& pass : passes) {
                    pm.SetDpiScale(pass.percent);
                    const RECT rc = {0, 0, pass.cx, pass.cy};
                    root->PlaceAt(rc, true);
                    root->PaintClipped(m_dc, rc, nullptr);
                }
            } else if (root != nullptr) {
                delete root;
            }
        }
    }
    ::DestroyWindow(hwnd);
    // Shared tables (shared="true" resources) would otherwise grow with every input.
    ResetFramework();
}

void CTargetContext::RunZip(const std::string& input) {
    for (const char* password : {static_cast<const char*>(nullptr), "TavrelSkin"}) {
        SkinUI::CZipArchive zip;
        const CGuardedCopy bytes(input);
        if (!bytes.ok() || !zip.OpenMemory(bytes.data(), bytes.size(), password)) continue;
        unsigned long long extracted = 0;
        for (int i = 0; i < zip.GetMemberCount() && i < 64; ++i) {
            const SkinUI::CZipArchive::TMember* member = zip.GetMember(i);
            if (member == nullptr || member->uncompressedSize > kMaxExtract) continue;
            if (extracted + member->uncompressedSize > 4 * kMaxExtract) break;
            extracted += member->uncompressedSize;
            SkinUI::CUIBuffer out;
            zip.Extract(i, out);
        }
        zip.FindMember(L"msg_fix_tips.xml", true);
    }
}

void CTargetContext::RunImage(const std::string& input) {
    const CGuardedCopy bytes(input);
    if (!bytes.ok()) return;
    SkinUI::TUIImage* image = SkinUI::DecodeSkinImage(bytes.data(), bytes.size(), input.size() % 2 ? 0xFF000000 : 0);
    if (image == nullptr) return;
    // Draw it once, as the framework would.
    const RECT item = {0, 0, kCanvasWidth, kCanvasHeight};
    const RECT source = {0, 0, image->nWidth, image->nHeight};
    const RECT corners = {2, 2, 2, 2};
    SkinUI::CUIRender::PaintNineGrid(m_dc, image->hBitmap, item, item, source, corners, image->bAlpha, 255, false,
                                     false, false);
    SkinUI::FreeSkinImage(image);
}

void CTargetContext::RunImageDescription(const std::string& input) {
    const std::wstring description = Widen(input);
    SkinUI::CPaintManagerUI pm;
    const RECT items[] = {{0, 0, 300, 100}, {10, 5, 40, 35}, {-20, -20, 600, 300}};
    const RECT paint = {0, 0, kCanvasWidth, kCanvasHeight};
    for (const RECT& item : items) {
        SkinUI::CUIRender::PaintImageSpec(m_dc, &pm, item, paint, description.c_str());
        SkinUI::CUIRender::PaintImageSpec(m_dc, &pm, item, paint, L"file='progress_bar.png'", description.c_str());
    }
}

void CTargetContext::RunGif(const std::string& input) {
    const CGuardedCopy bytes(input);
    if (!bytes.ok()) return;
    SkinUI::TGifAnimation gif;
    if (SkinUI::DecodeGif(bytes.data(), bytes.size(), gif)) {
        // What a player relies on: whole frames of the screen's size, within the bounds.
        const SkinUI::TGifLimits limits;
        const size_t pixels = static_cast<size_t>(gif.width) * static_cast<size_t>(gif.height);
        if (gif.width <= 0 || gif.height <= 0 || gif.frames.empty() || gif.frames.size() > limits.maxFrames ||
            gif.loopCount < 0 || gif.frames.size() * pixels * 4 > limits.maxBytes) {
            __builtin_trap();
        }
        for (const SkinUI::TGifFrame& frame : gif.frames) {
            if (frame.pixels.size() != pixels || frame.delayMs == 0) __builtin_trap();
        }
    }
    // The first frame as a skin names it, drawn once unscaled: a few bytes can make a
    // screen of the loader's largest size, and scaling that is the drawing's cost, not the decoder's.
    SkinUI::TUIImage* image = SkinUI::DecodeSkinImage(bytes.data(), bytes.size(), input.size() % 2 ? 0xFF000000 : 0);
    if (image == nullptr) return;
    const RECT part = {0, 0, std::min(image->nWidth, kCanvasWidth), std::min(image->nHeight, kCanvasHeight)};
    const RECT none = {0, 0, 0, 0};
    SkinUI::CUIRender::PaintNineGrid(m_dc, image->hBitmap, part, part, part, none, image->bAlpha, 255, false, false,
                                     false);
    SkinUI::FreeSkinImage(image);
}

void CTargetContext::RunIni(const std::string& input) {
    // The first byte says which half of the store's path the rest goes through.
    if (input.empty()) return;
    CIniStore store;
    const std::string body = input.substr(1);
    if (input[0] == 'C') {
        const CGuardedCopy bytes(body);
        if (bytes.ok()) store.LoadFromData(bytes.data(), bytes.size(), kConfigPassPhrase);
    } else {
        store.Parse(body);
    }
    store.GetValue("Soft", "SOFT_NAME_EN");
    store.GetValue("SoftParam", "KEY_MAIN_NAME");
}

}  // namespace fuzz
