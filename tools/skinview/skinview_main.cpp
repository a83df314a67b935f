// skinview: builds one skin into a real window, lets it lay out and paint, and
// writes a picture of it and a dump of its control tree.
//   skinview --archive skin.zip --skin msg_fix_tips.xml --png out.png --dump-tree --dump-accessible
//   skinview --dir resources/skin --skin msg_fix_tips.xml --lint
//   skinview --skin resources/skin/msg_fix_tips.xml --watch
//   skinview --archive skin.zip --skin msg_fix_tips.xml --compare reference.png --tolerance 40
//   skinview --reference docs/skin-reference.md
// Exit codes: 0 done, 1 lint warnings or a picture over the tolerance, 2 bad
// command line or lint errors, 3 unreadable input, 4 skin does not build,
// 5 window could not be created, 6 picture could not be written, 7 the reference
// lacks a description.
#include <windows.h>
#include <ole2.h>
#include <exdisp.h>

#include <cstdio>
#include <string>
#include <vector>

#include "accessible_dump.h"
#include "client_capture.h"
#include "lint_findings.h"
#include "options.h"
#include "picture_compare.h"
#include "png_writer.h"
#include "preview_window.h"
#include "skin_lint.h"
#include "skin_reference.h"
#include "skinview_io.h"
#include "tree_dump.h"
#include "watch_mode.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/widget_registry.h"
#include "ui/widgets/hosting/activex.h"
#include "ui/widgets/motion/motion_clock.h"
#include "ui/core/skin_builder.h"
#include "ui/controls/control.h"

namespace {

using skinview::NativePath;
using skinview::WriteUtf8;

// OLE on the UI thread for as long as windows live: a screen reader's request reaches
// the window's accessible objects through it (without it the system's default
// object answers, a client with no children).
class COleScope {
public:
    COleScope() : m_ready(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~COleScope() {
        if (m_ready) ::OleUninitialize();
    }
    COleScope(const COleScope&) = delete;
    COleScope& operator=(const COleScope&) = delete;

private:
    bool m_ready;
};

int Fail(int code, const std::wstring& message) {
    WriteUtf8(stderr, L"skinview: " + message + L"\n");
    return code;
}

bool ReadWholeFile(const std::wstring& path, std::vector<char>& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (256LL << 20);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    ::CloseHandle(file);
    return ok;
}

// The clock of moving controls while a picture or a dump is taken: it stands still, so that
// they show as they start whatever the timing.
DWORD StillClock() { return 0; }

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!SkinUI::CPaintManagerUI::TranslateUIMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (ms > 0) ::Sleep(10);
    } while (::GetTickCount() - start < ms);
}

// Where the skin and its images come from: a file's folder, a folder, or an
// archive (read whole; read again when --watch sees a change).
class SkinSource {
public:
    explicit SkinSource(const skinview::Options& options) : m_options(options) {}

    // 0, or the exit code for an unreadable archive.
    int Open() {
        using SkinUI::CPaintManagerUI;
        m_skinName = m_options.skin;
        if (!m_options.archive.empty()) {
            const std::wstring archive = NativePath(m_options.archive);
            std::wstring name;
            skinview::SplitPath(archive, m_folder, name);
            if (!Reload()) return Fail(3, L"cannot read archive \"" + archive + L"\"");
        } else {
            if (!m_options.dir.empty()) {
                m_folder = NativePath(m_options.dir);
                if (m_folder.back() != L'\\' && m_folder.back() != L'/') m_folder += L'\\';
            } else {
                skinview::SplitPath(NativePath(m_options.skin), m_folder, m_skinName);
            }
            CPaintManagerUI::SetResourcePath(m_folder.c_str());
        }
        if (m_folder.empty()) m_folder = L".\\";
        return 0;
    }

    bool Reload() {
        if (m_options.archive.empty()) return true;
        std::vector<char> bytes;
        if (!ReadWholeFile(NativePath(m_options.archive), bytes)) return false;
        m_archiveBytes.swap(bytes);
        SkinUI::CPaintManagerUI::SetResourceArchive(m_archiveBytes.data(),
                                                    static_cast<unsigned int>(m_archiveBytes.size()));
        return true;
    }

    const std::wstring& SkinName() const { return m_skinName; }
    const std::wstring& Folder() const { return m_folder; }

private:
    const skinview::Options& m_options;
    std::wstring m_skinName;
    std::wstring m_folder;
    std::vector<char> m_archiveBytes;  // must outlive every read from the archive
};

// Builds the skin without a window: empty when it builds, else why not.
std::wstring BuildProblem(const std::wstring& skinName) {
    SkinUI::CSkinBuilder probe;
    SkinUI::CControlUI* root = probe.Create(skinName.c_str());
    if (root != nullptr) {
        delete root;
        return L"";
    }
    std::wstring why = probe.GetLastErrorMessage() != nullptr ? probe.GetLastErrorMessage() : L"";
    const wchar_t* place = probe.GetLastErrorPlace();
    if (place != nullptr && place[0] != L'\0') why += std::wstring(L" near \"") + place + L"\"";
    return why.empty() ? L"no control was built" : skinview::OneLine(why);
}

int PrintLint(const std::wstring& skinName) {
    const std::vector<skinview::Finding> findings = skinview::LintSkin(skinName);
    for (const skinview::Finding& f : findings) WriteUtf8(stdout, skinview::FormatFinding(f) + L"\n");
    return skinview::LintExitCode(findings);
}

// --compare: 0 within the tolerance, 1 over it, 3 unreadable reference, 6 diff not written.
int Compare(const skinview::Options& options, const skinview::Picture& picture) {
    const std::wstring path = NativePath(options.compare);
    skinview::Picture reference;
    if (!skinview::ReadPictureFile(path, reference)) return Fail(3, L"cannot read the reference \"" + path + L"\"");
    const skinview::Comparison c = skinview::ComparePictures(picture, reference);
    std::wstring line = std::to_wstring(c.differing) + L" pixels differ (tolerance " +
                        std::to_wstring(options.tolerance) + L")";
    if (!c.sameSize) {
        line += L"; sizes differ: " + std::to_wstring(picture.width) + L"x" + std::to_wstring(picture.height) +
                L" against " + std::to_wstring(reference.width) + L"x" + std::to_wstring(reference.height);
    } else if (c.differing > 0) {
        line += L" within " + std::to_wstring(c.box.left) + L"," + std::to_wstring(c.box.top) + L"," +
                std::to_wstring(c.box.right) + L"," + std::to_wstring(c.box.bottom);
    }
    WriteUtf8(stdout, line + L"\n");
    if (!options.diff.empty()) {
        const skinview::Picture diff = skinview::DiffPicture(picture, reference);
        const std::wstring diffPath = NativePath(options.diff);
        if (!skinview::WritePngFile(diffPath, diff.rgba.data(), diff.width, diff.height))
            return Fail(6, L"cannot write \"" + diffPath + L"\"");
    }
    return c.differing > options.tolerance ? 1 : 0;
}

int ShowOnce(const skinview::Options& options, const std::wstring& skinName) {
    int code = 0;
    skinview::PreviewWindow window(skinName, options.width, options.height);
    if (!options.png.empty() || !options.compare.empty() || options.dumpTree || options.dumpAccessible) {
        SkinUI::CMotionClock::SetClock(&StillClock);
    }
    // Set before the window exists, so that the skin is built at this scale.
    window.GetPaintManager().SetDpiScale(options.dpiPercent);
    if (window.CreateWnd(nullptr, L"skinview", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 300, 200) == nullptr) {
        return Fail(5, L"cannot create the window");
    }
    window.ShowWnd(true, false);
    ::UpdateWindow(window.GetHWND());
    PumpFor(50);
    ::UpdateWindow(window.GetHWND());
    for (const std::wstring& name : options.clicks) {
        SkinUI::CControlUI* control = window.GetPaintManager().FindControlByName(name.c_str());
        if (control == nullptr) {
            code = Fail(2, L"--click: no control is named \"" + name + L"\"");  // no comparison then
            break;
        }
        control->Activate();
        PumpFor(0);
    }
    if (!options.clicks.empty()) PumpFor(300);  // a sliding page comes to rest in about 200 ms
    // Pictures and dumps show the skin at rest: where the pointer happens to be on this
    // desktop (over a button that then reads hot) is no part of it. The message is the
    // one the window gets when the pointer leaves it.
    ::SendMessageW(window.GetHWND(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(-1));
    ::UpdateWindow(window.GetHWND());

    SkinUI::CControlUI* root = window.GetPaintManager().GetRoot();
    if (options.dumpTree) WriteUtf8(stdout, skinview::DumpTree(root));
    if (options.dumpAccessible) WriteUtf8(stdout, skinview::DumpAccessibleTree(window.GetPaintManager()));
    if (!options.png.empty() || !options.compare.empty()) {
        skinview::Picture picture;
        if (!skinview::CaptureClient(window.GetHWND(), picture)) {
            code = Fail(6, L"cannot take the picture");
        } else {
            const std::wstring png = NativePath(options.png);
            if (!options.png.empty() && !skinview::WritePngFile(png, picture.rgba.data(), picture.width, picture.height))
                code = Fail(6, L"cannot write \"" + png + L"\"");
            if (code == 0 && !options.compare.empty()) code = Compare(options, picture);
        }
    }
    if (options.waitMs > 0) PumpFor(static_cast<DWORD>(options.waitMs));
    window.SetQuitOnDestroy(false);
    ::DestroyWindow(window.GetHWND());
    PumpFor(0);
    return code;
}

// --reference: 0 written, 6 not written, 7 written with names that have no description.
int WriteReference(const skinview::Options& options) {
    std::vector<std::wstring> undescribed;
    const std::wstring text = skinview::MakeSkinReference(undescribed);
    const std::wstring path =
        NativePath(options.referenceFile.empty() ? L"docs\\skin-reference.md" : options.referenceFile);
    FILE* file = ::_wfopen(path.c_str(), L"wb");
    if (file == nullptr) return Fail(6, L"cannot write \"" + path + L"\"");
    WriteUtf8(file, text);
    const bool written = std::ferror(file) == 0;
    std::fclose(file);
    if (!written) return Fail(6, L"cannot write \"" + path + L"\"");
    for (const std::wstring& name : undescribed)
        WriteUtf8(stderr, L"skinview: " + name + L" has no description (tools/skinview/reference_descriptions.cpp)\n");
    return undescribed.empty() ? 0 : 7;
}

int Run(const skinview::Options& options) {
    using SkinUI::CPaintManagerUI;
    CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
    SkinUI::RegisterWidgetControls();
    // The one class a skin's ActiveX element may create here: the system's web browser.
    SkinUI::CActiveXUI::AllowClass(CLSID_WebBrowser);
    if (options.reference) return WriteReference(options);
    SkinSource source(options);
    if (const int code = source.Open()) return code;
    const std::wstring& skinName = source.SkinName();

    int code = 0;
    if (options.lint) {
        code = PrintLint(skinName);
    } else if (options.watch) {
        skinview::WatchCallbacks callbacks;
        callbacks.reload = [&] { return source.Reload(); };
        callbacks.buildProblem = [&] { return BuildProblem(skinName); };
        callbacks.beforeBuild = [&] { PrintLint(skinName); };
        callbacks.afterBuild = [&](void* window) {
            if (options.dumpTree) {
                auto* preview = static_cast<skinview::PreviewWindow*>(window);
                WriteUtf8(stdout, skinview::DumpTree(preview->GetPaintManager().GetRoot()));
            }
        };
        // A skin broken from the start is reported; the watch waits for a good one.
        const std::wstring problem = BuildProblem(skinName);
        if (!problem.empty()) return Fail(4, L"skin \"" + skinName + L"\" does not build: " + problem);
        code = skinview::RunWatch(options, skinName, source.Folder(), callbacks);
    } else {
        // Build once without a window, so that a broken skin is reported here
        // rather than by the window's message box.
        const std::wstring problem = BuildProblem(skinName);
        if (!problem.empty()) return Fail(4, L"skin \"" + skinName + L"\" does not build: " + problem);
        code = ShowOnce(options, skinName);
    }
    CPaintManagerUI::TermFramework();
    return code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    skinview::Options options;
    std::wstring error;
    if (!skinview::ParseOptions(argc - 1, argv + 1, options, error)) {
        if (!error.empty()) WriteUtf8(stderr, L"skinview: " + error + L"\n");
        WriteUtf8(error.empty() ? stdout : stderr, skinview::UsageText());
        return error.empty() ? 0 : 2;
    }
    const COleScope ole;
    return Run(options);
}
