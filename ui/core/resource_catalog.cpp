#include "ui/core/resource_catalog.h"

#include <windows.h>

#include <cwchar>

#include "ui/core/image_loader.h"
#include "ui/core/ui_buffer.h"
#include "ui/core/ui_string.h"
#include "ui/core/xml_document.h"

namespace SkinUI {

namespace {

void FreeTexts(CUIStringMap& map) {
    for (int i = 0; i < map.GetSize(); ++i) {
        const wchar_t* key = map.GetAt(i);
        if (key) delete static_cast<CUIString*>(map.Find(key, false));
    }
    map.RemoveAll();
}

// Records id -> path unless the id is already present.
void AddFirst(CUIStringMap& map, const wchar_t* id, const wchar_t* path) {
    if (!id || !*id || !path || map.Find(id)) return;
    CUIString* value = new CUIString(path);
    if (!map.Insert(id, value)) delete value;
}

bool IsNamed(const wchar_t* name, const wchar_t* wanted) { return name && _wcsicmp(name, wanted) == 0; }

}  // namespace

CUIResourceCatalog& CUIResourceCatalog::Instance() {
    static CUIResourceCatalog catalog;
    return catalog;
}

CUIResourceCatalog::CUIResourceCatalog() = default;

CUIResourceCatalog::~CUIResourceCatalog() { Release(); }

void CUIResourceCatalog::Release() {
    FreeTexts(m_texts);
    FreeTexts(m_imageIds);
    FreeTexts(m_skinIds);
}

bool CUIResourceCatalog::LoadCatalog(const wchar_t* skin, const wchar_t* type) {
    if (!skin) return false;
    CXmlDocument doc;
    bool loaded = false;
    if (IS_INTRESOURCE(skin) || (type && *type)) {
        // A resource identifier (numeric, or decimal text) of the given type.
        const wchar_t* id = IS_INTRESOURCE(skin) ? skin : MAKEINTRESOURCEW(_wtoi(skin));
        CUIBuffer bytes;
        if (type && ReadModuleResource(nullptr, id, type, bytes)) {
            loaded = doc.ParseBytes(bytes.Data(), bytes.Size(), XmlEncodingUtf8);
        }
    } else if (*skin == L'<') {
        loaded = doc.ParseText(skin);
    } else {
        loaded = doc.ParseSkinFile(skin, XmlEncodingUtf8);
    }
    if (!loaded) return false;

    // Depth-first walk of the whole tree without recursion: branches are
    // descended into, leaves named Image or Xml are recorded.
    CXmlElement node = doc.RootElement();
    while (!node.IsNull()) {
        if (node.HasChildElements()) {
            node = node.FirstChild();
            continue;
        }
        if (IsNamed(node.Name(), L"Image")) {
            AddFirst(m_imageIds, node.FindAttrValue(L"id"), node.FindAttrValue(L"path"));
        } else if (IsNamed(node.Name(), L"Xml")) {
            AddFirst(m_skinIds, node.FindAttrValue(L"id"), node.FindAttrValue(L"path"));
        }
        // Next sibling, or the next sibling of the nearest ancestor that has one.
        while (!node.IsNull()) {
            const CXmlElement next = node.NextSibling();
            if (!next.IsNull()) {
                node = next;
                break;
            }
            node = node.Parent();
        }
    }
    return true;
}

const wchar_t* CUIResourceCatalog::GetSkinPath(const wchar_t* id) {
    CUIString* path = id ? static_cast<CUIString*>(m_skinIds.Find(id)) : nullptr;
    return path ? path->GetData() : nullptr;
}

const wchar_t* CUIResourceCatalog::GetImagePath(const wchar_t* id) {
    CUIString* path = id ? static_cast<CUIString*>(m_imageIds.Find(id)) : nullptr;
    return path ? path->GetData() : nullptr;
}

const wchar_t* CUIResourceCatalog::GetText(const wchar_t* id, const wchar_t* language) {
    if (!id) return nullptr;
    CUIString* text = static_cast<CUIString*>(m_texts.Find(id));
    if (text) return text->GetData();
    if (!m_query) return nullptr;
    const wchar_t* answer = m_query->QueryText(id, language ? language : L"");
    if (!answer) return nullptr;
    text = new CUIString(answer);
    if (!m_texts.Insert(id, text)) {
        delete text;
        return nullptr;
    }
    return text->GetData();
}

void CUIResourceCatalog::SetText(const wchar_t* id, const wchar_t* text) {
    if (!id || !*id) return;
    CUIString* value = new CUIString(text);
    CUIString* old = static_cast<CUIString*>(m_texts.Set(id, value));
    delete old;
}

}  // namespace SkinUI
