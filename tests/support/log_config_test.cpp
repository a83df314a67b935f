// Logging set-up: log file names, product versions, the marker file and the file appender.
#include <gtest/gtest.h>

#include <string>

#include "support/log_config.h"
#include "support/path_utils.h"
#include "support/portable/log_core.h"
#include "support/rolling_file_appender.h"
#include "support/win/code_page.h"
#include "tests/common/test_env.h"

namespace {

std::string Narrow(const std::wstring& text) { return WideToCodePage(text, kCodePageGbk); }

TEST(LogConfig, KindNamesAndFileNames)
{
    EXPECT_EQ(CLogConfig::LogKindName(1), L"Install");
    EXPECT_EQ(CLogConfig::LogKindName(2), L"unstall");
    EXPECT_EQ(CLogConfig::LogKindName(4), L"Daemon");
    EXPECT_EQ(CLogConfig::LogKindName(5), L"Dispatch");
    EXPECT_EQ(CLogConfig::LogKindName(6), L"Business_" + std::to_wstring(GetCurrentProcessId()));
    for (int other : {0, 3, 7, -1})
        EXPECT_EQ(CLogConfig::LogKindName(other), L"") << other;

    EXPECT_EQ(CLogConfig::ComposeLogFileName(L"D:\\L\\run.exe", L"1.2.3.4", 0), L"D:\\L\\run.exe_1.2.3.4_.log");
    EXPECT_EQ(CLogConfig::ComposeLogFileName(L"D:\\L\\run.exe", L"1.2.3.4", 6),
              L"D:\\L\\run.exe_1.2.3.4_Business_" + std::to_wstring(GetCurrentProcessId()) + L".log");
    EXPECT_EQ(CLogConfig::ComposeLogFileName(L"D:\\L\\run.exe", L"", 0), L"D:\\L\\run.exe__.log");
}

TEST(LogConfig, ProductVersionOfTheLauncher)
{
    std::string version;
    ASSERT_TRUE(CLogConfig::GetFileProductVersion(Narrow(testenv::LauncherExe()), version));
    EXPECT_EQ(version, "1.0.3.12");

    std::string none = "untouched";
    EXPECT_FALSE(CLogConfig::GetFileProductVersion(Narrow(testenv::FixtureFile(L"qvx.exe")), none));
    EXPECT_FALSE(CLogConfig::GetFileProductVersion("", none));
    EXPECT_FALSE(CLogConfig::GetFileProductVersion("C:\\no\\such\\file.exe", none));
    EXPECT_EQ(none, "untouched");
}

TEST(LogConfig, MarkerFileNameAndDefaultPlace)
{
    const std::wstring name = CLogConfig::MarkerFileName();
    EXPECT_EQ(name.size(), 36u);
    EXPECT_EQ(name, L"SkipTheSystemCheckOnThisComputer.txt");

    // Not on C:\ -> beside the module holding the code (this test exe).
    DeleteFileW((L"C:\\" + name).c_str());
    EXPECT_EQ(CLogConfig().GetMarkerPath(), GetModuleDir(nullptr) + name);

    ASSERT_TRUE(testenv::WriteFile(L"C:\\" + name, ""));
    EXPECT_EQ(CLogConfig().GetMarkerPath(), L"C:\\" + name);
    DeleteFileW((L"C:\\" + name).c_str());
}

TEST(LogConfig, MarkerAnswerIsKeptForTheLifeOfTheObject)
{
    const std::wstring dir = testenv::MakeTempDir(L"marker");
    const std::wstring marker = dir + CLogConfig::MarkerFileName();

    CLogConfig absent(marker);
    EXPECT_FALSE(absent.MarkerExists());
    ASSERT_TRUE(testenv::WriteFile(marker, "x"));
    EXPECT_FALSE(absent.MarkerExists()); // created later: still the first answer

    CLogConfig present(marker);
    EXPECT_TRUE(present.MarkerExists());
    DeleteFileW(marker.c_str());
    EXPECT_TRUE(present.MarkerExists()); // removed later: still the first answer
    testenv::RemoveTree(dir);
}

TEST(LogConfig, InitLogStartsTheLoggerOnceAndWritesNothing)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    // This test exe carries no version resource.
    const std::wstring first = std::wstring(exe) + L"__.log";
    DeleteFileW(first.c_str());
    CLogConfig config(L"C:\\unused");
    config.InitLog(nullptr, 0);
    EXPECT_EQ(config.GetLogFileName(), first);
    EXPECT_TRUE(config.IsStarted());
    ASSERT_NE(qvx::log::GetLogger(0), nullptr);
    EXPECT_EQ(qvx::log::GetLogger(0)->GetThreshold(), qvx::log::ESeverity::Debug);
    EXPECT_FALSE(testenv::FileExists(first)); // created on the first record only

    config.InitLog(nullptr, 5);
    EXPECT_EQ(config.GetLogFileName(), std::wstring(exe) + L"__Dispatch.log");
    QVX_LOG(Verbose, "filtered out");
    EXPECT_FALSE(testenv::FileExists(first));
    QVX_LOG(Debug, "first record");
    // The record goes to the file of the first start, not to the second name.
    EXPECT_TRUE(testenv::FileExists(first));
    EXPECT_FALSE(testenv::FileExists(config.GetLogFileName()));
    EXPECT_NE(testenv::ReadFile(first).find("DEBUG"), std::string::npos);
    EXPECT_NE(testenv::ReadFile(first).find("first record\r\n"), std::string::npos);
    EXPECT_EQ(testenv::ReadFile(first).find("filtered out"), std::string::npos);
}

TEST(LogConfig, CsvExtensionSelectsTheCsvAppender)
{
    const std::wstring dir = testenv::MakeTempDir(L"csvstart");
    EXPECT_STREQ(StartFileLogger(dir + L"launcher.csv", 5, 0, 0), "csv");
    EXPECT_FALSE(testenv::FileExists(dir + L"launcher.csv"));
    QVX_LOG(Info, "through logger 0");
    const std::string content = testenv::ReadFile(dir + L"launcher.csv");
    EXPECT_EQ(content.find("Date;Time;Severity;TID;Function;Message\r\n"), 0u);
    EXPECT_NE(content.find(";INFO;"), std::string::npos);
    EXPECT_NE(content.find("\"through logger 0\""), std::string::npos);
}

TEST(RollingFileAppender, CsvWithHeaderAndUtf8)
{
    const std::wstring dir = testenv::MakeTempDir(L"csvlog");
    CRollingFileAppender appender(dir + L"run.csv", CRollingFileAppender::EFormat::Csv, 0, 0);
    EXPECT_FALSE(testenv::FileExists(dir + L"run.csv"));
    qvx::log::TRecord record;
    record.severity = qvx::log::ESeverity::Info;
    record.function = "Test";
    record.message = "\xE6\xB8\xB8\xE6\x88\x8F";
    appender.Write(record);
    appender.Write(record);
    const std::string content = testenv::ReadFile(dir + L"run.csv");
    EXPECT_EQ(content.find("Date;Time;Severity;TID;Function;Message\r\n"), 0u);
    EXPECT_NE(content.find(";INFO;"), std::string::npos);
    EXPECT_NE(content.find("\"\xE6\xB8\xB8\xE6\x88\x8F\"\r\n"), std::string::npos);
    EXPECT_EQ(content.find("Date;", 1), std::string::npos); // one header only
    testenv::RemoveTree(dir);
}

TEST(RollingFileAppender, RollsOverOnlyWithSizeAndCount)
{
    const std::wstring dir = testenv::MakeTempDir(L"rolllog");
    qvx::log::TRecord record;
    record.severity = qvx::log::ESeverity::Debug;
    record.message = std::string(100, 'm');
    {
        CRollingFileAppender appender(dir + L"roll.log", CRollingFileAppender::EFormat::Text, 300, 3);
        for (int i = 0; i < 12; ++i)
            appender.Write(record);
    }
    EXPECT_TRUE(testenv::FileExists(dir + L"roll.log"));
    EXPECT_TRUE(testenv::FileExists(dir + L"roll.1.log"));
    EXPECT_TRUE(testenv::FileExists(dir + L"roll.2.log"));
    EXPECT_FALSE(testenv::FileExists(dir + L"roll.3.log"));
    EXPECT_LE(testenv::ReadFile(dir + L"roll.log").size(), 300u);
    {
        CRollingFileAppender appender(dir + L"plain.log", CRollingFileAppender::EFormat::Text, 0, 0);
        for (int i = 0; i < 12; ++i)
            appender.Write(record);
    }
    EXPECT_FALSE(testenv::FileExists(dir + L"plain.1.log"));
    EXPECT_GT(testenv::ReadFile(dir + L"plain.log").size(), 1200u);
    testenv::RemoveTree(dir);
}

} // namespace
