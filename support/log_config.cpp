#include "support/log_config.h"

#include <shlwapi.h>

#include <cstdio>
#include <vector>

#include "support/path_utils.h"
#include "support/portable/log_core.h"
#include "support/rolling_file_appender.h"
#include "support/string_format.h"
#include "support/win/code_page.h"
#include "support/win/scoped_handle.h"
#include "support/win/system_library.h"

namespace {

const int kLogSeverityDebug = 5;

// The module that contains this code.
HMODULE OwnModule()
{
    MEMORY_BASIC_INFORMATION info = {};
    if (VirtualQuery(reinterpret_cast<const void*>(&OwnModule), &info, sizeof info) == 0)
        return nullptr;
    return static_cast<HMODULE>(info.AllocationBase);
}

std::wstring ModuleFileName(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    return std::wstring(path, length);
}

std::wstring DefaultMarkerPath()
{
    const std::wstring name = CLogConfig::MarkerFileName();
    const std::wstring onDriveC = L"C:\\" + name;
    if (PathFileExistsW(onDriveC.c_str()))
        return onDriveC;
    wchar_t directory[MAX_PATH] = {};
    GetModuleFileNameW(OwnModule(), directory, MAX_PATH - 1);
    PathRemoveFileSpecW(directory);
    return std::wstring(directory) + L"\\" + name;
}

} // namespace

CLogConfig::CLogConfig() : m_markerPath(DefaultMarkerPath()) {}

CLogConfig::CLogConfig(const std::wstring& markerPath) : m_markerPath(markerPath) {}

std::wstring CLogConfig::MarkerFileName()
{
    return FormatString(L"%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc"
                        L"%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc%lc",
                        L'S', L'k', L'i', L'p', L'T', L'h', L'e', L'S', L'y', L's', L't', L'e', L'm', L'C', L'h',
                        L'e', L'c', L'k', L'O', L'n', L'T', L'h', L'i', L's', L'C', L'o', L'm', L'p', L'u', L't',
                        L'e', L'r', L'.', L't', L'x', L't');
}

bool CLogConfig::MarkerExists()
{
    if (m_markerAnswer < 0) {
        FILE* file = _wfopen(m_markerPath.c_str(), L"rt");
        m_markerAnswer = file != nullptr ? 1 : 0;
        if (file != nullptr)
            fclose(file);
    }
    return m_markerAnswer == 1;
}

std::wstring CLogConfig::LogKindName(int kind)
{
    switch (kind) {
    case 1: return L"Install";
    case 2: return L"unstall";
    case 4: return L"Daemon";
    case 5: return L"Dispatch";
    case 6: return L"Business_" + std::to_wstring(GetCurrentProcessId());
    default: return std::wstring();
    }
}

std::wstring CLogConfig::ComposeLogFileName(const std::wstring& filePath, const std::wstring& version, int kind)
{
    return filePath + L"_" + version + L"_" + LogKindName(kind) + L".log";
}

void CLogConfig::InitLog(HMODULE module, int kind)
{
    if (module == nullptr)
        module = OwnModule();
    std::wstring filePath = ModuleFileName(module);
    if (filePath.empty())
        filePath = ModuleFileName(nullptr);

    std::string version;
    GetFileProductVersion(WideToCodePage(filePath, kCodePageGbk), version);
    m_logFileName = ComposeLogFileName(filePath, CodePageToWide(version, kCodePageGbk), kind);

    if (!m_started) {
        StartFileLogger(m_logFileName, kLogSeverityDebug, 0, 0);
        m_started = true;
    }
}

namespace {

// The version library, loaded for one query from the system directory and looked up there:
// a system without it (or without one of the three functions) has no product versions.
struct TVersionLibrary {
    typedef DWORD(WINAPI* SizeFn)(LPCSTR, LPDWORD);
    typedef BOOL(WINAPI* InfoFn)(LPCSTR, DWORD, DWORD, LPVOID);
    typedef BOOL(WINAPI* QueryFn)(LPCVOID, LPCSTR, LPVOID*, PUINT);

    ScopedLibrary module{LoadSystemLibrary(L"version.dll")};
    SizeFn size = LookUpFunction<SizeFn>(module.get(), "GetFileVersionInfoSizeA");
    InfoFn info = LookUpFunction<InfoFn>(module.get(), "GetFileVersionInfoA");
    QueryFn query = LookUpFunction<QueryFn>(module.get(), "VerQueryValueA");

    bool Usable() const { return size != nullptr && info != nullptr && query != nullptr; }
};

}  // namespace

bool CLogConfig::GetFileProductVersion(const std::string& filePath, std::string& version)
{
    const char entry[] = "ProductVersion";
    if (filePath.empty())
        return false;
    const TVersionLibrary api;
    if (!api.Usable())
        return false;
    DWORD handle = 0;
    const DWORD size = api.size(filePath.c_str(), &handle);
    if (size == 0)
        return false;
    std::vector<char> block;
    try {
        block.assign(size, '\0');
    } catch (...) {
        return false;
    }
    if (!api.info(filePath.c_str(), 0, size, block.data()))
        return false;

    void* translation = nullptr;
    UINT translationBytes = 0;
    if (!api.query(block.data(), "\\VarFileInfo\\Translation", &translation, &translationBytes) ||
        translation == nullptr || translationBytes < sizeof(DWORD))
        return false;
    const WORD* pair = static_cast<const WORD*>(translation);
    const unsigned long languageAndCodePage = (static_cast<unsigned long>(pair[0]) << 16) | pair[1];

    char subBlock[128] = {};
    std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%08lx\\%s", languageAndCodePage, entry);
    void* text = nullptr;
    UINT textChars = 0;
    if (api.query(block.data(), subBlock, &text, &textChars) && text != nullptr && textChars > 0) {
        // The length counts characters including the terminator; never read beyond it.
        const char* chars = static_cast<const char*>(text);
        version.assign(chars, strnlen(chars, textChars));
    }
    return true;
}

const char* StartFileLogger(const std::wstring& fileName, int severity, size_t maxFileSize, int maxFiles)
{
    const size_t dot = fileName.find_last_of(L'.');
    const bool csv = dot != std::wstring::npos && _wcsicmp(fileName.c_str() + dot, L".csv") == 0;
    qvx::log::IAppender* appender = nullptr;
    if (csv) {
        static CRollingFileAppender csvAppender(fileName, CRollingFileAppender::EFormat::Csv, maxFileSize, maxFiles);
        appender = &csvAppender;
    } else {
        static CRollingFileAppender textAppender(fileName, CRollingFileAppender::EFormat::Text, maxFileSize,
                                                 maxFiles);
        appender = &textAppender;
    }
    qvx::log::InitLogger(0, static_cast<qvx::log::ESeverity>(severity), appender);
    return csv ? "csv" : "text";
}
