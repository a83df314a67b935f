#include "launcher/compat_check.h"

#include "launcher/process_utils.h"
#include "support/log_config.h"
#include "support/path_utils.h"

namespace {

const int kMinimumOsCode = 2;
const wchar_t kVmToolsImage[] = L"vmtoolsd.exe";
const wchar_t kDiskEnumKey[] = L"SYSTEM\\ControlSet001\\Services\\Disk\\Enum";
const wchar_t kFirstDiskValue[] = L"0";
const wchar_t* const kVirtualDiskMarkers[] = {L"Ven_VMware", L"Ven_Red_Hat", L"VMware_Virtual"};

} // namespace

TCompatQuestions DefaultCompatQuestions()
{
    TCompatQuestions questions;
    questions.markerExists = [] { return CLogConfig::GetInstance()->MarkerExists(); };
    questions.osVersionCode = [] { return GetOsVersionCode(); };
    questions.processRunning = [](const std::wstring& image) { return IsProcessRunning(image); };
    questions.regReadString = [](HKEY root, const std::wstring& key, const std::wstring& value) {
        return RegReadString(root, key, value);
    };
    return questions;
}

bool IsVirtualMachineDisk(const TCompatQuestions& questions)
{
    const std::wstring device = questions.regReadString(HKEY_LOCAL_MACHINE, kDiskEnumKey, kFirstDiskValue);
    if (device.empty())
        return false;
    for (const wchar_t* marker : kVirtualDiskMarkers) {
        if (device.find(marker) != std::wstring::npos)
            return true;
    }
    return false;
}

bool IsVirtualMachineDisk() { return IsVirtualMachineDisk(DefaultCompatQuestions()); }

bool IsSystemSupported(const TCompatQuestions& questions)
{
    if (questions.markerExists())
        return true;
    if (questions.osVersionCode() < kMinimumOsCode)
        return false;
    if (questions.processRunning(kVmToolsImage))
        return false;
    if (IsVirtualMachineDisk(questions))
        return false;
    return true;
}

bool IsSystemSupported() { return IsSystemSupported(DefaultCompatQuestions()); }
