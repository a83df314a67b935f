#include "ui/core/resource_settings.h"

#include <string>

#include "ui/core/ui_file.h"
#include "ui/core/zip_archive.h"

namespace SkinUI {

HINSTANCE CUIResourceSettings::s_instance = nullptr;
CUIString CUIResourceSettings::s_resourcePath;
CUIString CUIResourceSettings::s_archiveName;
CUIString CUIResourceSettings::s_password;
bool CUIResourceSettings::s_cached = false;
CZipArchive* CUIResourceSettings::s_cachedArchive = nullptr;

namespace {

const wchar_t kMemoryArchiveName[] = L"membuffer";
// Image and font files read from the file system are bounded too.
const size_t kMaxResourceFileSize = 256u * 1024u * 1024u;

std::string ToAnsi(const wchar_t* text) {
    std::string out;
    if (!text || !*text) return out;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return out;
    out.resize(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<size_t>(bytes) - 1);
    return out;
}

ESkinFileRead FromFileResult(EUIFileRead r) {
    switch (r) {
        case kFileReadOk: return kSkinReadOk;
        case kFileOpenFailed: return kSkinOpenFailed;
        case kFileEmpty: return kSkinEmpty;
        case kFileTooLarge: return kSkinTooLarge;
        case kFileShortRead:
        case kFileNoMemory: return kSkinShortRead;
    }
    return kSkinShortRead;
}

}  // namespace

void CUIResourceSettings::CloseCachedArchive() {
    delete s_cachedArchive;
    s_cachedArchive = nullptr;
}

void CUIResourceSettings::Reset() {
    CloseCachedArchive();
    s_resourcePath.Empty();
    s_archiveName.Empty();
    s_password.Empty();
    s_cached = false;
}

void CUIResourceSettings::SetResourceZip(const wchar_t* name, bool cached, const wchar_t* password) {
    CloseCachedArchive();
    s_archiveName = name;
    s_password = password;
    s_cached = cached && !s_archiveName.IsEmpty();
    if (s_cached) {
        CZipArchive* archive = new CZipArchive;
        const CUIString path = s_resourcePath + s_archiveName;
        const std::string ansi = ToAnsi(s_password);
        if (archive->OpenFile(path, s_password.IsEmpty() ? nullptr : ansi.c_str())) {
            s_cachedArchive = archive;
        } else {
            delete archive;
        }
    }
}

void CUIResourceSettings::SetResourceArchive(const void* data, unsigned int size, const wchar_t* password) {
    if (s_archiveName == kMemoryArchiveName && s_cachedArchive != nullptr) return;
    CloseCachedArchive();
    s_archiveName = kMemoryArchiveName;
    s_cached = true;
    s_password = password;
    CZipArchive* archive = new CZipArchive;
    const std::string ansi = ToAnsi(s_password);
    if (archive->OpenMemory(data, size, s_password.IsEmpty() ? nullptr : ansi.c_str())) {
        s_cachedArchive = archive;
    } else {
        delete archive;
    }
}

ESkinFileRead CUIResourceSettings::ReadFromSource(const wchar_t* name, CUIBuffer& out, size_t maxSize) {
    out.Free();
    if (!name || !*name) return kSkinOpenFailed;
    if (s_archiveName.IsEmpty()) {
        const CUIString path = s_resourcePath + name;
        return FromFileResult(ReadWholeFile(path, out, maxSize));
    }
    // Archive mode: the cached archive, or the archive file opened for this read.
    // An in-memory archive that did not open (or was closed) is no archive at
    // all: there is no file of that name to fall back on.
    CZipArchive transient;
    CZipArchive* archive = s_cachedArchive;
    if (!archive && s_archiveName == kMemoryArchiveName) return kSkinZipOpenFailed;
    if (!archive) {
        const std::string ansi = ToAnsi(s_password);
        const CUIString path = s_resourcePath + s_archiveName;
        if (!transient.OpenFile(path, s_password.IsEmpty() ? nullptr : ansi.c_str())) return kSkinZipOpenFailed;
        archive = &transient;
    }
    const int index = archive->FindMember(name, true);
    if (index < 0) return kSkinMemberNotFound;
    // Sizes are checked before anything is extracted.
    const CZipArchive::TMember* member = archive->GetMember(index);
    if (member->uncompressedSize == 0) return kSkinEmpty;
    if (member->uncompressedSize > maxSize) return kSkinTooLarge;
    if (archive->Extract(index, out) != CZipArchive::kOk) return kSkinUnzipFailed;
    return kSkinReadOk;
}

ESkinFileRead CUIResourceSettings::ReadSkinFile(const wchar_t* name, CUIBuffer& out) {
    return ReadFromSource(name, out, kMaxSkinFileSize);
}

bool CUIResourceSettings::ReadResourceFile(const wchar_t* name, CUIBuffer& out) {
    if (ReadFromSource(name, out, kMaxResourceFileSize) == kSkinReadOk) return true;
    // Last resort: the name itself as a path (absolute or relative to the
    // current directory).
    if (!name || !*name) return false;
    return ReadWholeFile(name, out, kMaxResourceFileSize) == kFileReadOk;
}

const wchar_t* CUIResourceSettings::SkinReadMessage(ESkinFileRead result) {
    switch (result) {
        case kSkinReadOk: return L"";
        case kSkinOpenFailed: return L"Error opening file";
        case kSkinEmpty: return L"File is empty";
        case kSkinTooLarge: return L"File too large";
        case kSkinShortRead: return L"Could not read file";
        case kSkinZipOpenFailed: return L"Error opening zip file";
        case kSkinMemberNotFound: return L"Could not find ziped file";
        case kSkinUnzipFailed: return L"Could not unzip file";
    }
    return L"";
}

}  // namespace SkinUI
