#include <gtest/gtest.h>

#include <string>

#include "ui/core/ui_ptr_array.h"
#include "ui/core/ui_rect.h"
#include "ui/core/ui_string.h"
#include "ui/core/ui_string_map.h"

using namespace SkinUI;

namespace {

void* P(intptr_t v) { return reinterpret_cast<void*>(v); }

}  // namespace

TEST(CUIStringTest, InlineUpTo62CharactersThenHeap) {
    const std::wstring s62(62, L'x');
    const std::wstring s63(63, L'y');
    CUIString a(s62.c_str());
    EXPECT_TRUE(a.IsInline());
    EXPECT_EQ(62, a.GetLength());
    CUIString b(s63.c_str());
    EXPECT_FALSE(b.IsInline());
    EXPECT_EQ(s63, b.GetData());
    // Back to a short value, and null empties into the inline buffer.
    b = L"short";
    EXPECT_TRUE(b.IsInline());
    b = s63.c_str();
    b.Assign(nullptr);
    EXPECT_TRUE(b.IsInline());
    EXPECT_TRUE(b.IsEmpty());
}

TEST(CUIStringTest, LengthLimitedConstructionAppendAndSelfAssignment) {
    CUIString s(L"abcdef", 3);
    EXPECT_STREQ(L"abc", s);
    CUIString whole(L"abc", -1);
    EXPECT_STREQ(L"abc", whole);
    CUIString shortSource(L"ab", 10);  // never reads past the terminator
    EXPECT_STREQ(L"ab", shortSource);
    s += L"de";
    s += L'f';
    EXPECT_STREQ(L"abcdef", s);
    // Growing across the inline limit by appending.
    for (int i = 0; i < 20; ++i) s.Append(L"0123");
    EXPECT_EQ(86, s.GetLength());
    EXPECT_FALSE(s.IsInline());
    // Assigning a part of itself.
    s.Assign(s.GetData() + 80);
    EXPECT_STREQ(L"230123", s);
    s.Append(s.GetData());
    EXPECT_STREQ(L"230123230123", s);
    EXPECT_STREQ(L"xy", (CUIString(L"x") + L"y").GetData());
}

TEST(CUIStringTest, ComparisonFindReplaceAndCase) {
    CUIString s(L"Hello World");
    EXPECT_TRUE(s == L"Hello World");
    EXPECT_FALSE(s == L"hello world");
    EXPECT_EQ(0, s.CompareNoCase(L"HELLO world"));
    EXPECT_LT(CUIString(L"a").Compare(L"b"), 0);
    EXPECT_EQ(4, s.Find(L'o'));
    EXPECT_EQ(7, s.Find(L'o', 5));
    EXPECT_EQ(-1, s.Find(L'z'));
    EXPECT_EQ(-1, s.Find(L'o', 100));
    EXPECT_EQ(6, s.Find(L"World"));
    EXPECT_EQ(-1, s.Find(L"World", 7));
    EXPECT_EQ(7, s.ReverseFind(L'o'));
    EXPECT_EQ(L'H', s[0]);
    EXPECT_EQ(0, s[100]);

    CUIString r(L"a.b.c.png");
    EXPECT_EQ(3, r.Replace(L".", L"@150."));
    EXPECT_STREQ(L"a@150.b@150.c@150.png", r);
    EXPECT_EQ(0, r.Replace(L"", L"x"));
    CUIString grow(L"aaaa");
    grow.Replace(L"a", L"aa");
    EXPECT_STREQ(L"aaaaaaaa", grow);

    s.MakeLower();
    EXPECT_STREQ(L"hello world", s);
    s.MakeUpper();
    EXPECT_STREQ(L"HELLO WORLD", s);
    EXPECT_STREQ(L"HEL", s.Left(3));
    EXPECT_STREQ(L"LD", s.Right(2));
    EXPECT_STREQ(L"LO W", s.Mid(3, 4));
    EXPECT_STREQ(L"", s.Mid(50));
}

TEST(CUIStringTest, FormatGrowsBeyondTheFirstBuffer) {
    CUIString s;
    EXPECT_EQ(10, s.Format(L"%d-%s", 12345, L"abcd"));
    EXPECT_STREQ(L"12345-abcd", s);
    const std::wstring big(5000, L'q');
    s.Format(L"[%s]", big.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(L'q', s[4000]);
    // Text that can never fit below the bound gives the empty string.
    const std::wstring huge(0xA00000, L'h');
    EXPECT_EQ(0, s.Format(L"%s", huge.c_str()));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CUIPtrArrayTest, GrowthAndBounds) {
    CUIPtrArray a;
    EXPECT_EQ(0, a.GetCapacity());
    EXPECT_EQ(nullptr, a.GetData());
    for (int i = 1; i <= 10; ++i) ASSERT_TRUE(a.Add(P(i)));
    EXPECT_EQ(11, a.GetCapacity());
    ASSERT_TRUE(a.Add(P(11)));  // the eleventh element
    EXPECT_EQ(22, a.GetCapacity());
    EXPECT_EQ(11, a.GetSize());
    EXPECT_EQ(P(1), a.GetAt(0));
    EXPECT_EQ(nullptr, a.GetAt(-1));
    EXPECT_EQ(nullptr, a.GetAt(11));
    EXPECT_EQ(4, a.Find(P(5)));
    EXPECT_EQ(-1, a.Find(P(99)));
    EXPECT_TRUE(a.Remove(0));
    EXPECT_EQ(P(2), a[0]);
    EXPECT_FALSE(a.Remove(10));
    EXPECT_TRUE(a.SetAt(9, P(42)));
    EXPECT_FALSE(a.SetAt(10, P(42)));
    EXPECT_TRUE(a.InsertAt(0, P(7)));
    EXPECT_EQ(P(7), a[0]);
    EXPECT_EQ(P(2), a[1]);
    EXPECT_FALSE(a.InsertAt(20, P(1)));

    CUIPtrArray sized(5);
    EXPECT_EQ(5, sized.GetCapacity());
    for (int i = 0; i < 5; ++i) sized.Add(P(i));
    EXPECT_EQ(10, sized.GetCapacity());
}

TEST(CUIStringMapTest, HashCaseAndInsertRules) {
    // h = h * 33 + c from the last character to the first.
    EXPECT_EQ(static_cast<unsigned>(L'b') * 33u + L'a', CUIStringMap::HashKey(L"ab"));
    CUIStringMap m(83);
    EXPECT_TRUE(m.Insert(L"Name", P(1)));
    EXPECT_TRUE(m.Insert(L"name", P(2)));  // differs only in case: another entry
    EXPECT_FALSE(m.Insert(L"Name", P(3)));
    EXPECT_EQ(2, m.GetSize());
    EXPECT_EQ(P(1), m.Find(L"Name"));
    EXPECT_EQ(P(2), m.Find(L"name"));
    EXPECT_EQ(nullptr, m.Find(L"NAME"));
    EXPECT_EQ(P(1), m.Set(L"Name", P(4)));
    EXPECT_EQ(P(4), m.Find(L"Name"));
    EXPECT_EQ(nullptr, m.Set(L"other", P(5)));
    EXPECT_EQ(3, m.GetSize());
    EXPECT_TRUE(m.Remove(L"other"));
    EXPECT_FALSE(m.Remove(L"other"));
    EXPECT_EQ(nullptr, m.GetAt(2));

    CUIStringMap none(0);
    EXPECT_FALSE(none.Insert(L"a", P(1)));
    EXPECT_EQ(P(9), none.Set(L"a", P(9)));
    EXPECT_EQ(nullptr, none.Find(L"a"));
    none.Resize(7);
    EXPECT_TRUE(none.Insert(L"a", P(1)));
    none.Resize(7);
    EXPECT_EQ(0, none.GetSize());
}

TEST(CUIStringMapTest, EnumerationOrderAndMoveToFront) {
    // One bucket: everything chains; the newest is the head.
    CUIStringMap m(1);
    m.Insert(L"a", P(1));
    m.Insert(L"b", P(2));
    m.Insert(L"c", P(3));
    EXPECT_STREQ(L"c", m.GetAt(0));
    EXPECT_STREQ(L"b", m.GetAt(1));
    EXPECT_STREQ(L"a", m.GetAt(2));
    m.Find(L"a", false);
    EXPECT_STREQ(L"c", m.GetAt(0));
    m.Find(L"a");
    EXPECT_STREQ(L"a", m.GetAt(0));
    EXPECT_STREQ(L"c", m.GetAt(1));
    EXPECT_STREQ(L"b", m.GetAt(2));
    EXPECT_TRUE(m.Remove(L"c"));
    EXPECT_STREQ(L"a", m.GetAt(0));
    EXPECT_STREQ(L"b", m.GetAt(1));

    // Several buckets: enumeration starts at the last bucket.
    CUIStringMap two(2);
    two.Insert(L"\x01", P(1));  // hash 1 -> bucket 1
    two.Insert(L"\x02", P(2));  // hash 2 -> bucket 0
    EXPECT_STREQ(L"\x01", two.GetAt(0));
    EXPECT_STREQ(L"\x02", two.GetAt(1));
}

TEST(CUIRectTest, GeometryHelpers) {
    CUIRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.GetWidth());
    EXPECT_EQ(50, r.GetHeight());
    EXPECT_EQ(sizeof(RECT), sizeof(CUIRect));
    POINT in = {10, 20}, out = {110, 20};
    EXPECT_TRUE(r.PtInRect(in));
    EXPECT_FALSE(r.PtInRect(out));
    CUIRect u = r;
    u.Union(CUIRect(0, 0, 5, 5));
    EXPECT_EQ(CUIRect(0, 0, 110, 70), u);
    u.Union(CUIRect());  // empty rectangles do not count
    EXPECT_EQ(CUIRect(0, 0, 110, 70), u);
    CUIRect i = r;
    EXPECT_FALSE(i.Intersect(CUIRect(200, 200, 300, 300)));
    EXPECT_TRUE(i.IsNull());
    CUIRect n(5, 5, 1, 1);
    n.Normalize();
    EXPECT_EQ(CUIRect(1, 1, 5, 5), n);
    n.Deflate(CUIRect(1, 1, 1, 1));
    EXPECT_EQ(CUIRect(2, 2, 4, 4), n);
    n.ResetOffset();
    EXPECT_EQ(CUIRect(0, 0, 2, 2), n);
}
