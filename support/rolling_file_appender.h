// Appender of the logging module that writes UTF-8 records to a file, created on the first
// record. With a maximum size and file count above 0 it rolls the file over
// (name.ext -> name.1.ext -> ... -> name.<count-1>.ext); with either at 0 it never rolls.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>

#include "support/portable/log_core.h"
#include "support/win/scoped_handle.h"

class CRollingFileAppender : public qvx::log::IAppender {
public:
    enum class EFormat { Text, Csv };

    CRollingFileAppender(const std::wstring& fileName, EFormat format, size_t maxFileSize, int maxFiles);

    void Write(const qvx::log::TRecord& record) override;

    const std::wstring& GetFileName() const { return m_fileName; }
    EFormat GetFormat() const { return m_format; }

private:
    bool Open();
    void Roll();
    bool WriteBytes(const std::string& bytes);
    std::wstring NumberedName(int index) const;

    std::mutex m_mutex;
    std::wstring m_fileName;
    EFormat m_format;
    size_t m_maxFileSize;
    int m_maxFiles;
    ScopedHandle m_file;
    unsigned long long m_size = 0;
};
