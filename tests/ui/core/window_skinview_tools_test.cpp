// The skin author's modes of skinview: the checker (--lint) on mistakes seeded
// into a copy of a launcher skin, golden-picture comparison (--compare), and
// the live preview (--watch) following a file changed on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/common/test_env.h"
#include "tests/ui/core/skinview_runner.h"

namespace {

using namespace skinview_test;

// The tolerance scripts/test gives the golden comparisons (tools/skinview/CMakeLists.txt).
const wchar_t kGoldenTolerance[] = L"40";

TEST(SkinViewLint, LauncherSkinsLintClean) {
    for (const wchar_t* skin : {L"msg_fix_tips.xml", L"msg_xp_tips.xml"}) {
        std::string out;
        EXPECT_EQ(RunSkinView(L"--archive \"" + SkinArchive() + L"\" --skin " + skin + L" --lint", &out), 0) << out;
        EXPECT_EQ(out.find(": warning: "), std::string::npos) << out;
        EXPECT_EQ(out.find(": error: "), std::string::npos) << out;
    }
}

struct Seeded {
    const char* what;
    const char* from;  // first occurrence in msg_fix_tips.xml ...
    const char* to;    // ... replaced by this
    const wchar_t* extraFile;  // written with this text, or removed when the text is null
    const char* extraText;
    const char* finding;  // expected "line: severity: message" part
    int exitCode;
};

TEST(SkinViewLint, FindsEachSeededMistakeOnItsLine) {
    const std::string gap = "<Window><Control /></Window>";
    const Seeded cases[] = {
        {"unknown attribute", "bkimage=\"soft_logo.png\"", "bkimgae=\"soft_logo.png\"", nullptr, nullptr,
         ":12: warning: Label has no attribute \"bkimgae\" (did you mean \"bkimage\"?)", 1},
        {"unknown element", "<Control width=\"15\" />", "<Contrl width=\"15\" />", nullptr, nullptr,
         ":11: error: unknown element <Contrl> (did you mean \"Control\"?)", 2},
        {"window attribute spelled in the wrong case", "showshadow=\"true\"", "showshadow=\"true\" Layered=\"true\"",
         nullptr, nullptr, ":2: warning: Window has no attribute \"Layered\" (did you mean \"layered\"?)", 1},
        {"colour", "bkcolor=\"#ffffffff\"", "bkcolor=\"#ffgfffff\"", nullptr, nullptr,
         ":5: error: bkcolor=\"#ffgfffff\": not a colour", 2},
        {"number", "height=\"30\"", "height=\"3O\"", nullptr, nullptr, ":6: error: height=\"3O\": not a whole number",
         2},
        {"rectangle", "caption=\"0,0,0,100\"", "caption=\"0,0,100\"", nullptr, nullptr,
         ":2: error: caption=\"0,0,100\": wants 4 whole numbers", 2},
        {"boolean", "statehor=\"false\"", "statehor=\"no\"", nullptr, nullptr,
         ":8: error: statehor=\"no\": not true or false", 2},
        {"image description key", "source='0,0,100,18'", "sorce='0,0,100,18'", nullptr, nullptr,
         ":20: warning: foreimage: image descriptions have no key \"sorce\" (did you mean \"source\"?)", 1},
        {"image description value", "corner='10,2,22,2'", "corner='10,2,22'", nullptr, nullptr,
         ":20: error: foreimage: corner='10,2,22': wants 4 whole numbers", 2},
        {"malformed image description", "corner='5,2,5,2'", "corner=5,2,5,2", nullptr, nullptr,
         ":20: error: bkimage=\"file='progress_bar.png' source='100,0,200,18' corner=5,2,5,2\": not a well-formed", 2},
        {"missing image", "soft_logo.png", "soft_logo2.png", nullptr, nullptr,
         ":12: error: bkimage: image \"soft_logo2.png\" not found", 2},
        {"scale fall-back", "", "", L"soft_logo@150.png", nullptr,
         ":12: note: image \"soft_logo.png\" has no picture of its own at every scale: 150, 175 % draw "
         "soft_logo@200.png",
         0},
        {"undefined style", "<Control height=\"10\" />", "<Control height=\"10\" style=\"gap\" />", nullptr, nullptr,
         ":18: error: style=\"gap\": no such style", 2},
        {"style cycle", "<Font id=\"120\"",
         "<Style name=\"a\" value=\"b\" /><Style name=\"b\" value=\"style=&quot;a&quot;\" /><Font id=\"120\"",
         nullptr, nullptr, ":3: error: style cycle: a -> b -> a", 2},
        {"default list for an unknown element", "<Font id=\"120\"",
         "<Default name=\"Buton\" value=\"width=&quot;30&quot;\" /><Font id=\"120\"", nullptr, nullptr,
         ":3: warning: Default for \"Buton\", which is no element (did you mean \"Button\"?)", 1},
        {"default list of the containers' scroll bars", "<Font id=\"120\"",
         "<Default name=\"VScrollBar\" value=\"thumbhotimge=&quot;x.png&quot;\" /><Font id=\"120\"", nullptr,
         nullptr,
         ":3: warning: Default \"VScrollBar\": ScrollBar has no attribute \"thumbhotimge\" (did you mean "
         "\"thumbhotimage\"?)",
         1},
        {"font face not installed", "name=\"微软雅黑\" size=\"12\"", "name=\"No Such Face Qvx\" size=\"12\"", nullptr,
         nullptr, ":3: warning: font face \"No Such Face Qvx\" is not installed", 1},
        {"font id never defined", "font=\"160\"", "font=\"170\"", nullptr, nullptr,
         ":16: warning: font=\"170\": no Font with this id", 1},
        {"duplicate control name", "<Label width=\"48\"", "<Label name=\"progress_doing\" width=\"48\"", nullptr,
         nullptr, ":20: warning: another control is named \"progress_doing\" (msg_fix_tips.xml:12)", 1},
        {"control that holds no children", "bkimage=\"soft_logo.png\" />",
         "bkimage=\"soft_logo.png\"><Control /></Label>", nullptr, nullptr,
         ":12: error: Label holds no children", 2},
        {"include not found", "<Control height=\"10\" />", "<Control height=\"10\" /><Include source=\"gap.xml\" />",
         nullptr, nullptr, ":18: error: Include source \"gap.xml\" not found", 2},
        {"include over the work bound", "<Control height=\"10\" />",
         "<Control height=\"10\" /><Include source=\"gap.xml\" count=\"20000\" />", L"gap.xml", gap.c_str(),
         ":18: error: with count=\"20000\" the skin makes 40012 controls and repetitions (the bound is 2000)", 2},
    };
    for (const Seeded& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring dir = CopyOfSkins(L"lint");
        ASSERT_TRUE(EditFile(dir + L"msg_fix_tips.xml", c.from, c.to));
        if (c.extraFile != nullptr && c.extraText != nullptr) {
            ASSERT_TRUE(testenv::WriteFile(dir + c.extraFile, c.extraText));
        } else if (c.extraFile != nullptr) {
            ASSERT_TRUE(::DeleteFileW((dir + c.extraFile).c_str()));
        }
        std::string out;
        EXPECT_EQ(RunSkinView(L"--dir " + DirArg(dir) + L" --skin msg_fix_tips.xml --lint", &out), c.exitCode) << out;
        EXPECT_NE(out.find(std::string("msg_fix_tips.xml") + c.finding), std::string::npos) << out;
        testenv::RemoveTree(dir);
    }
}

TEST(SkinViewCompare, GoldenPictureCatchesAChangedColourOrAMovedControl) {
    struct Change {
        const char* what;
        const char* from;
        const char* to;
        int exitCode;
    };
    const Change changes[] = {
        {"unchanged copy", "", "", 0},
        {"title text colour", "textcolor=\"#ff000000\"", "textcolor=\"#ff993300\"", 1},
        {"background colour", "bkcolor=\"#ffffffff\"", "bkcolor=\"#fff4f4f4\"", 1},
        {"logo moved by 2 pixels", "<Control width=\"15\" />", "<Control width=\"17\" />", 1},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        const std::wstring dir = CopyOfSkins(L"compare");
        ASSERT_TRUE(EditFile(dir + L"msg_fix_tips.xml", c.from, c.to));
        std::string out;
        EXPECT_EQ(RunSkinView(L"--dir " + DirArg(dir) + L" --skin msg_fix_tips.xml --compare \"" +
                                  GoldenPicture(L"msg_fix_tips@100.png") + L"\" --tolerance " + kGoldenTolerance +
                                  L" --diff \"" + dir + L"diff.png\"",
                              &out),
                  c.exitCode)
            << out;
        EXPECT_NE(out.find(" pixels differ (tolerance 40)"), std::string::npos) << out;
        if (c.exitCode == 1) {
            EXPECT_NE(out.find(" within "), std::string::npos) << out;  // the bounding box
        }
        EXPECT_TRUE(testenv::FileExists(dir + L"diff.png"));
        testenv::RemoveTree(dir);
    }
}

// skinview --watch in the background, its output in a file read while it runs.
class WatchedSkinView {
public:
    explicit WatchedSkinView(const std::wstring& args) : m_dir(testenv::MakeTempDir(L"watch")) {
        SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
        HANDLE out = ::CreateFileW((m_dir + L"out.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &sa, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = out;
        si.hStdError = out;
        std::wstring cmd = L"\"" + SkinView() + L"\" --watch " + args;
        if (::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &m_pi)) {
            ::CloseHandle(m_pi.hThread);
        }
        ::CloseHandle(out);
    }
    ~WatchedSkinView() {
        if (m_pi.hProcess != nullptr) {
            ::TerminateProcess(m_pi.hProcess, 0);
            ::WaitForSingleObject(m_pi.hProcess, 10000);
            ::CloseHandle(m_pi.hProcess);
        }
        testenv::RemoveTree(m_dir);
    }

    std::string Output() const {
        HANDLE file = ::CreateFileW((m_dir + L"out.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "";
        std::string text;
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) text.append(buffer, read);
        ::CloseHandle(file);
        return text;
    }
    bool WaitForOutput(const std::string& line, size_t after = 0) const {
        return testenv::WaitFor([&] { return HasLine(Output().substr(std::min(after, Output().size())), line); },
                                30000);
    }

    // The visible preview window of the process.
    HWND Window() const {
        Search search = {m_pi.dwProcessId, nullptr};
        ::EnumWindows(&NoteWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

private:
    struct Search {
        DWORD pid;
        HWND found;
    };
    static BOOL CALLBACK NoteWindow(HWND hWnd, LPARAM p) {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        wchar_t cls[64] = {};
        ::GetClassNameW(hWnd, cls, 64);
        if (pid != s->pid || !::IsWindowVisible(hWnd) || std::wstring(cls) != L"SkinViewPreview") return TRUE;
        s->found = hWnd;
        return FALSE;
    }

    std::wstring m_dir;
    PROCESS_INFORMATION m_pi = {};
};

std::wstring Title(HWND hWnd) {
    wchar_t text[512] = {};
    ::GetWindowTextW(hWnd, text, 512);
    return text;
}

TEST(SkinViewWatch, RebuildsOnChangeInPlaceAndKeepsTheLastGoodPictureOnError) {
    const std::wstring dir = CopyOfSkins(L"watched");
    const std::wstring skin = dir + L"msg_fix_tips.xml";
    WatchedSkinView view(L"--dump-tree --dir " + DirArg(dir) + L" --skin msg_fix_tips.xml");
    ASSERT_TRUE(view.WaitForOutput("ButtonUI name=\"sysclosebutton\" visible=1 rect=270,0,300,30")) << view.Output();
    HWND first = nullptr;
    ASSERT_TRUE(testenv::WaitFor([&] { return (first = view.Window()) != nullptr; }, 10000));
    ::SetWindowPos(first, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT at = {};
    ASSERT_TRUE(testenv::WaitFor([&] { return ::GetWindowRect(first, &at) && at.left == 37 && at.top == 41; }, 10000));

    // A control added on disk appears in the tree of a rebuilt window at the same place.
    size_t seen = view.Output().size();
    ASSERT_TRUE(EditFile(skin, "<Control height=\"10\" />", "<Control name=\"added\" height=\"10\" />"));
    ASSERT_TRUE(view.WaitForOutput("ControlUI name=\"added\" visible=1 rect=78,45,300,55", seen)) << view.Output();
    HWND rebuilt = nullptr;
    ASSERT_TRUE(testenv::WaitFor([&] { return (rebuilt = view.Window()) != nullptr && rebuilt != first; }, 10000));
    ::GetWindowRect(rebuilt, &at);
    EXPECT_EQ(at.left, 37);
    EXPECT_EQ(at.top, 41);

    // A broken save keeps the window (and its picture) and shows the error; lint findings are printed.
    seen = view.Output().size();
    ASSERT_TRUE(EditFile(skin, "<Control />", "<Control>"));
    ASSERT_TRUE(testenv::WaitFor([&] { return view.Output().find("does not build", seen) != std::string::npos; },
                                 30000))
        << view.Output();
    EXPECT_EQ(view.Window(), rebuilt);
    EXPECT_NE(Title(rebuilt).find(L"does not build"), std::wstring::npos);
    EXPECT_NE(view.Output().find(": error: does not parse", seen), std::string::npos) << view.Output();
    testenv::RemoveTree(dir);
}

}  // namespace
