// Process-wide settings that decide where skin files, images and font files
// are read from, and the readers that honour them.
//
// File-system mode (archive name empty): names are opened as resource path +
// name. Archive mode: names are members of a ZIP archive, either the file
// resource path + archive name or, with the name "membuffer", a block of memory.
#pragma once

#include <windows.h>

#include "ui/core/ui_buffer.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

class CZipArchive;

// Largest skin file (markup) accepted: 4 MiB exactly is still read.
const size_t kMaxSkinFileSize = 4u * 1024u * 1024u;

// Outcome of reading a skin file; each failure has its message below.
enum ESkinFileRead {
    kSkinReadOk = 0,
    kSkinOpenFailed,       // "Error opening file"
    kSkinEmpty,            // "File is empty"
    kSkinTooLarge,         // "File too large"
    kSkinShortRead,        // "Could not read file"
    kSkinZipOpenFailed,    // "Error opening zip file"
    kSkinMemberNotFound,   // "Could not find ziped file"
    kSkinUnzipFailed,      // "Could not unzip file"
};

class CUIResourceSettings {
public:
    static void SetInstance(HINSTANCE instance) { s_instance = instance; }
    static HINSTANCE GetInstance() { return s_instance; }

    static void SetResourcePath(const wchar_t* path) { s_resourcePath = path; }
    static const wchar_t* GetResourcePath() { return s_resourcePath; }

    // Selects an archive file (resource path + name); empty selects file-system
    // mode. With `cached` it is opened once and kept open.
    static void SetResourceZip(const wchar_t* name, bool cached, const wchar_t* password);
    // Selects an archive in memory ("membuffer"); ignored while one is open. When
    // it fails to open, reads fail with kSkinZipOpenFailed (never from a file).
    static void SetResourceArchive(const void* data, unsigned int size, const wchar_t* password);
    static const wchar_t* GetResourceZip() { return s_archiveName; }
    static bool IsCachedResourceZip() { return s_cached; }
    // The open cached archive, or null.
    static CZipArchive* GetCachedArchive() { return s_cachedArchive; }
    // Closes and forgets the cached archive.
    static void CloseCachedArchive();
    // Back to the defaults (file-system mode, no path, no archive); for tests
    // and shutdown. The module instance is kept.
    static void Reset();

    // Reads a skin file by name with the size checks (empty, above 4 MiB).
    static ESkinFileRead ReadSkinFile(const wchar_t* name, CUIBuffer& out);
    // Reads an image or font file: file system or archive as selected, then the
    // name itself as a path. False when no bytes were found.
    static bool ReadResourceFile(const wchar_t* name, CUIBuffer& out);
    // Message text of a skin-file failure (empty for success).
    static const wchar_t* SkinReadMessage(ESkinFileRead result);

private:
    // Reads `name` whole from the selected source (file system or archive);
    // data above `maxSize` is refused unread.
    static ESkinFileRead ReadFromSource(const wchar_t* name, CUIBuffer& out, size_t maxSize);

    static HINSTANCE s_instance;
    static CUIString s_resourcePath;
    static CUIString s_archiveName;
    static CUIString s_password;
    static bool s_cached;
    static CZipArchive* s_cachedArchive;
};

}  // namespace SkinUI
