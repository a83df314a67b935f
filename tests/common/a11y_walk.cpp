#include "tests/common/a11y_walk.h"

#include <vector>

namespace a11y {

const IID kIIDAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

VARIANT Child(LONG id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring TakeBstr(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
    ::SysFreeString(text);
    return result;
}

void DumpInto(IAccessible* acc, int depth, bool withLocation, std::wstring& out) {
    std::wstring line(static_cast<size_t>(depth) * 2, L' ');
    line += RoleText(Role(acc)) + L" \"" + Name(acc) + L"\"";
    const std::wstring value = Value(acc);
    if (!value.empty()) line += L" value=" + value;
    line += L" state=" + StateText(State(acc));
    if (withLocation) {
        const RECT rc = Location(acc);
        wchar_t place[64] = {};
        wsprintfW(place, L" @%ld,%ld,%ld,%ld", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        line += place;
    }
    out += line + L"\n";
    long count = 0;
    if (FAILED(acc->get_accChildCount(&count)) || count <= 0 || count > 1000) return;
    std::vector<VARIANT> children(static_cast<size_t>(count));
    long got = 0;
    if (FAILED(::AccessibleChildren(acc, 0, count, children.data(), &got))) return;
    for (long i = 0; i < got; ++i) {
        VARIANT& v = children[static_cast<size_t>(i)];
        if (v.vt == VT_DISPATCH && v.pdispVal != nullptr) {
            IAccessible* child = nullptr;
            if (SUCCEEDED(v.pdispVal->QueryInterface(kIIDAccessible, reinterpret_cast<void**>(&child)))) {
                DumpInto(child, depth + 1, withLocation, out);
                child->Release();
            }
        } else if (v.vt == VT_I4) {
            out += std::wstring(static_cast<size_t>(depth + 1) * 2, L' ') + RoleText(Role(acc, v.lVal)) + L" \"" +
                   Name(acc, v.lVal) + L"\" (simple)\n";
        }
        ::VariantClear(&v);
    }
}

}  // namespace

IAccessible* ClientOf(HWND window) {
    IAccessible* acc = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIIDAccessible,
                                            reinterpret_cast<void**>(&acc)))) {
        return nullptr;
    }
    return acc;
}

std::wstring Name(IAccessible* acc, LONG child) {
    BSTR text = nullptr;
    if (FAILED(acc->get_accName(Child(child), &text))) return L"<error>";
    return TakeBstr(text);
}

std::wstring Value(IAccessible* acc, LONG child) {
    BSTR text = nullptr;
    if (FAILED(acc->get_accValue(Child(child), &text))) return std::wstring();
    return TakeBstr(text);
}

LONG Role(IAccessible* acc, LONG child) {
    VARIANT v;
    ::VariantInit(&v);
    if (FAILED(acc->get_accRole(Child(child), &v)) || v.vt != VT_I4) return 0;
    return v.lVal;
}

LONG State(IAccessible* acc, LONG child) {
    VARIANT v;
    ::VariantInit(&v);
    if (FAILED(acc->get_accState(Child(child), &v)) || v.vt != VT_I4) return 0;
    return v.lVal;
}

RECT Location(IAccessible* acc, LONG child) {
    long l = 0, t = 0, w = 0, h = 0;
    if (FAILED(acc->accLocation(&l, &t, &w, &h, Child(child)))) return RECT{};
    return RECT{l, t, l + w, t + h};
}

std::wstring RoleText(LONG role) {
    switch (role) {
    case ROLE_SYSTEM_WINDOW: return L"window";
    case ROLE_SYSTEM_CLIENT: return L"client";
    case ROLE_SYSTEM_GROUPING: return L"grouping";
    case ROLE_SYSTEM_STATICTEXT: return L"static text";
    case ROLE_SYSTEM_PUSHBUTTON: return L"push button";
    case ROLE_SYSTEM_PROGRESSBAR: return L"progress bar";
    case ROLE_SYSTEM_GRAPHIC: return L"graphic";
    case ROLE_SYSTEM_CHECKBUTTON: return L"check button";
    case ROLE_SYSTEM_RADIOBUTTON: return L"radio button";
    default: return L"role " + std::to_wstring(role);
    }
}

std::wstring StateText(LONG state) {
    static const struct {
        LONG bit;
        const wchar_t* word;
    } kWords[] = {
        {STATE_SYSTEM_INVISIBLE, L"invisible"}, {STATE_SYSTEM_UNAVAILABLE, L"unavailable"},
        {STATE_SYSTEM_FOCUSABLE, L"focusable"}, {STATE_SYSTEM_FOCUSED, L"focused"},
        {STATE_SYSTEM_PRESSED, L"pressed"},     {STATE_SYSTEM_HOTTRACKED, L"hot"},
        {STATE_SYSTEM_READONLY, L"readonly"},   {STATE_SYSTEM_CHECKED, L"checked"},
        {STATE_SYSTEM_SELECTED, L"selected"},
    };
    std::wstring text;
    for (const auto& w : kWords) {
        if ((state & w.bit) == 0) continue;
        if (!text.empty()) text += L",";
        text += w.word;
    }
    return text.empty() ? L"normal" : text;
}

std::wstring DumpTree(IAccessible* acc, bool withLocation) {
    std::wstring out;
    if (acc != nullptr) DumpInto(acc, 0, withLocation, out);
    return out;
}

IAccessible* Find(IAccessible* root, LONG role, const std::wstring& name) {
    if (root == nullptr) return nullptr;
    if (Role(root) == role && Name(root) == name) {
        root->AddRef();
        return root;
    }
    long count = 0;
    if (FAILED(root->get_accChildCount(&count)) || count <= 0 || count > 1000) return nullptr;
    std::vector<VARIANT> children(static_cast<size_t>(count));
    long got = 0;
    if (FAILED(::AccessibleChildren(root, 0, count, children.data(), &got))) return nullptr;
    IAccessible* found = nullptr;
    for (long i = 0; i < got; ++i) {
        VARIANT& v = children[static_cast<size_t>(i)];
        if (found == nullptr && v.vt == VT_DISPATCH && v.pdispVal != nullptr) {
            IAccessible* child = nullptr;
            if (SUCCEEDED(v.pdispVal->QueryInterface(kIIDAccessible, reinterpret_cast<void**>(&child)))) {
                found = Find(child, role, name);
                child->Release();
            }
        }
        ::VariantClear(&v);
    }
    return found;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

}  // namespace a11y
