#include "launcher/product_query.h"

#include <windows.h>

#include "support/win/system_library.h"

namespace {

typedef int(WINAPI* QueryProductStateFn)(const wchar_t*);

// msi.dll from the system directory, loaded for the queries of one decision.
class CInstallerLibrary {
public:
    CInstallerLibrary() : m_module(LoadSystemLibrary(L"msi.dll")) {
        if (m_module != nullptr)
            m_query = reinterpret_cast<QueryProductStateFn>(
                reinterpret_cast<void*>(GetProcAddress(m_module, "MsiQueryProductStateW")));
    }
    ~CInstallerLibrary() {
        if (m_module != nullptr) FreeLibrary(m_module);
    }
    CInstallerLibrary(const CInstallerLibrary&) = delete;
    CInstallerLibrary& operator=(const CInstallerLibrary&) = delete;

    int Query(const wchar_t* code) const { return m_query != nullptr ? m_query(code) : -1; }

private:
    HMODULE m_module;
    QueryProductStateFn m_query = nullptr;
};

CInstallerLibrary* g_library = nullptr;  // the launcher's main thread only

}  // namespace

int QueryProductState(const wchar_t* productCode) {
    if (g_library == nullptr) g_library = new CInstallerLibrary;
    return g_library->Query(productCode);
}

void ReleaseProductQuery() {
    delete g_library;
    g_library = nullptr;
}
