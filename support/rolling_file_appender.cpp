#include "support/rolling_file_appender.h"

namespace {

const char kNewLine[] = "\r\n";

} // namespace

CRollingFileAppender::CRollingFileAppender(const std::wstring& fileName, EFormat format, size_t maxFileSize,
                                           int maxFiles)
    : m_fileName(fileName), m_format(format), m_maxFileSize(maxFileSize), m_maxFiles(maxFiles)
{
}

std::wstring CRollingFileAppender::NumberedName(int index) const
{
    if (index == 0)
        return m_fileName;
    const size_t dot = m_fileName.find_last_of(L'.');
    const size_t slash = m_fileName.find_last_of(L"\\/");
    const std::wstring number = L"." + std::to_wstring(index);
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return m_fileName + number;
    return m_fileName.substr(0, dot) + number + m_fileName.substr(dot);
}

bool CRollingFileAppender::Open()
{
    m_file.reset(CreateFileW(m_fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file)
        return false;
    LARGE_INTEGER size = {};
    GetFileSizeEx(m_file.get(), &size);
    m_size = static_cast<unsigned long long>(size.QuadPart);
    if (m_size == 0 && m_format == EFormat::Csv)
        WriteBytes(qvx::log::CsvHeader(kNewLine));
    return true;
}

void CRollingFileAppender::Roll()
{
    m_file.reset();
    DeleteFileW(NumberedName(m_maxFiles - 1).c_str());
    for (int index = m_maxFiles - 2; index >= 0; --index)
        MoveFileW(NumberedName(index).c_str(), NumberedName(index + 1).c_str());
    Open();
}

bool CRollingFileAppender::WriteBytes(const std::string& bytes)
{
    DWORD written = 0;
    const BOOL ok = WriteFile(m_file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
    m_size += written;
    return ok && written == bytes.size();
}

void CRollingFileAppender::Write(const qvx::log::TRecord& record)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_file && !Open())
        return;
    const std::string line = m_format == EFormat::Csv ? qvx::log::FormatCsv(record, kNewLine)
                                                      : qvx::log::FormatText(record, kNewLine);
    if (m_maxFileSize > 0 && m_maxFiles > 0 && m_size > 0 && m_size + line.size() > m_maxFileSize) {
        Roll();
        if (!m_file)
            return;
    }
    WriteBytes(line);
}
