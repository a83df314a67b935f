// Printf-style formatting into strings, including texts longer than the first buffer.
#include <gtest/gtest.h>

#include <string>

#include "support/string_format.h"

namespace {

TEST(StringFormat, FormatsNarrowAndWideTexts)
{
    EXPECT_EQ(FormatString("%c%c%c%c", 'S', 'o', 'f', 't'), "Soft");
    EXPECT_EQ(FormatString("l.%d: %s", 12, "x"), "l.12: x");
    EXPECT_EQ(FormatString(L"%ls%ls\\", L"C:\\Users\\a\\AppData\\Roaming\\", L"GameQVX"),
              L"C:\\Users\\a\\AppData\\Roaming\\GameQVX\\");
    EXPECT_EQ(FormatString(L"%lc%lc", L'\u6E38', L'\u620F'), L"\u6E38\u620F");
    EXPECT_EQ(FormatString(""), "");
    EXPECT_EQ(FormatString(static_cast<const char*>(nullptr)), "");
}

TEST(StringFormat, TextsBeyondTheFirstBufferGrowIt)
{
    const std::string narrow(5000, 'n');
    EXPECT_EQ(FormatString("<%s>", narrow.c_str()), "<" + narrow + ">");
    const std::wstring wide(9000, L'w');
    EXPECT_EQ(FormatString(L"%ls|", wide.c_str()), wide + L"|");
    // Exactly the first buffer's size: no room for the terminator, so it grows once.
    const std::string edge(2048, 'e');
    EXPECT_EQ(FormatString("%s", edge.c_str()), edge);
}

} // namespace
