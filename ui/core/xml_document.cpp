#include "ui/core/xml_document.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "ui/core/resource_settings.h"
#include "ui/core/ui_buffer.h"

namespace SkinUI {

namespace {

const wchar_t kEmpty[] = L"";

// One character forward, keeping surrogate pairs and combining sequences
// together. Plain ASCII followed by ASCII takes the fast path.
inline wchar_t* NextChar(wchar_t* p) {
    if (p[0] < 0x80 && p[1] < 0x80) return p + 1;
    wchar_t* next = CharNextW(p);
    return next > p ? next : p + 1;
}

inline const wchar_t* NextChar(const wchar_t* p) { return NextChar(const_cast<wchar_t*>(p)); }

inline bool IsSpace(wchar_t c) { return c >= 1 && c <= 32; }

template <typename P>
inline void SkipWhitespace(P& p) {
    while (IsSpace(*p)) p = NextChar(p);
}

inline bool IsNameChar(wchar_t c) {
    if (c < 0x80) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
               c == L':';
    }
    return IsCharAlphaNumericW(c) != FALSE;
}

inline void SkipName(wchar_t*& p) {
    while (*p && IsNameChar(*p)) p = NextChar(p);
}

bool EqualsNoCase(const wchar_t* a, const wchar_t* b) {
    for (;; ++a, ++b) {
        const wint_t ca = towlower(*a);
        const wint_t cb = towlower(*b);
        if (ca != cb) return false;
        if (ca == 0) return true;
    }
}

struct TEntity {
    const wchar_t* text;
    size_t length;
    wchar_t ch;
};

const TEntity kEntities[] = {
    {L"&amp;", 5, L'&'}, {L"&lt;", 4, L'<'}, {L"&gt;", 4, L'>'}, {L"&quot;", 6, L'"'}, {L"&apos;", 6, L'\''},
};

}  // namespace

// ----------------------------------------------------------------------------
// CXmlElement
// ----------------------------------------------------------------------------

const XmlElementRecord* CXmlElement::Record() const {
    if (!m_doc || m_row == 0 || static_cast<int>(m_row) >= m_doc->m_count) return nullptr;
    return &m_doc->m_elements[m_row];
}

const wchar_t* CXmlElement::Name() const {
    const XmlElementRecord* r = Record();
    return r ? m_doc->m_text + r->name : nullptr;
}

const wchar_t* CXmlElement::Value() const {
    const XmlElementRecord* r = Record();
    return r ? m_doc->m_text + r->value : nullptr;
}

CXmlElement CXmlElement::FirstChild() const {
    const XmlElementRecord* r = Record();
    return (r && r->firstChild) ? CXmlElement(m_doc, r->firstChild) : CXmlElement();
}

CXmlElement CXmlElement::NextSibling() const {
    const XmlElementRecord* r = Record();
    return (r && r->nextSibling) ? CXmlElement(m_doc, r->nextSibling) : CXmlElement();
}

CXmlElement CXmlElement::Parent() const {
    const XmlElementRecord* r = Record();
    return (r && r->parent) ? CXmlElement(m_doc, r->parent) : CXmlElement();
}

bool CXmlElement::HasChildElements() const {
    const XmlElementRecord* r = Record();
    return r && r->firstChild != 0;
}

// Walks the rewritten start tag once: after the name come pairs of
// "name<NUL> ... "value<NUL>", up to the element's value position.
void CXmlElement::MapAttributes() const {
    m_attrsMapped = true;
    m_attrCount = 0;
    const XmlElementRecord* r = Record();
    if (!r) return;
    const wchar_t* base = m_doc->m_text;
    const wchar_t* end = base + r->value;
    const wchar_t* p = base + r->name;
    p += wcslen(p) + 1;
    while (p < end) {
        SkipWhitespace(p);
        const unsigned int namePos = static_cast<unsigned int>(p - base);
        p += wcslen(p) + 1;
        SkipWhitespace(p);
        if (*p++ != L'"') return;
        m_attrs[m_attrCount][0] = namePos;
        m_attrs[m_attrCount][1] = static_cast<unsigned int>(p - base);
        if (++m_attrCount >= kMaxAttributes) return;
        p += wcslen(p) + 1;
    }
}

int CXmlElement::AttrCount() const {
    if (!m_doc) return 0;
    if (!m_attrsMapped) MapAttributes();
    return m_attrCount;
}

const wchar_t* CXmlElement::AttrName(int index) const {
    if (!m_doc) return nullptr;
    if (index < 0 || index >= AttrCount()) return kEmpty;
    return m_doc->m_text + m_attrs[index][0];
}

const wchar_t* CXmlElement::AttrValue(int index) const {
    if (!m_doc) return nullptr;
    if (index < 0 || index >= AttrCount()) return kEmpty;
    return m_doc->m_text + m_attrs[index][1];
}

const wchar_t* CXmlElement::FindAttrValue(const wchar_t* name) const {
    if (!m_doc || !name) return nullptr;
    const int count = AttrCount();
    for (int i = 0; i < count; ++i) {
        if (EqualsNoCase(m_doc->m_text + m_attrs[i][0], name)) return m_doc->m_text + m_attrs[i][1];
    }
    return nullptr;
}

bool CXmlElement::FindAttr(const wchar_t* name, wchar_t* buffer, int bufferChars) const {
    const wchar_t* value = FindAttrValue(name);
    if (!value) return false;
    if (buffer && bufferChars > 0) {
        size_t n = wcslen(value);
        if (n > static_cast<size_t>(bufferChars - 1)) n = static_cast<size_t>(bufferChars - 1);
        wmemcpy(buffer, value, n);
        buffer[n] = L'\0';
    }
    return true;
}

// ----------------------------------------------------------------------------
// CXmlDocument
// ----------------------------------------------------------------------------

CXmlDocument::CXmlDocument(const wchar_t* text) {
    if (text) ParseText(text);
}

CXmlDocument::~CXmlDocument() { Clear(); }

void CXmlDocument::Clear() {
    free(m_text);
    m_text = nullptr;
    m_textChars = 0;
    free(m_elements);
    m_elements = nullptr;
    m_count = 0;
    m_capacity = 0;
}

CXmlElement CXmlDocument::RootElement() const {
    // Row 0 is the placeholder; a document without elements has no root.
    if (m_count < 2) return CXmlElement();
    return CXmlElement(this, 1);
}

bool CXmlDocument::Fail(const wchar_t* message, const wchar_t* place) {
    wcsncpy(m_errorMessage, message, 99);
    m_errorMessage[99] = L'\0';
    m_errorPlace[0] = L'\0';
    if (place) {
        wcsncpy(m_errorPlace, place, 49);
        m_errorPlace[49] = L'\0';
    }
    return false;
}

long CXmlDocument::OffsetOf(const wchar_t* p) const {
    if (m_text == nullptr || p == nullptr || p < m_text) return -1;
    const size_t offset = static_cast<size_t>(p - m_text);
    return offset <= m_textChars ? static_cast<long>(offset) : -1;
}

bool CXmlDocument::ParseText(const wchar_t* text) {
    Clear();
    m_errorMessage[0] = m_errorPlace[0] = L'\0';
    if (!text) return Fail(L"File is empty", nullptr);
    const size_t len = wcslen(text);
    m_text = static_cast<wchar_t*>(malloc((len + 2) * sizeof(wchar_t)));
    if (!m_text) return Fail(L"Out of memory", nullptr);
    wmemcpy(m_text, text, len + 1);
    m_text[len + 1] = L'\0';
    m_textChars = len;
    if (!Parse()) {
        Clear();
        return false;
    }
    return true;
}

bool CXmlDocument::ParseBytes(const void* data, size_t size, XmlEncoding encoding) {
    Clear();
    m_errorMessage[0] = m_errorPlace[0] = L'\0';
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    if (!bytes) size = 0;
    if (size > 0x7FFFFFF0u) return Fail(L"File too large", nullptr);

    if (encoding == XmlEncodingUtf16) {
        const bool le = size > 1 && bytes[0] == 0xFF && bytes[1] == 0xFE;
        const bool be = size > 1 && bytes[0] == 0xFE && bytes[1] == 0xFF;
        // Without a byte-order mark the bytes are not taken as UTF-16.
        if (!le && !be) return Fail(L"Expected byte-order mark", nullptr);
        const size_t units = ((size & ~static_cast<size_t>(1)) - 2) / 2;
        m_text = static_cast<wchar_t*>(malloc((units + 2) * sizeof(wchar_t)));
        if (!m_text) return Fail(L"Out of memory", nullptr);
        const unsigned char* src = bytes + 2;
        for (size_t i = 0; i < units; ++i) {
            m_text[i] = be ? static_cast<wchar_t>((src[2 * i] << 8) | src[2 * i + 1])
                           : static_cast<wchar_t>(src[2 * i] | (src[2 * i + 1] << 8));
        }
        m_text[units] = L'\0';
        m_text[units + 1] = L'\0';
        m_textChars = units;
    } else {
        const UINT codePage = encoding == XmlEncodingAnsi ? CP_ACP : CP_UTF8;
        if (codePage == CP_UTF8 && size > 2 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
            bytes += 3;
            size -= 3;
        }
        const int n = size ? MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(bytes),
                                                 static_cast<int>(size), nullptr, 0)
                           : 0;
        if (size && n <= 0) return Fail(L"Could not convert text", nullptr);
        m_text = static_cast<wchar_t*>(malloc((static_cast<size_t>(n) + 2) * sizeof(wchar_t)));
        if (!m_text) return Fail(L"Out of memory", nullptr);
        if (n > 0) {
            MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(size), m_text, n);
        }
        m_text[n] = L'\0';
        m_text[n + 1] = L'\0';
        m_textChars = static_cast<size_t>(n);
    }
    if (!Parse()) {
        Clear();
        return false;
    }
    return true;
}

bool CXmlDocument::ParseSkinFile(const wchar_t* name, XmlEncoding encoding) {
    Clear();
    m_errorMessage[0] = m_errorPlace[0] = L'\0';
    CUIBuffer bytes;
    const ESkinFileRead result = CUIResourceSettings::ReadSkinFile(name, bytes);
    if (result != kSkinReadOk) return Fail(CUIResourceSettings::SkinReadMessage(result), nullptr);
    return ParseBytes(bytes.Data(), bytes.Size(), encoding);
}

int CXmlDocument::AppendRow() {
    if (m_count >= m_capacity) {
        const long long grown = static_cast<long long>(m_capacity) + m_capacity / 2 + 500;
        if (grown > 0x7FFFFFFF / static_cast<long long>(sizeof(XmlElementRecord))) return -1;
        void* p = realloc(m_elements, static_cast<size_t>(grown) * sizeof(XmlElementRecord));
        if (!p) return -1;
        m_elements = static_cast<XmlElementRecord*>(p);
        m_capacity = static_cast<int>(grown);
    }
    memset(&m_elements[m_count], 0, sizeof(XmlElementRecord));
    return m_count++;
}

bool CXmlDocument::Parse() {
    m_count = 0;
    m_errorMessage[0] = m_errorPlace[0] = L'\0';
    if (AppendRow() != 0) return Fail(L"Out of memory", nullptr);  // row 0: placeholder
    wchar_t* p = m_text;
    return ParseLevel(p, 0, 0);
}

// Reads text up to `terminator` (or the end), decoding entities; the output is
// written over the input starting at `dest`. Positions between one past the
// last written character and the stop are filled with spaces so that the
// rewritten start tag stays walkable.
void CXmlDocument::ReadText(wchar_t*& p, wchar_t*& dest, wchar_t terminator) {
    while (*p && *p != terminator) {
        if (*p == L'&') {
            bool decoded = false;
            for (const TEntity& e : kEntities) {
                if (wcsncmp(p, e.text, e.length) == 0) {
                    *dest++ = e.ch;
                    p += e.length;
                    decoded = true;
                    break;
                }
            }
            if (!decoded) *dest++ = *p++;
        } else if (*p == L' ') {
            *dest++ = *p++;
            if (!preserveWhitespace) SkipWhitespace(p);
        } else {
            wchar_t* next = NextChar(p);
            while (p < next) *dest++ = *p++;
        }
    }
    for (wchar_t* fill = dest + 1; fill < p; ++fill) *fill = L' ';
}

bool CXmlDocument::ParseAttributes(wchar_t*& p) {
    if ((p[0] == L'/' && p[1] == L'>') || p[0] == L'>') return true;
    *p++ = L'\0';
    SkipWhitespace(p);
    while (*p && *p != L'>' && *p != L'/') {
        SkipName(p);
        wchar_t* nameEnd = p;
        SkipWhitespace(p);
        if (*p != L'=') return Fail(L"Error while parsing attributes", p);
        *p++ = L' ';
        *nameEnd = L'\0';
        SkipWhitespace(p);
        if (*p != L'"') return Fail(L"Expected attribute value", p);
        ++p;
        wchar_t* dest = p;
        ReadText(p, dest, L'"');
        if (!*p) return Fail(L"Error while parsing attribute string", p);
        *dest = L'\0';
        // The closing quote becomes a space unless it now holds the terminator.
        if (p != dest) *p = L' ';
        ++p;
        SkipWhitespace(p);
    }
    return true;
}

bool CXmlDocument::ParseLevel(wchar_t*& p, unsigned int parent, int depth) {
    if (depth > kMaxDepth) return Fail(L"Elements nested too deeply", p);
    unsigned int previous = 0;
    for (;;) {
        SkipWhitespace(p);
        if (!*p) {
            if (parent <= 1) return true;
            return Fail(L"Expected start tag", p);
        }
        if (*p != L'<') return Fail(L"Expected start tag", p);
        if (p[1] == L'/') return true;
        *p++ = L'\0';
        SkipWhitespace(p);

        if (*p == L'!' || *p == L'?') {
            // Comments, declarations and processing instructions are skipped.
            const wchar_t* close = wcsstr(p, *p == L'!' ? L"->" : L"?>");
            if (close) p = const_cast<wchar_t*>(close) + 2;
            continue;
        }

        const int newRow = AppendRow();
        if (newRow <= 0) return Fail(L"Out of memory", p);
        const unsigned int row = static_cast<unsigned int>(newRow);
        XmlElementRecord* rec = &m_elements[row];
        rec->name = static_cast<unsigned int>(p - m_text);
        rec->parent = parent;
        if (previous) {
            m_elements[previous].nextSibling = row;
        } else if (parent) {
            m_elements[parent].firstChild = row;
        }
        previous = row;

        const wchar_t* name = p;
        SkipName(p);
        wchar_t* nameEnd = p;
        const size_t nameLen = static_cast<size_t>(nameEnd - name);
        if (!*p) return Fail(L"Error parsing element name", p);
        if (!ParseAttributes(p)) return false;
        SkipWhitespace(p);
        if (p[0] == L'/' && p[1] == L'>') {
            m_elements[row].value = static_cast<unsigned int>(p - m_text);
            *p = L'\0';
            p += 2;
        } else {
            if (*p != L'>') return Fail(L"Expected start-tag closing", p);
            m_elements[row].value = static_cast<unsigned int>(++p - m_text);
            wchar_t* dest = p;
            ReadText(p, dest, L'<');
            // Content that was shortened by decoding ends at its decoded end.
            if (dest < p) *dest = L'\0';
            if (!*p && parent <= 1) {
                // An unclosed root, or child of the root, at the end of the text.
                *nameEnd = L'\0';
                return true;
            }
            if (*p != L'<') return Fail(L"Expected end-tag start", p);
            if (p[1] != L'/') {
                if (!ParseLevel(p, row, depth + 1)) return false;
            }
            if (p[0] == L'<' && p[1] == L'/') {
                *dest = L'\0';
                *p = L'\0';
                p += 2;
                SkipWhitespace(p);
                if (wcsncmp(p, name, nameLen) != 0) return Fail(L"Unmatched closing tag", p);
                p += nameLen;
                SkipWhitespace(p);
                if (*p != L'>') return Fail(L"Unmatched closing tag", p);
                ++p;
            }
        }
        *nameEnd = L'\0';
    }
}

}  // namespace SkinUI
