#include "ui/widgets/hosting/activex_classes.h"

#include <cwchar>
#include <cwctype>
#include <vector>

namespace SkinUI {
namespace ActiveXClasses {

namespace {

std::vector<CLSID>& List() {
    static std::vector<CLSID> list;
    return list;
}

// Windows 7's question, looked up so that the program still loads on XP. The
// enumeration values are written out: older headers lack them.
typedef HRESULT(WINAPI* ApartmentTypeFn)(int* type, int* qualifier);
const int kAptSta = 0;
const int kAptMainSta = 3;

ApartmentTypeFn ApartmentTypeFunction() {
    HMODULE ole = ::GetModuleHandleW(L"ole32.dll");
    if (ole == nullptr) return nullptr;
    return reinterpret_cast<ApartmentTypeFn>(reinterpret_cast<void*>(::GetProcAddress(ole, "CoGetApartmentType")));
}

}  // namespace

void Allow(const CLSID& clsid) {
    if (!IsAllowed(clsid)) List().push_back(clsid);
}

void Disallow(const CLSID& clsid) {
    std::vector<CLSID>& list = List();
    for (size_t i = 0; i < list.size(); ++i) {
        if (IsEqualCLSID(list[i], clsid)) {
            list.erase(list.begin() + static_cast<long>(i));
            return;
        }
    }
}

void DisallowAll() { List().clear(); }

bool IsAllowed(const CLSID& clsid) {
    for (const CLSID& c : List()) {
        if (IsEqualCLSID(c, clsid)) return true;
    }
    return false;
}

HRESULT Resolve(const wchar_t* name, CLSID& clsid) {
    clsid = CLSID_NULL;
    if (name == nullptr) return CO_E_CLASSSTRING;
    while (*name == L' ') ++name;
    const size_t length = std::wcslen(name);
    if (length == 0 || length > 200) return CO_E_CLASSSTRING;
    wchar_t text[256] = L"";
    if (name[0] == L'{' || length == 36) {
        // A CLSID: exactly 8-4-4-4-12 hexadecimal digits, with or without braces.
        const wchar_t* p = name[0] == L'{' ? name + 1 : name;
        const size_t body = name[0] == L'{' ? length - 2 : length;
        if (body != 36 || (name[0] == L'{' && name[length - 1] != L'}')) return CO_E_CLASSSTRING;
        for (size_t i = 0; i < 36; ++i) {
            const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
            if (dash ? p[i] != L'-' : !std::iswxdigit(p[i])) return CO_E_CLASSSTRING;
        }
        text[0] = L'{';
        std::wmemcpy(text + 1, p, 36);
        text[37] = L'}';
        text[38] = 0;
        return ::CLSIDFromString(text, &clsid);
    }
    // A ProgID: letters, digits and dots, at most 39 characters, not starting with a digit.
    if (length > 39 || std::iswdigit(name[0])) return CO_E_CLASSSTRING;
    for (size_t i = 0; i < length; ++i) {
        if (!std::iswalnum(name[i]) && name[i] != L'.' && name[i] != L'_') return CO_E_CLASSSTRING;
    }
    const HRESULT hr = ::CLSIDFromProgID(name, &clsid);
    if (FAILED(hr)) clsid = CLSID_NULL;
    return hr;
}

HRESULT ThreadReady() {
    if (ApartmentTypeFn query = ApartmentTypeFunction()) {
        int type = -1;
        int qualifier = 0;
        const HRESULT hr = query(&type, &qualifier);
        if (FAILED(hr)) return CO_E_NOTINITIALIZED;
        if (type == kAptSta || type == kAptMainSta) return S_OK;
        return RPC_E_CHANGED_MODE;
    }
    // Without the question (XP): joining a single-threaded apartment answers it. S_FALSE:
    // the thread was in one already; S_OK: it was not (undone at once).
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr)) ::CoUninitialize();
    if (hr == S_FALSE) return S_OK;
    return hr == S_OK ? CO_E_NOTINITIALIZED : hr;
}

}  // namespace ActiveXClasses
}  // namespace SkinUI
