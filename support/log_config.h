// The launcher's logging set-up: the log file name (module path, product version and log kind),
// the logger start (once per process) and the marker file whose presence the compatibility
// checks ask for.
#pragma once
#include <windows.h>

#include <string>

#include "support/single_impl.h"

class CLogConfig : public CSingleImpl<CLogConfig> {
public:
    // Marker path: "C:\<name>" when that file exists, else beside the module holding this code.
    CLogConfig();
    // A fixed marker path (tests).
    explicit CLogConfig(const std::wstring& markerPath);

    // Composes the log file name and starts the logger the first time. A null module means
    // the module that contains this code.
    void InitLog(HMODULE module, int kind);

    // Whether the marker file can be opened for reading; the first answer is kept.
    bool MarkerExists();

    const std::wstring& GetMarkerPath() const { return m_markerPath; }
    const std::wstring& GetLogFileName() const { return m_logFileName; }
    bool IsStarted() const { return m_started; }

    // 1 "Install", 2 "unstall", 4 "Daemon", 5 "Dispatch", 6 "Business_<pid>", else empty.
    static std::wstring LogKindName(int kind);
    // The marker file's bare name (36 characters).
    static std::wstring MarkerFileName();
    // file path + "_" + version + "_" + kind name + ".log".
    static std::wstring ComposeLogFileName(const std::wstring& filePath, const std::wstring& version, int kind);
    // The "ProductVersion" string of a file's version resource (narrow, code page 936). True
    // when the version information and its translation table could be read, even if the
    // string itself is absent.
    static bool GetFileProductVersion(const std::string& filePath, std::string& version);

private:
    bool m_started = false;
    std::wstring m_markerPath;
    std::wstring m_logFileName;
    int m_markerAnswer = -1; // -1 not asked yet, else 0 or 1
};

// Starts logger instance 0 with the given threshold and a rolling-file appender chosen by the
// file name's extension (".csv": CSV records, otherwise text). Returns the appender's format
// name ("csv" or "text") for diagnostics.
const char* StartFileLogger(const std::wstring& fileName, int severity, size_t maxFileSize, int maxFiles);
