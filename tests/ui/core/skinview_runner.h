// Runs the skin preview tool (skinview) from the tests, on the launcher's skins
// or on copies of them.
#pragma once

#include <windows.h>

#include <string>

namespace skinview_test {

std::wstring SkinView();
std::wstring SkinArchive();
// resources\skin\ of the source tree (trailing '\').
std::wstring SourceSkinDir();
// A reference picture of tests\golden\.
std::wstring GoldenPicture(const wchar_t* name);
// A directory argument without its trailing separator ("dir\"" would escape the quote).
std::wstring DirArg(std::wstring dir);
// A fresh temporary directory holding a copy of the launcher's skins and images.
std::wstring CopyOfSkins(const wchar_t* tag);

// Runs skinview with `args`; its standard output and error go to `out`. Returns the exit code.
int RunSkinView(const std::wstring& args, std::string* out = nullptr);

// True when a line of `text`, leading blanks removed, equals `line`.
bool HasLine(const std::string& text, const std::string& line);

// Replaces the first `from` in the file by `to`; false when the file lacks it.
bool EditFile(const std::wstring& path, const std::string& from, const std::string& to);

}  // namespace skinview_test
