#include "launcher/product_query.h"

#include <windows.h>

namespace {

typedef int(WINAPI* QueryProductStateFn)(const wchar_t*);

// msi.dll for the rest of the process once a query was made.
class CInstallerLibrary {
public:
    CInstallerLibrary() : m_module(LoadLibraryW(L"msi.dll")) {
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

}  // namespace

int QueryProductState(const wchar_t* productCode) {
    static const CInstallerLibrary library;
    return library.Query(productCode);
}
