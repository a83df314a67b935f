// CUIResourceCatalog: the process-wide catalogue that maps ids to image paths,
// skin file paths and texts.
#pragma once

#include "ui/core/ui_string_map.h"

namespace SkinUI {

// Supplies texts that the catalogue does not hold.
class IQueryControlText {
public:
    // Text for `id` in `language`, or null. The returned text is copied.
    virtual const wchar_t* QueryText(const wchar_t* id, const wchar_t* language) = 0;

protected:
    ~IQueryControlText() = default;
};

class CUIResourceCatalog {
public:
    // The singleton, created on first use.
    static CUIResourceCatalog& Instance();

    // Reads a catalogue (a decimal resource id with `type`, markup text starting
    // with "<", or a skin file name) and records every leaf `Image` and `Xml`
    // element with "id" and "path"; the first path of an id is kept. False when
    // the markup cannot be read.
    bool LoadCatalog(const wchar_t* skin, const wchar_t* type = nullptr);

    // Path recorded for an id, or null.
    const wchar_t* GetSkinPath(const wchar_t* id);
    const wchar_t* GetImagePath(const wchar_t* id);
    // Text for an id; a miss asks the registered query (if any) and caches a
    // non-null answer. Null when unknown.
    const wchar_t* GetText(const wchar_t* id, const wchar_t* language = nullptr);
    // Adds or replaces a text.
    void SetText(const wchar_t* id, const wchar_t* text);
    void SetTextQuery(IQueryControlText* query) { m_query = query; }
    IQueryControlText* GetTextQuery() const { return m_query; }

    // Frees every entry (the catalogue itself stays usable).
    void Release();

private:
    CUIResourceCatalog();
    ~CUIResourceCatalog();
    CUIResourceCatalog(const CUIResourceCatalog&) = delete;
    CUIResourceCatalog& operator=(const CUIResourceCatalog&) = delete;

    CUIStringMap m_texts{83};    // CUIString*, owned
    CUIStringMap m_imageIds{83}; // CUIString*, owned
    CUIStringMap m_skinIds{83};  // CUIString*, owned
    IQueryControlText* m_query = nullptr;
};

}  // namespace SkinUI
