// The window as an OLE drop target: files dropped through the manager's real IDropTarget
// from a data object holding a real CF_HDROP block, the highlight of the accepting
// control, refusals elsewhere, hostile blocks, and every COM reference given back.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/ui/core/window_test_util.h"
#include "ui/core/dropped_files.h"

using namespace SkinUI;
using namespace wintest;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<VerticalLayout name=\"zone\" drop=\"true\" height=\"100\" dropbkcolor=\"#4000ff00\" dropbordercolor=\"#ff0000ff\">"
    L"<Label name=\"inner\" text=\"inside\" height=\"40\"/></VerticalLayout>"
    L"<Label name=\"plain\" text=\"no drops\" height=\"100\"/>"
    L"</VerticalLayout></Window>";

// A file-drop block: the header, the paths (wide or ANSI) each ended by NUL, one more NUL.
std::vector<BYTE> DropBlock(const std::vector<std::wstring>& paths, bool wide = true) {
    std::vector<BYTE> block(sizeof(DROPFILES));
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = wide;
    std::memcpy(block.data(), &header, sizeof(header));
    auto put = [&](const std::wstring& s) {
        if (wide) {
            const BYTE* p = reinterpret_cast<const BYTE*>(s.c_str());
            block.insert(block.end(), p, p + (s.size() + 1) * sizeof(wchar_t));
        } else {
            for (wchar_t c : s) block.push_back(static_cast<BYTE>(c));
            block.push_back(0);
        }
    };
    for (const std::wstring& path : paths) put(path);
    put(L"");
    return block;
}

std::vector<std::wstring> ManyPaths(int count) {
    std::vector<std::wstring> paths;
    for (int i = 0; i < count; ++i) paths.push_back(L"C:\\mods\\file" + std::to_wstring(i) + L".pak");
    return paths;
}

// A data object that offers one CF_HDROP block (or nothing) and counts its references.
class CFileData final : public IDataObject {
public:
    CFileData(std::vector<BYTE> block, bool offer) : m_block(std::move(block)), m_offer(offer) {}
    ULONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, m_block.size());
        if (copy == nullptr) return E_OUTOFMEMORY;
        std::memcpy(::GlobalLock(copy), m_block.data(), m_block.size());
        ::GlobalUnlock(copy);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return m_offer && format != nullptr && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) != 0
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    std::vector<BYTE> m_block;
    bool m_offer;
};

// Writes down every "dropfiles" with the paths it carries.
class CDropListener final : public INotifyUI {
public:
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType != L"dropfiles") return;
        ++drops;
        sender = Narrow(msg.pSender->GetName());
        const auto* files = reinterpret_cast<const CUIDroppedFiles*>(msg.lParam);
        paths.clear();
        for (int i = 0; i < files->GetCount(); ++i) paths.push_back(files->GetAt(i));
        EXPECT_EQ(static_cast<int>(msg.wParam), files->GetCount());
        EXPECT_EQ(files, &msg.pSender->GetManager()->GetDroppedFiles());
    }
    int drops = 0;
    std::string sender;
    std::vector<std::wstring> paths;
};

class DropTarget : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        ASSERT_TRUE(host.Open(100, 100, 200, 220));
        ASSERT_NE(host.Attach(kSkin), nullptr);
        host.pm.AddNotifier(&listener);
        host.ShowAndPaint();
        ASSERT_TRUE(SUCCEEDED(host.pm.QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&target))));
    }
    void TearDown() override {
        if (target != nullptr) target->Release();
        ::DestroyWindow(host.GetHWND());
        // Revoked with the window: no reference is left with the system.
        host.pm.AddRef();
        EXPECT_EQ(host.pm.Release(), 1u);
        ::OleUninitialize();
    }
    // The screen point at the middle of a named control.
    POINTL At(const wchar_t* name) {
        const RECT rc = host.pm.FindControlByName(name)->GetPos();
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(host.GetHWND(), &pt);
        return POINTL{pt.x, pt.y};
    }

    EventLog log;
    HostWindow host{&log};
    CDropListener listener;
    IDropTarget* target = nullptr;
};

TEST_F(DropTarget, FilesDroppedOnAnAcceptingControlReachItAndNowhereElse) {
    EXPECT_TRUE(host.pm.IsDropTargetRegistered());
    const std::vector<std::wstring> chinese = {L"C:\\游戏\\模组\\新地图.pak", L"D:\\存档 01\\进度.sav"};
    const std::vector<std::wstring> thousand = ManyPaths(1000);
    const struct {
        const char* what;
        std::vector<BYTE> block;
        bool offer;
        const wchar_t* over;
        DWORD effect;                 // answered to the drag and the drop
        std::vector<std::wstring> got;  // the paths "dropfiles" carried (none: not sent)
    } kCases[] = {
        {"Chinese paths on the zone", DropBlock(chinese), true, L"zone", DROPEFFECT_COPY, chinese},
        {"on a control inside the zone", DropBlock(chinese), true, L"inner", DROPEFFECT_COPY, chinese},
        {"on a control that takes no drops", DropBlock(chinese), true, L"plain", DROPEFFECT_NONE, {}},
        {"a thousand files", DropBlock(thousand), true, L"zone", DROPEFFECT_COPY, thousand},
        {"ANSI paths", DropBlock({L"C:\\a.pak", L"C:\\b c.pak"}, false), true, L"zone", DROPEFFECT_COPY,
         {L"C:\\a.pak", L"C:\\b c.pak"}},
        {"no files", DropBlock({}), true, L"zone", DROPEFFECT_COPY, {}},
        {"no file-drop format", DropBlock(chinese), false, L"zone", DROPEFFECT_NONE, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        listener.drops = 0;
        CFileData data(c.block, c.offer);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(target->DragEnter(&data, MK_LBUTTON, At(c.over), &effect), S_OK);
        EXPECT_EQ(effect, c.effect);
        CControlUI* zone = host.pm.FindControlByName(L"zone");
        EXPECT_EQ(host.pm.GetDropHover(), c.effect != DROPEFFECT_NONE ? zone : nullptr);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(target->Drop(&data, 0, At(c.over), &effect), S_OK);
        // A drop that brings no file is refused at the end.
        EXPECT_EQ(effect, c.got.empty() ? DWORD(DROPEFFECT_NONE) : c.effect);
        EXPECT_EQ(listener.drops, c.got.empty() ? 0 : 1);
        EXPECT_EQ(listener.paths, c.got);
        if (!c.got.empty()) {
            EXPECT_EQ(listener.sender, "zone");
        }
        EXPECT_EQ(host.pm.GetDropHover(), nullptr);
        EXPECT_EQ(host.pm.GetDroppedFiles().GetCount(), 0);  // kept for the notification only
        EXPECT_EQ(data.refs, 1u);
        listener.paths.clear();
    }
}

TEST_F(DropTarget, HighlightFollowsTheDragAndLeavesWithIt) {
    CFileData data(DropBlock({L"C:\\x.pak"}), true);
    CControlUI* zone = host.pm.FindControlByName(L"zone");
    DWORD effect = DROPEFFECT_MOVE;  // what the source allows is what it gets
    ASSERT_EQ(target->DragEnter(&data, 0, At(L"plain"), &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    effect = DROPEFFECT_MOVE | DROPEFFECT_LINK;
    ASSERT_EQ(target->DragOver(0, At(L"inner"), &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(host.pm.GetDropHover(), zone);
    ::UpdateWindow(host.GetHWND());  // painted with the highlight
    ASSERT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(host.pm.GetDropHover(), nullptr);
    EXPECT_EQ(listener.drops, 0);
    EXPECT_EQ(data.refs, 1u);
    // Bad arguments are refused, not followed.
    EXPECT_EQ(target->DragOver(0, At(L"zone"), nullptr), E_INVALIDARG);
    EXPECT_EQ(target->DragEnter(nullptr, 0, At(L"zone"), &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
}

TEST(DroppedFiles, HostileBlocksKeepWhatIsWholeAndReadNothingPast) {
    std::vector<BYTE> cut = DropBlock({L"C:\\one", L"C:\\two"});
    cut.resize(cut.size() - 6);  // the second path loses its end, the list its last NUL
    std::vector<BYTE> farOut = DropBlock({L"C:\\one"});
    reinterpret_cast<DROPFILES*>(farOut.data())->pFiles = 0xFFFFFFF0u;
    std::vector<BYTE> inHeader = DropBlock({L"C:\\one"});
    reinterpret_cast<DROPFILES*>(inHeader.data())->pFiles = 4;
    std::vector<BYTE> odd = DropBlock({L"C:\\one"});
    odd.push_back(0x41);  // half a character at the end
    const std::vector<BYTE> huge = DropBlock(ManyPaths(100000));
    const struct {
        const char* what;
        const std::vector<BYTE>& block;
        size_t size;
        int count;
        const wchar_t* last;
    } kCases[] = {
        {"cut short", cut, cut.size(), 1, L"C:\\one"},
        {"paths past the block", farOut, farOut.size(), 0, nullptr},
        {"paths inside the header", inHeader, inHeader.size(), 0, nullptr},
        {"an odd size", odd, odd.size(), 1, L"C:\\one"},
        {"shorter than a header", cut, sizeof(DROPFILES) - 1, 0, nullptr},
        {"a hundred thousand files", huge, huge.size(), 100000, L"C:\\mods\\file99999.pak"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        CUIDroppedFiles files;
        EXPECT_EQ(files.Read(c.block.data(), c.size), c.count > 0);
        EXPECT_EQ(files.GetCount(), c.count);
        if (c.last != nullptr) {
            EXPECT_STREQ(files.GetAt(c.count - 1), c.last);
        }
        EXPECT_EQ(files.GetAt(c.count), nullptr);
        EXPECT_EQ(files.GetAt(-1), nullptr);
    }
}

// The system's drag-image helper, replaced for the process by one that writes down what
// it hears, so that what the window passes on can be checked.
class CImageProbe final : public IDropTargetHelper, public IClassFactory {
public:
    ULONG refs = 0;
    HWND window = nullptr;
    std::vector<std::string> heard;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTargetHelper)) {
            *out = static_cast<IDropTargetHelper*>(this);
        } else if (IsEqualIID(riid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        return outer != nullptr ? CLASS_E_NOAGGREGATION : QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DragEnter(HWND target, IDataObject* data, POINT*, DWORD effect) override {
        window = target;
        return Hear("enter", effect, data);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return Hear("leave", 0, nullptr); }
    HRESULT STDMETHODCALLTYPE DragOver(POINT*, DWORD effect) override { return Hear("over", effect, nullptr); }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, POINT*, DWORD effect) override {
        return Hear("drop", effect, data);
    }
    HRESULT STDMETHODCALLTYPE Show(BOOL) override { return S_OK; }

private:
    HRESULT Hear(const char* what, DWORD effect, IDataObject* data) {
        heard.push_back(std::string(what) + (effect == DROPEFFECT_COPY ? " copy" : "") + (data ? " data" : ""));
        return S_OK;
    }
};

TEST(DragImage, TheSystemsHelperHearsEachStepOfADragWithTheEffectAnswered) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    CImageProbe probe;
    DWORD cookie = 0;
    ASSERT_TRUE(SUCCEEDED(::CoRegisterClassObject(CLSID_DragDropHelper, static_cast<IClassFactory*>(&probe),
                                                  CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie)));
    {
        EventLog log;
        HostWindow host(&log);
        ASSERT_TRUE(host.Open(100, 100, 200, 220));
        ASSERT_NE(host.Attach(kSkin), nullptr);
        host.ShowAndPaint();
        EXPECT_TRUE(host.pm.HasDragImage());
        IDropTarget* target = &host.pm;
        auto at = [&](const wchar_t* name) {
            const RECT rc = host.pm.FindControlByName(name)->GetPos();
            POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
            ::ClientToScreen(host.GetHWND(), &pt);
            return POINTL{pt.x, pt.y};
        };
        CFileData data(DropBlock({L"C:\\x.pak"}), true);
        DWORD effect = DROPEFFECT_COPY;
        target->DragEnter(&data, 0, at(L"zone"), &effect);
        effect = DROPEFFECT_COPY;
        target->DragOver(0, at(L"plain"), &effect);
        target->DragLeave();
        effect = DROPEFFECT_COPY;
        target->DragEnter(&data, 0, at(L"plain"), &effect);
        effect = DROPEFFECT_COPY;
        target->Drop(&data, 0, at(L"zone"), &effect);
        const std::vector<std::string> expected = {"enter data", "over copy", "over", "leave",
                                                   "enter data", "over",      "drop copy data"};
        EXPECT_EQ(probe.heard, expected);
        EXPECT_EQ(probe.window, host.GetHWND());
        ::DestroyWindow(host.GetHWND());
        EXPECT_FALSE(host.pm.HasDragImage());
    }
    ::CoRevokeClassObject(cookie);
    EXPECT_EQ(probe.refs, 0u);  // every reference given back
    ::OleUninitialize();
}

// Without OLE on the thread the window takes no drops, says so once, and works on.
TEST(DropTargetWithoutOle, TheAcceptingControlHearsThatDropsAreUnavailable) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(100, 100, 200, 220));
    ASSERT_NE(host.Attach(kSkin), nullptr);
    EXPECT_FALSE(host.pm.IsDropTargetRegistered());
    host.pm.FindControlByName(L"plain")->SetDropEnabled(true);  // no second try, no second note
    Pump();
    EXPECT_EQ(log.With("note:dropunavailable").size(), 1u);
    EXPECT_TRUE(log.Contains("note:dropunavailable:zone"));
    ::DestroyWindow(host.GetHWND());
    host.pm.AddRef();
    EXPECT_EQ(host.pm.Release(), 1u);
}

}  // namespace
