#include "ui/widgets/hosting/flash.h"

#include "ui/controls/attribute_values.h"

namespace SkinUI {

const CLSID& CFlashUI::FlashClassId() {
    static const CLSID kFlash = {0xd27cdb6e, 0xae6d, 0x11cf, {0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
    return kFlash;
}

CFlashUI::CFlashUI() : m_bTransparent(false) { SetClassId(FlashClassId()); }

const wchar_t* CFlashUI::GetClass() const { return L"FlashUI"; }

void* CFlashUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Flash") == 0) return static_cast<CFlashUI*>(this);
    return CActiveXUI::GetInterface(name);
}

void CFlashUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"movie")) {
        SetMovie(value);
    } else if (attr::NameIs(name, L"transparent")) {
        SetTransparent(attr::IsTrue(value));
    } else if (attr::NameIs(name, L"clsid") || attr::NameIs(name, L"progid")) {
        // The class is Flash's own.
    } else {
        CActiveXUI::ApplyAttribute(name, value);
    }
}

bool CFlashUI::IsOwnClass(const CLSID& clsid) const { return IsEqualCLSID(clsid, FlashClassId()) != 0; }

void CFlashUI::SetMovie(const wchar_t* movie) {
    m_sMovie = movie != nullptr ? movie : L"";
    if (IsCreated() && !m_sMovie.IsEmpty()) PutProperty(L"Movie", m_sMovie);
}

void CFlashUI::OnObjectCreated() {
    if (m_bTransparent) PutProperty(L"WMode", L"transparent");
    if (!m_sMovie.IsEmpty()) PutProperty(L"Movie", m_sMovie);
}

bool CFlashUI::PutProperty(const wchar_t* name, const wchar_t* value) {
    IDispatch* dispatch = nullptr;
    if (FAILED(GetControl(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || dispatch == nullptr) return false;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(hr)) {
        VARIANT arg;
        ::VariantInit(&arg);
        arg.vt = VT_BSTR;
        arg.bstrVal = ::SysAllocString(value);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&arg, &named, 1, 1};
        hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                              nullptr);
        ::VariantClear(&arg);
    }
    dispatch->Release();
    return SUCCEEDED(hr);
}

}  // namespace SkinUI
