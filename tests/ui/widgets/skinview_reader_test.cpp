// skinview's live window read by a screen reader in another process: this test
// process, and the probe fixture of each build (which reads across bitness). Radio
// buttons and check boxes show with their checked state, and their default action
// checks them.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/a11y_walk.h"
#include "tests/common/test_env.h"

namespace {

const char kSkin[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<Window size=\"240,60\"><VerticalLayout bkcolor=\"#FFFFFFFF\">"
    "<HorizontalLayout height=\"30\">"
    "<Option name=\"small\" text=\"\xE5\xB0\x8F\" group=\"size\" width=\"60\"/>"
    "<Option name=\"large\" text=\"\xE5\xA4\xA7\" group=\"size\" width=\"60\" selected=\"true\"/>"
    "</HorizontalLayout>"
    "<HorizontalLayout height=\"30\">"
    "<CheckBox name=\"sound\" text=\"\xE5\xA3\xB0\xE9\x9F\xB3\" width=\"120\"/>"
    "<CheckBox name=\"music\" text=\"\xE9\x9F\xB3\xE4\xB9\x90\" selected=\"true\" enabled=\"false\"/>"
    "</HorizontalLayout>"
    "</VerticalLayout></Window>";

// skinview showing the skin for a while (long enough for a slow machine to start the probes
// too); ended by the test when it is done with it.
class CSkinViewProcess {
public:
    explicit CSkinViewProcess(const std::wstring& skin)
        : m_process(testenv::Start(L"\"" + testenv::BinaryDir() + L"tools\\skinview\\skinview.exe\" --skin \"" + skin +
                                   L"\" --wait 180000")) {}
    ~CSkinViewProcess() {
        if (m_process == nullptr) return;
        ::TerminateProcess(m_process, 0);
        ::WaitForSingleObject(m_process, 10000);
        ::CloseHandle(m_process);
    }
    CSkinViewProcess(const CSkinViewProcess&) = delete;
    CSkinViewProcess& operator=(const CSkinViewProcess&) = delete;

    DWORD Id() const { return m_process != nullptr ? ::GetProcessId(m_process) : 0; }

    // Its visible preview window (other tests may show theirs meanwhile).
    HWND Window() const {
        TFind find = {Id(), nullptr};
        testenv::WaitFor(
            [&] {
                ::EnumWindows(&Match, reinterpret_cast<LPARAM>(&find));
                return find.found != nullptr;
            },
            30000);
        return find.found;
    }

private:
    struct TFind {
        DWORD process;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND window, LPARAM param) {
        auto* f = reinterpret_cast<TFind*>(param);
        DWORD process = 0;
        wchar_t cls[64] = {};
        ::GetWindowThreadProcessId(window, &process);
        ::GetClassNameW(window, cls, 64);
        if (process != f->process || std::wstring(cls) != L"SkinViewPreview" || !::IsWindowVisible(window))
            return TRUE;
        f->found = window;
        return FALSE;
    }

    HANDLE m_process;
};

// The probe fixtures of this build and, when it is built, of the i686 one.
std::vector<std::wstring> Probes() {
    std::vector<std::wstring> probes = {testenv::FixtureFile(L"a11y_probe.exe")};
    const std::wstring other = testenv::BinaryDir() + L"..\\i686\\tests\\fixtures\\a11y_probe.exe";
    // scripts/test says QVX_I686_RUNS=0 on a machine whose kernel runs no 32-bit code.
    wchar_t runs[4] = {};
    const bool i686Runs = GetEnvironmentVariableW(L"QVX_I686_RUNS", runs, 4) == 0 || runs[0] != L'0';
    if (i686Runs && testenv::FileExists(other)) probes.push_back(other);
    return probes;
}

TEST(SkinViewReader, AnotherProcessReadsTheRolesAndCheckedStatesOfTheLiveWindow) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const std::wstring dir = testenv::MakeTempDir(L"skinview_reader");
    ASSERT_TRUE(testenv::WriteFile(dir + L"choices.xml", kSkin));
    {
        CSkinViewProcess skinview(dir + L"choices.xml");
        HWND window = skinview.Window();
        ASSERT_NE(window, nullptr);
        const std::string lines[] = {
            a11y::Utf8(L"radio button \"\u5C0F\" state=focusable"),
            a11y::Utf8(L"radio button \"\u5927\" state=focusable,focused,checked"),
            a11y::Utf8(L"check button \"\u58F0\u97F3\" state=focusable"),
            a11y::Utf8(L"check button \"\u97F3\u4E50\" state=unavailable,checked"),
        };
        for (const std::wstring& probe : Probes()) {
            SCOPED_TRACE(a11y::Utf8(probe));
            const std::wstring out = dir + L"probe.txt";
            ASSERT_EQ(testenv::RunAndWait(L"\"" + probe + L"\" \"" + out + L"\" skinview SkinViewPreview " +
                                              std::to_wstring(skinview.Id()),
                                          30000, dir),
                      0);
            std::string reading = testenv::ReadFile(out);
            // Where the pointer happens to rest, a button reads "hot" too: not what is checked here.
            for (size_t at; (at = reading.find(",hot")) != std::string::npos;) reading.erase(at, 4);
            for (const std::string& line : lines) EXPECT_NE(reading.find(line + " @"), std::string::npos) << reading;
        }
        // This process checks the box through its default action and reads the new state.
        IAccessible* client = a11y::ClientOf(window);
        ASSERT_NE(client, nullptr);
        IAccessible* sound = a11y::Find(client, ROLE_SYSTEM_CHECKBUTTON, L"\u58F0\u97F3");
        ASSERT_NE(sound, nullptr) << a11y::Utf8(a11y::DumpTree(client));
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        const auto action = [&] {
            BSTR words = nullptr;
            sound->get_accDefaultAction(self, &words);
            const std::wstring text = words != nullptr ? words : L"";
            ::SysFreeString(words);
            return text;
        };
        EXPECT_EQ(action(), L"\u9009\u4E2D");  // "check"
        EXPECT_EQ(sound->accDoDefaultAction(self), S_OK);
        EXPECT_TRUE(testenv::WaitFor([&] { return (a11y::State(sound) & STATE_SYSTEM_CHECKED) != 0; }, 10000))
            << a11y::Utf8(a11y::DumpTree(client));
        EXPECT_EQ(action(), L"\u53D6\u6D88\u9009\u4E2D");  // "uncheck"
        sound->Release();
        client->Release();
    }
    testenv::RemoveTree(dir);
    ::CoUninitialize();
}

}  // namespace
