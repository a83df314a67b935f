#include "ui/core/ui_file.h"

#include <windows.h>

#include "ui/core/ui_handles.h"

namespace SkinUI {

EUIFileRead ReadWholeFile(const wchar_t* path, CUIBuffer& out, size_t maxSize) {
    out.Free();
    if (!path || !*path) return kFileOpenFailed;
    CUIScopedHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return kFileOpenFailed;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return kFileOpenFailed;
    if (size.QuadPart == 0) return kFileEmpty;
    if (static_cast<unsigned long long>(size.QuadPart) > maxSize) return kFileTooLarge;
    const size_t total = static_cast<size_t>(size.QuadPart);
    CUIBuffer data;
    if (!data.Allocate(total, 2)) return kFileNoMemory;
    size_t done = 0;
    while (done < total) {
        DWORD chunk = total - done > 0x40000000 ? 0x40000000 : static_cast<DWORD>(total - done);
        DWORD got = 0;
        if (!ReadFile(file.Get(), data.Data() + done, chunk, &got, nullptr) || got == 0) break;
        done += got;
    }
    if (done != total) return kFileShortRead;
    out = static_cast<CUIBuffer&&>(data);
    return kFileReadOk;
}

}  // namespace SkinUI
