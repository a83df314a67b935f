#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/portable/ini_parser.h"

namespace {

struct TParsed {
    qvx::TIniSections sections;
    std::vector<std::string> diagnostics;
};

TParsed Parse(const std::string& text)
{
    TParsed parsed;
    qvx::ParseIni(text, qvx::TIniSyntax(), parsed.sections, parsed.diagnostics);
    return parsed;
}

TEST(IniParser, TrailingCommentAndSurroundingBlanksAreDropped)
{
    const TParsed p = Parse("[Soft]\nSOFT_NAME_EN = abc # note\n");
    EXPECT_EQ(p.sections.at("Soft").at("SOFT_NAME_EN"), "abc");
    EXPECT_TRUE(p.diagnostics.empty());
}

TEST(IniParser, EscapedCommentMarkerIsLiteral)
{
    const TParsed p = Parse("[S]\nkey=a\\#b\nother=a#b\ntwo=x\\#y\\#z#cut\nline\\#=v\n");
    const qvx::TIniSection& s = p.sections.at("S");
    EXPECT_EQ(s.at("key"), "a#b");
    EXPECT_EQ(s.at("other"), "a");
    EXPECT_EQ(s.at("two"), "x#y#z");
    EXPECT_EQ(s.at("line#"), "v");
}

TEST(IniParser, CommentAtLineStartBlanksTheLine)
{
    const TParsed p = Parse("#[Hidden]\n[S]\n  # k=v\nk2=v2\n");
    EXPECT_EQ(p.sections.count("Hidden"), 0u);
    EXPECT_EQ(p.sections.at("S").size(), 1u);
    EXPECT_TRUE(p.diagnostics.empty());
}

TEST(IniParser, SectionNamesAreTakenAsIsAndCaseSensitive)
{
    const TParsed p = Parse("[ Soft ] trailing junk\na=1\n[soft]\nb=2\n");
    EXPECT_EQ(p.sections.count("Soft"), 0u);
    EXPECT_EQ(p.sections.at(" Soft ").at("a"), "1");
    EXPECT_EQ(p.sections.at("soft").at("b"), "2");
}

TEST(IniParser, RepeatedKeysReplaceAndRepeatedSectionsMerge)
{
    const TParsed p = Parse("[S]\nk=first\na=1\n[T]\nx=y\n[S]\nk=second\nb=2\n");
    const qvx::TIniSection& s = p.sections.at("S");
    EXPECT_EQ(s.at("k"), "second");
    EXPECT_EQ(s.at("a"), "1");
    EXPECT_EQ(s.at("b"), "2");
    EXPECT_EQ(p.sections.size(), 2u);
}

TEST(IniParser, ValueKeepsFurtherSeparators)
{
    const TParsed p = Parse("[S]\nk=v=w\n  spaced key  =  spaced value  \n");
    EXPECT_EQ(p.sections.at("S").at("k"), "v=w");
    EXPECT_EQ(p.sections.at("S").at("spaced key"), "spaced value");
}

TEST(IniParser, LastLineWithoutLineFeedAndCrLfLinesWork)
{
    const TParsed p = Parse("[S]\r\na=1\r\n\r\nlast=z");
    EXPECT_EQ(p.sections.at("S").at("a"), "1");
    EXPECT_EQ(p.sections.at("S").at("last"), "z");
}

TEST(IniParser, WhitespaceKindsAreTrimmed)
{
    const TParsed p = Parse("\t\f\v[S]\v\nk\t=\tv\f\r\n");
    EXPECT_EQ(p.sections.at("S").at("k"), "v");
}

TEST(IniParser, MalformedLinesGiveDiagnosticsAndParsingGoesOn)
{
    const TParsed p = Parse("orphan=1\n\n[Open\nk=v\n[]\nnoseparator\n[Fine]\nx=y\n");
    ASSERT_EQ(p.diagnostics.size(), 4u);
    EXPECT_EQ(p.diagnostics[0], "l.1: ini parsing failed, field has no section");
    EXPECT_EQ(p.diagnostics[1], "l.3: ini parsing failed, section not closed");
    EXPECT_EQ(p.diagnostics[2], "l.5: ini parsing failed, section is empty");
    EXPECT_EQ(p.diagnostics[3], "l.6: ini parsing failed, no '=' found");
    EXPECT_EQ(p.sections.at("Open").at("k"), "v");
    EXPECT_EQ(p.sections.at("").at("noseparator"), "noseparator");
    EXPECT_EQ(p.sections.at("Fine").at("x"), "y");
}

TEST(IniParser, ParseClearsPreviousSections)
{
    qvx::TIniSections sections;
    std::vector<std::string> diagnostics;
    qvx::ParseIni("[A]\na=1\n", qvx::TIniSyntax(), sections, diagnostics);
    qvx::ParseIni("[B]\nb=2\n", qvx::TIniSyntax(), sections, diagnostics);
    EXPECT_EQ(sections.count("A"), 0u);
    EXPECT_EQ(sections.at("B").at("b"), "2");
}

TEST(IniParser, EmptyAndBlankTextsYieldNoSections)
{
    EXPECT_TRUE(Parse("").sections.empty());
    EXPECT_TRUE(Parse("\n \n\t\r\n# only a comment").sections.empty());
}

TEST(IniParser, NonAsciiBytesPassThrough)
{
    // Code page 936 bytes for two CJK characters.
    const std::string name("\xD3\xCE\xCF\xB7", 4);
    const TParsed p = Parse("[S]\nname=" + name + "\n");
    EXPECT_EQ(p.sections.at("S").at("name"), name);
}

} // namespace
