#include "support/portable/log_core.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <thread>

namespace qvx {
namespace log {
namespace {

std::mutex& RegistryMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<int, std::unique_ptr<CLogger>>& Registry()
{
    static std::map<int, std::unique_ptr<CLogger>> loggers;
    return loggers;
}

// Local date and time with milliseconds: "2024-03-05" and "14:07:09.123".
void SplitTime(std::chrono::system_clock::time_point time, std::string& date, std::string& clock)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    const long long millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count() % 1000;
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &seconds);
#else
    localtime_r(&seconds, &parts);
#endif
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    date = buffer;
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", parts.tm_hour, parts.tm_min, parts.tm_sec,
                  int(millis < 0 ? 0 : millis));
    clock = buffer;
}

std::string CsvQuote(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += "\"\"";
        else
            quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace

const char* SeverityName(ESeverity severity)
{
    switch (severity) {
    case ESeverity::Fatal: return "FATAL";
    case ESeverity::Error: return "ERROR";
    case ESeverity::Warning: return "WARN";
    case ESeverity::Info: return "INFO";
    case ESeverity::Debug: return "DEBUG";
    case ESeverity::Verbose: return "VERB";
    default: return "NONE";
    }
}

ESeverity CLogger::GetThreshold() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_threshold;
}

void CLogger::SetThreshold(ESeverity threshold)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_threshold = threshold;
}

bool CLogger::IsEnabled(ESeverity severity) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return severity != ESeverity::None && static_cast<int>(severity) <= static_cast<int>(m_threshold);
}

void CLogger::AddAppender(IAppender* appender)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (appender != nullptr && std::find(m_appenders.begin(), m_appenders.end(), appender) == m_appenders.end())
        m_appenders.push_back(appender);
}

void CLogger::Write(const TRecord& record)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (record.severity == ESeverity::None || static_cast<int>(record.severity) > static_cast<int>(m_threshold))
        return;
    for (IAppender* appender : m_appenders)
        appender->Write(record);
}

CLogger& InitLogger(int instance, ESeverity threshold, IAppender* appender)
{
    CLogger* logger = nullptr;
    {
        std::lock_guard<std::mutex> lock(RegistryMutex());
        std::unique_ptr<CLogger>& slot = Registry()[instance];
        if (!slot)
            slot.reset(new CLogger(threshold));
        logger = slot.get();
    }
    logger->AddAppender(appender);
    return *logger;
}

CLogger* GetLogger(int instance)
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    auto it = Registry().find(instance);
    return it == Registry().end() ? nullptr : it->second.get();
}

void Write(int instance, ESeverity severity, const char* function, int line, const std::string& message)
{
    CLogger* logger = GetLogger(instance);
    if (logger == nullptr)
        return;
    TRecord record;
    record.severity = severity;
    record.time = std::chrono::system_clock::now();
    record.function = function != nullptr ? function : "";
    record.line = line;
    record.threadId = static_cast<unsigned long>(std::hash<std::thread::id>()(std::this_thread::get_id()));
    record.message = message;
    logger->Write(record);
}

std::string FormatText(const TRecord& record, const char* newline)
{
    std::string date, clock;
    SplitTime(record.time, date, clock);
    char severity[8];
    std::snprintf(severity, sizeof severity, "%-5s", SeverityName(record.severity));
    return date + " " + clock + " " + severity + " [" + std::to_string(record.threadId) + "] [" +
           record.function + "@" + std::to_string(record.line) + "] " + record.message + newline;
}

std::string CsvHeader(const char* newline) { return std::string("Date;Time;Severity;TID;Function;Message") + newline; }

std::string FormatCsv(const TRecord& record, const char* newline)
{
    std::string date, clock;
    SplitTime(record.time, date, clock);
    return date + ";" + clock + ";" + SeverityName(record.severity) + ";" + std::to_string(record.threadId) + ";" +
           record.function + "@" + std::to_string(record.line) + ";" + CsvQuote(record.message) + newline;
}

} // namespace log
} // namespace qvx
