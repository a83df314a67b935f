#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/portable/log_core.h"

namespace {

class CCollector : public qvx::log::IAppender {
public:
    void Write(const qvx::log::TRecord& record) override { messages.push_back(record.message); }
    std::vector<std::string> messages;
};

TEST(LogCore, ThresholdFiltersAndAppendersAreRegisteredOnce)
{
    static CCollector collector;
    qvx::log::CLogger& logger = qvx::log::InitLogger(41, qvx::log::ESeverity::Info, &collector);
    qvx::log::InitLogger(41, qvx::log::ESeverity::Verbose, &collector); // keeps threshold, no duplicate
    EXPECT_EQ(qvx::log::GetLogger(41), &logger);
    EXPECT_EQ(logger.GetThreshold(), qvx::log::ESeverity::Info);

    qvx::log::Write(41, qvx::log::ESeverity::Error, "f", 1, "error");
    qvx::log::Write(41, qvx::log::ESeverity::Info, "f", 2, "info");
    qvx::log::Write(41, qvx::log::ESeverity::Debug, "f", 3, "debug");
    qvx::log::Write(41, qvx::log::ESeverity::None, "f", 4, "none");
    qvx::log::Write(42, qvx::log::ESeverity::Fatal, "f", 5, "no such logger");
    EXPECT_EQ(collector.messages, (std::vector<std::string>{"error", "info"}));
    EXPECT_EQ(qvx::log::GetLogger(42), nullptr);
}

TEST(LogCore, TextAndCsvFormats)
{
    qvx::log::TRecord record;
    record.severity = qvx::log::ESeverity::Debug;
    record.threadId = 7;
    record.function = "Parse";
    record.line = 12;
    record.message = "say \"hi\"";
    const std::string text = qvx::log::FormatText(record, "\r\n");
    EXPECT_NE(text.find(" DEBUG [7] [Parse@12] say \"hi\"\r\n"), std::string::npos) << text;
    const std::string csv = qvx::log::FormatCsv(record, "\n");
    EXPECT_NE(csv.find(";DEBUG;7;Parse@12;\"say \"\"hi\"\"\"\n"), std::string::npos) << csv;
    EXPECT_EQ(qvx::log::CsvHeader("\n"), "Date;Time;Severity;TID;Function;Message\n");
}

} // namespace
