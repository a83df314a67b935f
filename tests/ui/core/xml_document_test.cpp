#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/core/xml_document.h"

using namespace SkinUI;

namespace {

std::string Utf8(const wchar_t* w) {
    std::string s;
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    s.resize(n - 1);
    WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
    return s;
}

// Parses and returns the failure message ("" on success).
std::wstring ParseError(const wchar_t* text) {
    CXmlDocument doc;
    if (doc.ParseText(text)) return L"";
    EXPECT_EQ(0, doc.GetElementCount());
    EXPECT_TRUE(doc.RootElement().IsNull());
    return doc.LastErrorMessage();
}

}  // namespace

TEST(CXmlDocumentTest, BomDeclarationAndCommentsBeforeTheRoot) {
    const std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!-- skin -->\r\n"
                             "<Window size=\"300,100\" caption=\"0,0,0,100\">\r\n  <Font id=\"120\" name=\"x\"/>\r\n"
                             "  <VerticalLayout><Label text=\"\xE4\xBD\xA0\xE5\xA5\xBD\"/></VerticalLayout>\r\n</Window>\r\n";
    CXmlDocument doc;
    ASSERT_TRUE(doc.ParseBytes(text.data(), text.size(), XmlEncodingUtf8)) << doc.LastErrorMessage();
    CXmlElement root = doc.RootElement();
    ASSERT_FALSE(root.IsNull());
    EXPECT_STREQ(L"Window", root.Name());
    EXPECT_EQ(2, root.AttrCount());
    EXPECT_STREQ(L"size", root.AttrName(0));
    EXPECT_STREQ(L"300,100", root.AttrValue(0));
    EXPECT_STREQ(L"0,0,0,100", root.AttrValue(1));
    EXPECT_STREQ(L"", root.AttrValue(2));
    CXmlElement font = root.FirstChild();
    EXPECT_STREQ(L"Font", font.Name());
    EXPECT_FALSE(font.HasChildElements());
    CXmlElement layout = font.NextSibling();
    EXPECT_STREQ(L"VerticalLayout", layout.Name());
    EXPECT_TRUE(layout.NextSibling().IsNull());
    CXmlElement label = layout.FirstChild();
    EXPECT_STREQ(L"\x4F60\x597D", label.FindAttrValue(L"text"));
    EXPECT_STREQ(L"VerticalLayout", label.Parent().Name());
}

TEST(CXmlDocumentTest, SelfClosingRootHasEmptyValue) {
    CXmlDocument doc(L"<Window size=\"300,100\" />");
    CXmlElement root = doc.RootElement();
    ASSERT_FALSE(root.IsNull());
    EXPECT_STREQ(L"Window", root.Name());
    EXPECT_STREQ(L"", root.Value());
    EXPECT_EQ(1, root.AttrCount());
    EXPECT_TRUE(root.HasAttrs());
    EXPECT_FALSE(root.HasChildElements());
}

TEST(CXmlDocumentTest, SyntaxErrorsReportTheirMessages) {
    EXPECT_EQ(L"Expected attribute value", ParseError(L"<a x='1'/>"));
    EXPECT_EQ(L"Unmatched closing tag", ParseError(L"<a><b></c></a>"));
    EXPECT_EQ(L"Unmatched closing tag", ParseError(L"<a></A>"));
    EXPECT_EQ(L"Unmatched closing tag", ParseError(L"<a></a x>"));
    EXPECT_EQ(L"Expected start tag", ParseError(L"<a><b></b>text</a>"));
    EXPECT_EQ(L"Expected end-tag start", ParseError(L"<a><b><c>"));
    EXPECT_EQ(L"Error parsing element name", ParseError(L"<abc"));
    EXPECT_EQ(L"Expected start-tag closing", ParseError(L"<a b=\"1\" / >"));
    EXPECT_EQ(L"Error while parsing attributes", ParseError(L"<a b c=\"1\"/>"));
    EXPECT_EQ(L"Error while parsing attribute string", ParseError(L"<a b=\"1/>"));
    EXPECT_EQ(L"Expected start tag", ParseError(L"text"));
    EXPECT_EQ(L"Expected start tag", ParseError(L"<a><b><c></c>"));
}

TEST(CXmlDocumentTest, ErrorPlaceHoldsAtMost49Characters) {
    CXmlDocument doc;
    std::wstring text = L"<a x='" + std::wstring(100, L'v') + L"'/>";
    ASSERT_FALSE(doc.ParseText(text.c_str()));
    EXPECT_STREQ(L"Expected attribute value", doc.LastErrorMessage());
    EXPECT_EQ(L"'" + std::wstring(48, L'v'), doc.LastErrorPlace());
    // A successful parse clears the message.
    ASSERT_TRUE(doc.ParseText(L"<a/>"));
    EXPECT_STREQ(L"", doc.LastErrorMessage());
}

TEST(CXmlDocumentTest, UnclosedRootAndChildAtTheEndAreAccepted) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.ParseText(L"<a><b>"));
    CXmlElement root = doc.RootElement();
    EXPECT_STREQ(L"a", root.Name());
    EXPECT_STREQ(L"b", root.FirstChild().Name());  // names end at their own end
    EXPECT_EQ(0, root.FirstChild().AttrCount());
    ASSERT_TRUE(doc.ParseText(L"<a k=\"v\">text"));
    EXPECT_STREQ(L"a", doc.RootElement().Name());
    EXPECT_STREQ(L"v", doc.RootElement().FindAttrValue(L"k"));
    EXPECT_STREQ(L"text", doc.RootElement().Value());
}

TEST(CXmlDocumentTest, EntitiesAndTextContent) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.ParseText(L"<a t=\"x &amp; y &lt;z&gt; &quot;q&quot; &apos;s&apos; &foo;\" u=\"&amp;&amp;\"/>"));
    CXmlElement a = doc.RootElement();
    EXPECT_STREQ(L"x & y <z> \"q\" 's' &foo;", a.AttrValue(0));
    EXPECT_STREQ(L"&&", a.FindAttrValue(L"u"));
    ASSERT_TRUE(doc.ParseText(L"<a>1 &lt; 2<b/></a>"));
    EXPECT_STREQ(L"1 < 2", doc.RootElement().Value());
    ASSERT_TRUE(doc.ParseText(L"<a>&#x41;</a>"));
    EXPECT_STREQ(L"&#x41;", doc.RootElement().Value());  // no numeric references
}

TEST(CXmlDocumentTest, WhitespaceHandling) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.ParseText(L"<a v=\"x  \t y\"/>"));
    EXPECT_STREQ(L"x  \t y", doc.RootElement().AttrValue(0));
    doc.preserveWhitespace = false;
    ASSERT_TRUE(doc.ParseText(L"<a v=\"x  \t y\" w=\"\tz\"/>"));
    EXPECT_STREQ(L"x y", doc.RootElement().AttrValue(0));
    EXPECT_STREQ(L"\tz", doc.RootElement().AttrValue(1));
}

TEST(CXmlDocumentTest, Only64AttributesAreVisible) {
    std::wstring text = L"<a";
    for (int i = 0; i < 65; ++i) text += L" k" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
    text += L"/>";
    CXmlDocument doc(text.c_str());
    CXmlElement a = doc.RootElement();
    EXPECT_EQ(64, a.AttrCount());
    wchar_t buf[8];
    EXPECT_TRUE(a.FindAttr(L"k63", buf, 8));
    EXPECT_STREQ(L"63", buf);
    EXPECT_FALSE(a.FindAttr(L"k64", buf, 8));
}

TEST(CXmlDocumentTest, FindAttrIgnoresCaseAndTruncates) {
    CXmlDocument doc(L"<a name=\"first\" NAME=\"second\" long=\"0123456789\"/>");
    CXmlElement a = doc.RootElement();
    wchar_t buf[16];
    ASSERT_TRUE(a.FindAttr(L"NAME", buf, 16));
    EXPECT_STREQ(L"first", buf);
    ASSERT_TRUE(a.FindAttr(L"long", buf, 5));
    EXPECT_STREQ(L"0123", buf);
    EXPECT_FALSE(a.FindAttr(L"missing", buf, 16));
    CXmlElement null;
    EXPECT_EQ(0, null.AttrCount());
    EXPECT_EQ(nullptr, null.Name());
    EXPECT_EQ(nullptr, null.AttrName(0));
    EXPECT_FALSE(null.FindAttr(L"x", buf, 16));
    EXPECT_TRUE(null.FirstChild().IsNull());
}

TEST(CXmlDocumentTest, ElementTableGrowsAcrossManyElements) {
    std::wstring text = L"<r>";
    for (int i = 0; i < 3000; ++i) text += L"<c i=\"" + std::to_wstring(i) + L"\"/>";
    text += L"</r>";
    CXmlDocument doc(text.c_str());
    EXPECT_EQ(3002, doc.GetElementCount());
    int n = 0;
    for (CXmlElement c = doc.RootElement().FirstChild(); !c.IsNull(); c = c.NextSibling()) {
        EXPECT_EQ(std::to_wstring(n), c.AttrValue(0));
        ++n;
    }
    EXPECT_EQ(3000, n);
}

TEST(CXmlDocumentTest, DeepNestingFailsCleanly) {
    const int kFine = 1000;
    std::wstring fine;
    for (int i = 0; i < kFine; ++i) fine += L"<a>";
    for (int i = 0; i < kFine; ++i) fine += L"</a>";
    CXmlDocument doc;
    EXPECT_TRUE(doc.ParseText(fine.c_str())) << doc.LastErrorMessage();

    std::wstring deep;
    for (int i = 0; i < 100000; ++i) deep += L"<a>";
    EXPECT_FALSE(doc.ParseText(deep.c_str()));
    EXPECT_STREQ(L"Elements nested too deeply", doc.LastErrorMessage());
}

TEST(CXmlDocumentTest, EncodingsOfParseBytes) {
    CXmlDocument doc;
    // UTF-16 little and big endian with their marks.
    const char le[] = "\xFF\xFE<\0a\0/\0>\0";
    ASSERT_TRUE(doc.ParseBytes(le, sizeof(le) - 1, XmlEncodingUtf16));
    EXPECT_STREQ(L"a", doc.RootElement().Name());
    const char be[] = "\xFE\xFF\0<\0b\0/\0>";
    ASSERT_TRUE(doc.ParseBytes(be, sizeof(be) - 1, XmlEncodingUtf16));
    EXPECT_STREQ(L"b", doc.RootElement().Name());
    // An odd trailing byte is dropped.
    const char odd[] = "\xFF\xFE<\0c\0/\0>\0Z";
    ASSERT_TRUE(doc.ParseBytes(odd, sizeof(odd) - 1, XmlEncodingUtf16));
    // Without a mark nothing is parsed.
    const char bare[] = "<\0a\0/\0>\0";
    EXPECT_FALSE(doc.ParseBytes(bare, sizeof(bare) - 1, XmlEncodingUtf16));
    EXPECT_FALSE(doc.ParseBytes("\xFF", 1, XmlEncodingUtf16));
    EXPECT_TRUE(doc.RootElement().IsNull());
    // ANSI and UTF-8 without a mark.
    ASSERT_TRUE(doc.ParseBytes("<d/>", 4, XmlEncodingAnsi));
    EXPECT_STREQ(L"d", doc.RootElement().Name());
    const std::string u = Utf8(L"<e v=\"\x4E2D\"/>");
    ASSERT_TRUE(doc.ParseBytes(u.data(), u.size(), XmlEncodingUtf8));
    EXPECT_STREQ(L"\x4E2D", doc.RootElement().AttrValue(0));
}

TEST(CXmlDocumentTest, EmptyInputHasNoRoot) {
    CXmlDocument doc;
    EXPECT_TRUE(doc.ParseText(L"  "));
    EXPECT_TRUE(doc.RootElement().IsNull());
    EXPECT_TRUE(doc.ParseBytes("", 0, XmlEncodingUtf8));
    EXPECT_TRUE(doc.RootElement().IsNull());
    doc.Clear();
    EXPECT_EQ(0, doc.GetElementCount());
}

TEST(CXmlDocumentTest, SurrogatePairsInNamesAndValues) {
    CXmlDocument doc(L"<a v=\"\xD83D\xDE00 x\"/>");
    EXPECT_STREQ(L"\xD83D\xDE00 x", doc.RootElement().AttrValue(0));
}

TEST(CXmlDocumentTest, RandomDamageNeverCrashes) {
    const std::wstring skin =
        L"<?xml version=\"1.0\"?><!-- c --><Window size=\"300,100\" caption=\"0,0,0,30\">"
        L"<Font id=\"1\" name=\"a&amp;b\"/><VerticalLayout><Label text=\"x &lt; y\" name=\"l\">t</Label>"
        L"<Button name=\"b\" normalimage=\"file='x.png' source='0,0,1,1'\"/></VerticalLayout></Window>";
    const wchar_t alphabet[] = L"<>/=\"' &;!?-abc\x4E2D\xD83D\xDE00\x0301";
    unsigned seed = 4321;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    int parsed = 0;
    for (int round = 0; round < 5000; ++round) {
        std::wstring text = skin;
        const int edits = 1 + static_cast<int>(next() % 5);
        for (int i = 0; i < edits; ++i) {
            const size_t at = next() % text.size();
            const wchar_t c = alphabet[next() % (sizeof(alphabet) / sizeof(wchar_t) - 1)];
            switch (next() % 3) {
                case 0: text[at] = c; break;
                case 1: text.insert(at, 1, c); break;
                default: text.erase(at, 1); break;
            }
        }
        CXmlDocument doc;
        if (!doc.ParseText(text.c_str())) continue;
        ++parsed;
        // Walk everything the way the builder does.
        for (CXmlElement e = doc.RootElement(); !e.IsNull();) {
            for (int i = 0; i < e.AttrCount(); ++i) {
                EXPECT_NE(nullptr, e.AttrName(i));
                EXPECT_NE(nullptr, e.AttrValue(i));
            }
            (void)e.Value();
            if (e.HasChildElements()) {
                e = e.FirstChild();
                continue;
            }
            while (!e.IsNull() && e.NextSibling().IsNull()) e = e.Parent();
            if (!e.IsNull()) e = e.NextSibling();
        }
    }
    EXPECT_GT(parsed, 100);  // damage in text and values still parses
}
