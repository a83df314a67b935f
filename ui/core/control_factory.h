// CControlFactory: the process-wide table from class names to creation
// functions that the skin builder asks for one control per markup element.
// Names are looked up without regard to letter case ("CButtonUI" and
// "cbuttonui" are the same class).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace SkinUI {

class CControlUI;

// Makes a new control owned by the caller.
typedef CControlUI* (*CreateControlFn)();

class CControlFactory {
public:
    // The factory, created (thread-safely) on first use.
    static CControlFactory& Instance();
    // Destroys the factory; a later Instance() creates a fresh one.
    static void Release();

    // A new control of the class, or null for an unknown name.
    CControlUI* CreateControl(const wchar_t* className) const;
    // Adds a class (a later registration of the same name replaces the earlier one).
    void RegisterControl(const wchar_t* className, CreateControlFn create);
    // The registered class names as they were registered ("CButtonUI").
    std::vector<std::wstring> ClassNames() const;

private:
    CControlFactory();
    CControlFactory(const CControlFactory&) = delete;
    CControlFactory& operator=(const CControlFactory&) = delete;

    static std::wstring Key(const wchar_t* className);

    struct TEntry {
        CreateControlFn create;
        std::wstring name;  // as registered
    };
    std::map<std::wstring, TEntry> m_classes;
};

}  // namespace SkinUI
