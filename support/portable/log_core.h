// Our small logging module: numbered logger instances with a severity threshold, fed to
// appenders, and the text and CSV record formatters. Portable: no platform headers.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace qvx {
namespace log {

enum class ESeverity { None = 0, Fatal = 1, Error = 2, Warning = 3, Info = 4, Debug = 5, Verbose = 6 };

const char* SeverityName(ESeverity severity);

struct TRecord {
    ESeverity severity = ESeverity::None;
    std::chrono::system_clock::time_point time;
    unsigned long threadId = 0;
    const char* function = "";
    int line = 0;
    std::string message; // UTF-8
};

class IAppender {
public:
    virtual ~IAppender() = default;
    virtual void Write(const TRecord& record) = 0;
};

class CLogger {
public:
    explicit CLogger(ESeverity threshold) : m_threshold(threshold) {}

    ESeverity GetThreshold() const;
    void SetThreshold(ESeverity threshold);
    bool IsEnabled(ESeverity severity) const;
    // Appenders are not owned; they must outlive the logger (they are static objects).
    void AddAppender(IAppender* appender);
    void Write(const TRecord& record);

private:
    mutable std::mutex m_mutex;
    ESeverity m_threshold;
    std::vector<IAppender*> m_appenders;
};

// Creates the logger `instance` on first call with `threshold`; later calls keep the existing
// logger and only add the appender (when not null and not yet registered).
CLogger& InitLogger(int instance, ESeverity threshold, IAppender* appender);
// The logger `instance`, or null when it has not been initialised.
CLogger* GetLogger(int instance);

// Writes a record to logger `instance` when it exists and lets `severity` pass.
void Write(int instance, ESeverity severity, const char* function, int line, const std::string& message);

// Formatters. `newline` is the line end to use ("\r\n" on Windows).
std::string FormatText(const TRecord& record, const char* newline);
std::string CsvHeader(const char* newline);
std::string FormatCsv(const TRecord& record, const char* newline);

} // namespace log
} // namespace qvx

#define QVX_LOG(severity, message) \
    ::qvx::log::Write(0, ::qvx::log::ESeverity::severity, __func__, __LINE__, (message))
