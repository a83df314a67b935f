// CZipArchive: a read-only ZIP reader over a block of memory.
//
// Reads the central directory and local headers; members stored (method 0) or
// compressed with raw DEFLATE (method 8) can be extracted, optionally with the
// traditional ZIP password. No header value is trusted: every offset and length
// is checked against the archive's size, a member larger than kMaxMemberSize is
// refused before anything is allocated, and the inflated size and CRC-32 must
// match the directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/core/ui_buffer.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

class CZipArchive {
public:
    enum EResult {
        kOk = 0,
        kNotFound,       // no member at that index
        kUnsupported,    // compression method other than 0 and 8, or ZIP64 values
        kBadPassword,    // encrypted and the password is missing or wrong
        kCorrupt,        // header out of bounds, bad deflate data, size or CRC mismatch
        kTooLarge,       // uncompressed size above kMaxMemberSize
        kNoMemory,
    };

    // Largest member this reader extracts.
    static const uint32_t kMaxMemberSize = 64u * 1024u * 1024u;
    // Member names of this many UTF-8 bytes or more are never found.
    static const size_t kMaxNameBytes = 256;

    struct TMember {
        std::string name;          // UTF-8, sanitised: no drive, leading slashes or ".." parts
        std::string rawName;       // as stored
        uint16_t flags = 0;
        uint16_t method = 0;
        uint16_t modTime = 0;
        uint32_t crc = 0;
        uint32_t compressedSize = 0;
        uint32_t uncompressedSize = 0;
        uint32_t localHeaderOffset = 0;
        bool IsEncrypted() const { return (flags & 1) != 0; }
    };

    CZipArchive() = default;
    ~CZipArchive() = default;
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // Opens an archive held in memory; the block is not copied and must outlive
    // the archive. `password` (ANSI, may be null) is used for encrypted members.
    bool OpenMemory(const void* data, size_t size, const char* password = nullptr);
    // Reads the whole file into an owned buffer and opens it.
    bool OpenFile(const wchar_t* path, const char* password = nullptr);
    void Close();
    bool IsOpen() const { return m_data != nullptr; }

    int GetMemberCount() const { return static_cast<int>(m_members.size()); }
    const TMember* GetMember(int index) const;
    // Index of the member named `name` (backslashes match forward slashes),
    // compared in UTF-8, ignoring ASCII case when asked; -1 when absent.
    int FindMember(const wchar_t* name, bool ignoreCase = true) const;
    // Extracts a member whole into `out`.
    EResult Extract(int index, CUIBuffer& out) const;

    // Removes a drive letter, leading slashes and "../" or "..\" components.
    static std::string SanitizeName(const std::string& name);

private:
    bool ParseDirectory();

    const unsigned char* m_data = nullptr;
    size_t m_size = 0;
    CUIBuffer m_owned;
    std::string m_password;
    bool m_hasPassword = false;
    std::vector<TMember> m_members;
};

}  // namespace SkinUI
