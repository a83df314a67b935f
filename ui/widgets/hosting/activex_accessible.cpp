#include "ui/widgets/hosting/activex_accessible.h"

#include <oleacc.h>

#include "ui/core/accessible_variant.h"
#include "ui/core/system_library.h"
#include "ui/widgets/hosting/activex.h"

namespace SkinUI {

namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}, spelled out: the import library's copy does not
// link in every toolchain.
const IID kAccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

typedef HRESULT(WINAPI* FromWindowFn)(HWND, DWORD, REFIID, void**);
typedef HRESULT(WINAPI* FromLresultFn)(LRESULT, REFIID, WPARAM, void**);
typedef HRESULT(WINAPI* StandardFn)(HWND, LONG, REFIID, void**);

// The accessibility library's entry points, looked up once: a program that no screen
// reader asks never loads it.
struct TOleacc {
    FromWindowFn fromWindow = nullptr;
    FromLresultFn fromLresult = nullptr;
    StandardFn standard = nullptr;
};

const TOleacc& Oleacc() {
    static const TOleacc fns = [] {
        TOleacc f;
        if (HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll")) {
            f.fromWindow = reinterpret_cast<FromWindowFn>(
                reinterpret_cast<void*>(::GetProcAddress(oleacc, "AccessibleObjectFromWindow")));
            f.fromLresult = reinterpret_cast<FromLresultFn>(
                reinterpret_cast<void*>(::GetProcAddress(oleacc, "ObjectFromLresult")));
            f.standard = reinterpret_cast<StandardFn>(
                reinterpret_cast<void*>(::GetProcAddress(oleacc, "CreateStdAccessibleObject")));
        }
        return f;
    }();
    return fns;
}

// How long a hosted window of another thread has to answer for its accessible object.
// Screen readers ask on the window's own thread: a hosted control whose thread hangs
// must not hang the whole window with it.
const UINT kOtherThreadMs = 500;

// The client object of a hosted window, asked as the system would ask it; a window of
// another thread that does not answer in time has none.
IAccessible* WindowAccessible(HWND hwnd) {
    const TOleacc& fns = Oleacc();
    void* own = nullptr;
    if (::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId()) {
        if (fns.fromWindow == nullptr ||
            FAILED(fns.fromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kAccessibleIid, &own))) {
            return nullptr;
        }
        return static_cast<IAccessible*>(own);
    }
    if (fns.fromLresult == nullptr || fns.standard == nullptr) return nullptr;
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutW(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT),
                              SMTO_BLOCK | SMTO_ABORTIFHUNG, kOtherThreadMs, &answer) == 0) {
        return nullptr;
    }
    const auto result = static_cast<LRESULT>(answer);
    HRESULT hr = E_FAIL;
    if (result > 0) {
        hr = fns.fromLresult(result, kAccessibleIid, 0, &own);
    } else if (result == 0) {
        hr = fns.standard(hwnd, static_cast<LONG>(OBJID_CLIENT), kAccessibleIid, &own);
    }
    return SUCCEEDED(hr) ? static_cast<IAccessible*>(own) : nullptr;
}

const TAccessibleRules* g_next = nullptr;

CActiveXUI* AsHost(CControlUI* c) { return static_cast<CActiveXUI*>(c->GetInterface(L"ActiveX")); }

VARIANT Self() { return Accessible::NumberChild(CHILDID_SELF); }

void TakeText(HRESULT hr, BSTR text, CUIString& into) {
    if (SUCCEEDED(hr) && text != nullptr && into.IsEmpty()) into = text;
    if (text != nullptr) ::SysFreeString(text);
}

LONG Role(CControlUI* control) {
    CActiveXUI* host = AsHost(control);
    if (host == nullptr) return g_next != nullptr ? g_next->role(control) : 0;
    LONG role = ROLE_SYSTEM_CLIENT;
    if (IAccessible* own = host->GetObjectAccessible()) {
        VARIANT value;
        ::VariantInit(&value);
        if (SUCCEEDED(own->get_accRole(Self(), &value)) && value.vt == VT_I4 && value.lVal > 0) role = value.lVal;
        ::VariantClear(&value);
        own->Release();
    }
    return role;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CActiveXUI* host = AsHost(control)) {
        if (host->IsCreated()) info.state |= STATE_SYSTEM_FOCUSABLE;
        if (IAccessible* own = host->GetObjectAccessible()) {
            BSTR text = nullptr;
            TakeText(own->get_accName(Self(), &text), text, info.name);
            text = nullptr;
            TakeText(own->get_accValue(Self(), &text), text, info.value);
            text = nullptr;
            TakeText(own->get_accDescription(Self(), &text), text, info.description);
            own->Release();
        }
    }
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) { return g_next != nullptr ? g_next->roleText(role) : nullptr; }

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

IAccessible* HostingAccessibleContent(CControlUI* control) {
    CActiveXUI* host = AsHost(control);
    return host != nullptr ? host->GetObjectAccessible() : nullptr;
}

const TAccessibleRules* HostingAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

IAccessible* CActiveXUI::GetObjectAccessible() const {
    void* own = nullptr;
    if (SUCCEEDED(GetControl(kAccessibleIid, &own)) && own != nullptr) return static_cast<IAccessible*>(own);
    HWND host = GetHostWindow();
    return host != nullptr ? WindowAccessible(host) : nullptr;
}

}  // namespace SkinUI
