// CSkinBuilder: turns one skin document into the control tree of a window.
//
// It registers the skin's shared resources (images, fonts, default attribute
// lists, styles, imported font files) with the window's paint manager, applies
// the attributes of the root Window element to the manager, and creates one
// control per element through the control factory, falling back to the
// window's IDialogBuilderCallback for names the factory does not know.
//
// A builder is used for one build and then destroyed. The tree it returns
// belongs to the caller (in practice to the paint manager once attached).
//
// Hostile skins: an Include may name its own file (directly or through other
// files) and repeat it many times. One build therefore has bounds on the
// include depth, the element nesting and the number of controls and include
// repetitions; past a bound the build stops, frees what it made (when it has
// no parent to hand it to) and Create returns null. Each Include source is
// read, parsed and its resources registered once per build, however often it
// is repeated; the characters parsed and the attribute text applied by one
// build are bounded as well, so that any skin builds or fails in a bounded time.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/core/xml_document.h"

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;

// Asked by the builder for element names the control factory does not know.
class IDialogBuilderCallback {
public:
    // A new control for the element name as written in the skin, or null.
    virtual CControlUI* CreateControl(const wchar_t* className) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

class CSkinBuilder {
public:
    // Bounds of one build (a build includes everything its Includes build).
    static const int kMaxIncludeDepth = 16;
    static const int kMaxNesting = 256;       // element levels, summed over includes
    static const int kMaxBuildUnits = 2000;   // controls created plus include repetitions
    static const long long kMaxParsedChars = 8ll << 20;      // markup of the skin and its Include sources
    static const long long kMaxAttributeChars = 4ll << 20;   // attribute text applied to the controls
    static const long long kMaxAttributes = 20000;           // attributes applied, lists included

    CSkinBuilder();
    ~CSkinBuilder();
    CSkinBuilder(const CSkinBuilder&) = delete;
    CSkinBuilder& operator=(const CSkinBuilder&) = delete;

    // Loads and builds a skin. `skin` is one of: a resource identifier below
    // 0x10000 (MAKEINTRESOURCEW, found with `type`), markup text starting with
    // "<", or a name (a skin id of the resource catalogue, else a skin file).
    // Returns the first top-level control, or null.
    CControlUI* Create(const wchar_t* skin, const wchar_t* type = nullptr,
                       IDialogBuilderCallback* callback = nullptr, CPaintManagerUI* manager = nullptr,
                       CControlUI* parent = nullptr);
    // Builds from the document already loaded.
    CControlUI* Create(IDialogBuilderCallback* callback = nullptr, CPaintManagerUI* manager = nullptr,
                       CControlUI* parent = nullptr);

    // Creates the controls for the children of `element` and returns the first one.
    CControlUI* BuildChildren(const CXmlElement& element, CControlUI* parent, CPaintManagerUI* manager);

    // The parsed skin; its last error explains a failed load.
    CXmlDocument* GetMarkup() { return &m_xml; }
    const wchar_t* GetLastErrorMessage() const { return m_xml.LastErrorMessage(); }
    const wchar_t* GetLastErrorPlace() const { return m_xml.LastErrorPlace(); }
    // True when this build (or an include of it) hit one of the bounds above.
    bool IsLimitReached() const { return m_budget->exhausted; }

    // Module searched for resource skins; null means the framework's module.
    void SetInstance(HINSTANCE instance) { m_instance = instance; }

private:
    // What one build (with its includes) has used so far.
    struct TBuildBudget {
        int includeDepth = 0;
        int nesting = 0;
        int units = 0;
        long long parsedChars = 0;
        long long attributeChars = 0;
        long long attributes = 0;
        bool exhausted = false;
    };
    struct TIncludeCache;  // the Include sources of one build, each loaded once

    bool Load(const wchar_t* skin, const wchar_t* type);
    void RegisterResources(const CXmlElement& root, CPaintManagerUI* manager);
    void BuildInclude(const CXmlElement& node, CControlUI* parent, CPaintManagerUI* manager);
    // Counts one control or include repetition; false once the budget is spent.
    bool TakeUnit();
    // Adds to one of the budgets; false (and the build exhausted) past `limit`.
    bool TakeWork(long long& used, long long chars, long long limit);
    // The builder holding the loaded Include source, or null when it cannot be loaded.
    CSkinBuilder* IncludeSource(const wchar_t* source);

    CXmlDocument m_xml;
    IDialogBuilderCallback* m_callback = nullptr;
    const wchar_t* m_type = nullptr;  // remembered for resource skins, not owned
    HINSTANCE m_instance = nullptr;
    TBuildBudget m_ownBudget;
    TBuildBudget* m_budget = &m_ownBudget;
    std::unique_ptr<TIncludeCache> m_ownIncludes;
    TIncludeCache* m_includes = nullptr;  // the outermost builder's cache
    bool m_resourcesRegistered = false;   // this document's resources, once per build
};

// Applies one attribute of a skin's Window element to the paint manager.
// Unknown names are ignored. Returns true when the name was recognised.
bool ApplyWindowAttribute(CPaintManagerUI* manager, const wchar_t* name, const wchar_t* value);

}  // namespace SkinUI
