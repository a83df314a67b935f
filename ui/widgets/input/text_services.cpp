#include "ui/widgets/input/text_services.h"

#include <type_traits>

#include "ui/core/system_library.h"

namespace SkinUI {
namespace TextServices {

#if defined(__i386__)
// The header must declare the host and services methods __thiscall (see the header).
static_assert(std::is_same<decltype(&ITextHost::TxGetDC), HDC (TEXTSERV_CALL ITextHost::*)()>::value,
              "ITextHost methods must be thiscall on i686");
static_assert(std::is_same<decltype(&ITextServices::TxGetText),
                           HRESULT (TEXTSERV_CALL ITextServices::*)(BSTR*)>::value,
              "ITextServices methods must be thiscall on i686");
#endif

namespace {

typedef HRESULT(WINAPI* CreateFn)(IUnknown*, ITextHost*, IUnknown**);

struct TLibrary {
    bool tried = false;
    CreateFn create = nullptr;
    const IID* servicesIid = nullptr;
    const IID* hostIid = nullptr;
};

TLibrary& Library() {
    static TLibrary library;
    if (library.tried) return library;
    library.tried = true;
    // Kept for the life of the process: text services live as long as their controls.
    HMODULE module = LoadSystemLibrary(L"riched20.dll");
    if (module == nullptr) return library;
    auto create = reinterpret_cast<CreateFn>(reinterpret_cast<void*>(::GetProcAddress(module, "CreateTextServices")));
    auto services = reinterpret_cast<const IID*>(::GetProcAddress(module, "IID_ITextServices"));
    auto host = reinterpret_cast<const IID*>(::GetProcAddress(module, "IID_ITextHost"));
    if (create == nullptr || services == nullptr || host == nullptr) return library;
    library.create = create;
    library.servicesIid = services;
    library.hostIid = host;
    return library;
}

}  // namespace

const IID* ServicesIid() { return Library().servicesIid; }
const IID* HostIid() { return Library().hostIid; }
bool Ready() { return Library().create != nullptr; }

ITextServices* Create(ITextHost* host) {
    if (!Ready() || host == nullptr) return nullptr;
    IUnknown* unknown = nullptr;
    if (FAILED(Library().create(nullptr, host, &unknown)) || unknown == nullptr) return nullptr;
    void* services = nullptr;
    const HRESULT hr = unknown->QueryInterface(*Library().servicesIid, &services);
    unknown->Release();
    return SUCCEEDED(hr) ? static_cast<ITextServices*>(services) : nullptr;
}

}  // namespace TextServices
}  // namespace SkinUI
