// CXmlDocument / CXmlElement: the skin markup parser.
//
// Accepts a small subset of XML: elements, double-quoted attributes, the five
// named entities, text content before the first child, and comments and
// processing instructions (skipped). The document works in place on one
// wide-character copy of the text: names and values are pointers into it, and
// the only allocations are that text and the element table.
#pragma once

#include <cstddef>

namespace SkinUI {

// Encoding of the bytes given to ParseBytes.
enum XmlEncoding {
    XmlEncodingUtf8 = 0,   // optional EF BB BF mark
    XmlEncodingUtf16 = 1,  // FF FE or FE FF mark required
    XmlEncodingAnsi = 2,   // the system's active code page
};

// One row of the element table. Positions count wide characters from the
// start of the text; links are row numbers, 0 meaning none.
struct XmlElementRecord {
    unsigned int name;
    unsigned int firstChild;
    unsigned int nextSibling;
    unsigned int parent;
    unsigned int value;
};

class CXmlDocument;

// A read-only handle to one element. Copy it freely; it is valid while its
// document is neither cleared nor reloaded.
class CXmlElement {
public:
    enum { kMaxAttributes = 64 };

    CXmlElement() = default;
    CXmlElement(const CXmlDocument* doc, unsigned int row) : m_doc(doc), m_row(row) {}

    bool IsNull() const { return m_doc == nullptr; }
    // The name as written; null for a null handle.
    const wchar_t* Name() const;
    // Text content (empty for "/>" elements); null for a null handle.
    const wchar_t* Value() const;
    CXmlElement FirstChild() const;
    CXmlElement NextSibling() const;
    CXmlElement Parent() const;
    bool HasChildElements() const;

    // Attributes in document order; at most the first 64 are visible.
    int AttrCount() const;
    bool HasAttrs() const { return AttrCount() > 0; }
    // Empty string for an index outside 0..count-1; null for a null handle.
    const wchar_t* AttrName(int index) const;
    const wchar_t* AttrValue(int index) const;
    // First attribute whose name matches ignoring case: copies its value into
    // `buffer` (of `bufferChars` characters, terminator included, truncating)
    // and returns true; false when none matches.
    bool FindAttr(const wchar_t* name, wchar_t* buffer, int bufferChars) const;
    // Value of the first attribute whose name matches ignoring case, or null.
    const wchar_t* FindAttrValue(const wchar_t* name) const;

private:
    void MapAttributes() const;
    const XmlElementRecord* Record() const;

    const CXmlDocument* m_doc = nullptr;
    unsigned int m_row = 0;
    mutable int m_attrCount = 0;        // 0: not yet enumerated (or none)
    mutable bool m_attrsMapped = false;
    mutable unsigned int m_attrs[kMaxAttributes][2] = {};  // (name, value) positions
};

class CXmlDocument {
public:
    // Deepest element nesting accepted; deeper documents fail cleanly.
    static const int kMaxDepth = 1000;

    explicit CXmlDocument(const wchar_t* text = nullptr);
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    bool ParseText(const wchar_t* text);
    bool ParseBytes(const void* data, size_t size, XmlEncoding encoding = XmlEncodingUtf8);
    // Reads a skin file through the resource settings (file system or archive).
    bool ParseSkinFile(const wchar_t* name, XmlEncoding encoding = XmlEncodingUtf8);
    void Clear();

    // Row 1, or a null handle when no element was parsed.
    CXmlElement RootElement() const;
    int GetElementCount() const { return m_count; }
    // Characters of the text the last parse read (0 after a failure).
    size_t GetTextLength() const { return m_textChars; }
    // Where `p` (a name or value handed out by this document) lies in the
    // parsed text, counted in wide characters; -1 for a pointer outside it.
    long OffsetOf(const wchar_t* p) const;

    // Message (at most 99 characters) and place (at most 49) of the last failure.
    const wchar_t* LastErrorMessage() const { return m_errorMessage; }
    const wchar_t* LastErrorPlace() const { return m_errorPlace; }

    // When false, a run of whitespace after a space in a value is dropped.
    bool preserveWhitespace = true;

private:
    friend class CXmlElement;

    bool Parse();
    bool ParseLevel(wchar_t*& p, unsigned int parent, int depth);
    bool ParseAttributes(wchar_t*& p);
    void ReadText(wchar_t*& p, wchar_t*& dest, wchar_t terminator);
    // Index of the new row, or -1 when the table cannot grow.
    int AppendRow();
    bool Fail(const wchar_t* message, const wchar_t* place);

    wchar_t* m_text = nullptr;
    size_t m_textChars = 0;  // characters of m_text before its two terminators
    XmlElementRecord* m_elements = nullptr;
    int m_count = 0;
    int m_capacity = 0;
    wchar_t m_errorMessage[100] = {};
    wchar_t m_errorPlace[50] = {};
};

}  // namespace SkinUI
