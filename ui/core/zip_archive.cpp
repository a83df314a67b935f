#include "ui/core/zip_archive.h"

#include <windows.h>
#include <zlib.h>

#include <cstring>

#include "ui/core/ui_file.h"

namespace SkinUI {

namespace {

const uint32_t kSigEndOfDirectory = 0x06054b50;
const uint32_t kSigDirectoryEntry = 0x02014b50;
const uint32_t kSigLocalHeader = 0x04034b50;
const size_t kEndOfDirectorySize = 22;
const size_t kDirectoryEntrySize = 46;
const size_t kLocalHeaderSize = 30;
const size_t kEncryptionHeaderSize = 12;
// Archives are read whole into memory; this bounds a file-based one.
const size_t kMaxArchiveFileSize = 512u * 1024u * 1024u;

uint16_t Read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Read32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// True when [offset, offset + length) lies inside a block of `size` bytes.
bool InBounds(size_t offset, size_t length, size_t size) { return offset <= size && length <= size - offset; }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool NamesEqual(const std::string& a, const std::string& b, bool ignoreCase) {
    if (a.size() != b.size()) return false;
    if (!ignoreCase) return a == b;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

// The traditional ZIP cipher.
class CZipCrypto {
public:
    explicit CZipCrypto(const std::string& password) : m_table(get_crc_table()) {
        for (unsigned char c : password) Update(c);
    }
    unsigned char Decrypt(unsigned char c) {
        const unsigned temp = (m_keys[2] | 2u) & 0xFFFFu;
        const unsigned char plain = static_cast<unsigned char>(c ^ static_cast<unsigned char>((temp * (temp ^ 1u)) >> 8));
        Update(plain);
        return plain;
    }

private:
    uint32_t Crc(uint32_t crc, unsigned char b) const {
        return static_cast<uint32_t>(m_table[(crc ^ b) & 0xFFu]) ^ (crc >> 8);
    }
    void Update(unsigned char c) {
        m_keys[0] = Crc(m_keys[0], c);
        m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFFu)) * 134775813u + 1u;
        m_keys[2] = Crc(m_keys[2], static_cast<unsigned char>(m_keys[1] >> 24));
    }

    const z_crc_t* m_table;
    uint32_t m_keys[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

// Inflates raw DEFLATE data into exactly `outSize` bytes; the stream must end
// there.
bool InflateExactly(const unsigned char* in, size_t inSize, unsigned char* out, size_t outSize) {
    z_stream zs;
    memset(&zs, 0, sizeof(zs));
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
    zs.next_in = const_cast<Bytef*>(in);
    zs.avail_in = static_cast<uInt>(inSize);
    zs.next_out = out;
    zs.avail_out = static_cast<uInt>(outSize);
    const int rc = inflate(&zs, Z_FINISH);
    const bool ok = rc == Z_STREAM_END && zs.total_out == outSize;
    inflateEnd(&zs);
    return ok;
}

}  // namespace

std::string CZipArchive::SanitizeName(const std::string& name) {
    std::string s = name;
    for (char& c : s) {
        if (c == '\\') c = '/';
    }
    if (s.size() >= 2 && s[1] == ':' && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'))) {
        s.erase(0, 2);
    }
    // Drop "." / ".." components and empty ones (which also removes leading slashes).
    std::string out;
    size_t pos = 0;
    while (pos <= s.size()) {
        size_t end = s.find('/', pos);
        if (end == std::string::npos) end = s.size();
        const std::string part = s.substr(pos, end - pos);
        const bool last = end == s.size();
        if (!part.empty() && part != "." && part != "..") {
            out += part;
            if (!last) out += '/';
        }
        pos = end + 1;
    }
    return out;
}

bool CZipArchive::OpenMemory(const void* data, size_t size, const char* password) {
    Close();
    if (!data || size < kEndOfDirectorySize) return false;
    m_data = static_cast<const unsigned char*>(data);
    m_size = size;
    if (password) {
        m_password = password;
        m_hasPassword = true;
    }
    if (!ParseDirectory()) {
        Close();
        return false;
    }
    return true;
}

bool CZipArchive::OpenFile(const wchar_t* path, const char* password) {
    Close();
    CUIBuffer file;
    if (ReadWholeFile(path, file, kMaxArchiveFileSize) != kFileReadOk) return false;
    const unsigned char* data = file.Data();
    const size_t size = file.Size();
    if (!OpenMemory(data, size, password)) return false;
    m_owned = static_cast<CUIBuffer&&>(file);
    return true;
}

void CZipArchive::Close() {
    m_data = nullptr;
    m_size = 0;
    m_owned.Free();
    m_password.clear();
    m_hasPassword = false;
    m_members.clear();
}

bool CZipArchive::ParseDirectory() {
    // The end-of-directory record lies within the last 22 + 65535 bytes.
    size_t eocd = static_cast<size_t>(-1);
    const size_t lowest = m_size > kEndOfDirectorySize + 0xFFFF ? m_size - kEndOfDirectorySize - 0xFFFF : 0;
    for (size_t pos = m_size - kEndOfDirectorySize + 1; pos-- > lowest;) {
        if (Read32(m_data + pos) == kSigEndOfDirectory) {
            eocd = pos;
            break;
        }
    }
    if (eocd == static_cast<size_t>(-1)) return false;
    const unsigned char* e = m_data + eocd;
    const uint16_t disk = Read16(e + 4);
    const uint16_t dirDisk = Read16(e + 6);
    const uint16_t entries = Read16(e + 10);
    const uint32_t dirSize = Read32(e + 12);
    const uint32_t dirOffset = Read32(e + 16);
    if (disk != 0 || dirDisk != 0) return false;  // multi-part archives are not supported
    if (dirOffset == 0xFFFFFFFFu || dirSize == 0xFFFFFFFFu) return false;  // ZIP64
    if (!InBounds(dirOffset, dirSize, eocd)) return false;
    if (static_cast<size_t>(entries) * kDirectoryEntrySize > dirSize) return false;

    m_members.reserve(entries);
    size_t pos = dirOffset;
    const size_t dirEnd = static_cast<size_t>(dirOffset) + dirSize;
    for (unsigned i = 0; i < entries; ++i) {
        if (!InBounds(pos, kDirectoryEntrySize, dirEnd)) return false;
        const unsigned char* d = m_data + pos;
        if (Read32(d) != kSigDirectoryEntry) return false;
        TMember m;
        m.flags = Read16(d + 8);
        m.method = Read16(d + 10);
        m.modTime = Read16(d + 12);
        m.crc = Read32(d + 16);
        m.compressedSize = Read32(d + 20);
        m.uncompressedSize = Read32(d + 24);
        const uint16_t nameLen = Read16(d + 28);
        const uint16_t extraLen = Read16(d + 30);
        const uint16_t commentLen = Read16(d + 32);
        m.localHeaderOffset = Read32(d + 42);
        const size_t varLen = static_cast<size_t>(nameLen) + extraLen + commentLen;
        if (!InBounds(pos + kDirectoryEntrySize, varLen, dirEnd)) return false;
        m.rawName.assign(reinterpret_cast<const char*>(d + kDirectoryEntrySize), nameLen);
        m.name = SanitizeName(m.rawName);
        m_members.push_back(m);
        pos += kDirectoryEntrySize + varLen;
    }
    return true;
}

const CZipArchive::TMember* CZipArchive::GetMember(int index) const {
    if (index < 0 || index >= GetMemberCount()) return nullptr;
    return &m_members[static_cast<size_t>(index)];
}

int CZipArchive::FindMember(const wchar_t* name, bool ignoreCase) const {
    if (!IsOpen() || !name || !*name) return -1;
    const int wideLen = static_cast<int>(wcslen(name));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, name, wideLen, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0 || static_cast<size_t>(bytes) >= kMaxNameBytes) return -1;
    std::string wanted(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name, wideLen, &wanted[0], bytes, nullptr, nullptr);
    for (char& c : wanted) {
        if (c == '\\') c = '/';
    }
    for (size_t i = 0; i < m_members.size(); ++i) {
        const TMember& m = m_members[i];
        if (m.rawName.size() >= kMaxNameBytes) continue;
        if (NamesEqual(m.name, wanted, ignoreCase)) return static_cast<int>(i);
    }
    return -1;
}

CZipArchive::EResult CZipArchive::Extract(int index, CUIBuffer& out) const {
    out.Free();
    const TMember* m = GetMember(index);
    if (!m) return kNotFound;
    if (m->method != 0 && m->method != 8) return kUnsupported;
    if (m->compressedSize == 0xFFFFFFFFu || m->uncompressedSize == 0xFFFFFFFFu) return kUnsupported;
    if (m->uncompressedSize > kMaxMemberSize) return kTooLarge;

    // Local header: its own name and extra lengths decide where the data starts.
    const size_t local = m->localHeaderOffset;
    if (!InBounds(local, kLocalHeaderSize, m_size)) return kCorrupt;
    const unsigned char* l = m_data + local;
    if (Read32(l) != kSigLocalHeader) return kCorrupt;
    const size_t dataStart = local + kLocalHeaderSize + Read16(l + 26) + Read16(l + 28);
    if (!InBounds(dataStart, m->compressedSize, m_size)) return kCorrupt;
    const unsigned char* data = m_data + dataStart;
    size_t dataSize = m->compressedSize;

    CUIBuffer decrypted;
    if (m->IsEncrypted()) {
        if (!m_hasPassword) return kBadPassword;
        if (dataSize < kEncryptionHeaderSize) return kCorrupt;
        CZipCrypto crypto(m_password);
        unsigned char header[kEncryptionHeaderSize];
        for (size_t i = 0; i < kEncryptionHeaderSize; ++i) header[i] = crypto.Decrypt(data[i]);
        // The last header byte repeats the high byte of the CRC, or of the
        // modification time when sizes and CRC follow the data.
        const unsigned char check = (m->flags & 8) ? static_cast<unsigned char>(m->modTime >> 8)
                                                   : static_cast<unsigned char>(m->crc >> 24);
        if (header[kEncryptionHeaderSize - 1] != check) return kBadPassword;
        dataSize -= kEncryptionHeaderSize;
        if (!decrypted.Allocate(dataSize)) return kNoMemory;
        for (size_t i = 0; i < dataSize; ++i) decrypted.Data()[i] = crypto.Decrypt(data[kEncryptionHeaderSize + i]);
        data = decrypted.Data();
    }

    CUIBuffer result;
    if (!result.Allocate(m->uncompressedSize, 2)) return kNoMemory;
    if (m->method == 0) {
        if (dataSize != m->uncompressedSize) return kCorrupt;
        if (dataSize > 0) memcpy(result.Data(), data, dataSize);
    } else if (!InflateExactly(data, dataSize, result.Data(), m->uncompressedSize)) {
        return kCorrupt;
    }
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, result.Data(), static_cast<uInt>(m->uncompressedSize));
    if (static_cast<uint32_t>(crc) != m->crc) return kCorrupt;
    out = static_cast<CUIBuffer&&>(result);
    return kOk;
}

}  // namespace SkinUI
