// The configuration store: the launcher's product-specific names, kept as an INI text that is
// stored enciphered in the module's resources (RT_RCDATA). Names and values are narrow strings
// in code page 936; sections and keys compare byte-wise (case-sensitive).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/portable/ini_parser.h"
#include "support/single_impl.h"

class CIniStore : public CSingleImpl<CIniStore> {
public:
    CIniStore() = default;

    // Finds, deciphers (DES-ECB keyed by the pass phrase's MD5 digest) and parses the resource.
    // True when the store then holds at least one section. A missing or empty resource leaves
    // the store as it was and answers false.
    bool LoadFromResource(HMODULE module, const char* passPhrase, int resourceId);

    // Deciphers `size` bytes and parses the text (the in-memory half of LoadFromResource).
    // Null data or size 0 answers false and leaves the store as it was.
    bool LoadFromData(const void* data, size_t size, const char* passPhrase);

    // Clears the store and parses narrow text (code page 936).
    void Parse(const std::string& text);

    // The value of `key` in `section`; empty when either is absent. Never changes the store,
    // so concurrent lookups are safe once loading is over.
    std::string GetValue(const std::string& section, const std::string& key) const;

    bool HasSections() const { return !m_sections.empty(); }

    // Diagnostics of malformed lines from the last Parse ("l.<n>: ini parsing failed, ...").
    const std::vector<std::string>& GetDiagnostics() const { return m_diagnostics; }

private:
    qvx::TIniSyntax m_syntax;
    qvx::TIniSections m_sections;
    std::vector<std::string> m_diagnostics;
};

// Values of section "Soft" and "SoftParam" of the process-wide store, converted from and to
// UTF-16 through code page 936.
std::wstring GetSoftValue(const std::wstring& key);
std::wstring GetSoftParamValue(const std::wstring& key);
