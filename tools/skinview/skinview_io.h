#pragma once
// Console output and path helpers shared by skinview's modes.

#include <cstdio>
#include <string>

namespace skinview {

// Writes UTF-8 and flushes (the output is often a file another process reads).
void WriteUtf8(FILE* stream, const std::wstring& text);

// Under Wine a Unix path ("/home/...") is turned into its DOS form.
std::wstring NativePath(const std::wstring& path);

// `text` on one line: every run of blanks, tabs and line breaks becomes one space.
std::wstring OneLine(const std::wstring& text);

// Directory part with a trailing separator, and the file part.
void SplitPath(const std::wstring& path, std::wstring& dir, std::wstring& name);

}  // namespace skinview
