// The launcher's persistent settings: configured names combined with registry persistence.
#pragma once

#include <string>

#include "support/config_key.h"
#include "support/single_impl.h"

class CSoftConfigureImpl : public CConfig {
public:
    CSoftConfigureImpl() = default;
    ~CSoftConfigureImpl() override;

    std::wstring ReadValue(std::wstring key1, std::wstring key2, std::wstring valueName, std::wstring fallback);
    void WriteValue(std::wstring key1, std::wstring key2, std::wstring valueName, std::wstring data);

    // The stored install directory (value named by "SAVE_KEY_Install_Path") with a trailing
    // separator, or empty.
    std::wstring GetInstallPath();
};

// The class callers use: one process-wide instance through GetInstance; further objects may be
// constructed directly and each owns its own serializer.
class CSoftConfigure : public CSoftConfigureImpl, public CSingleImpl<CSoftConfigure> {
public:
    CSoftConfigure() = default;
};
