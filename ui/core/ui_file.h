// Whole-file reading for the framework's resource readers.
#pragma once

#include <cstddef>

#include "ui/core/ui_buffer.h"

namespace SkinUI {

enum EUIFileRead {
    kFileReadOk = 0,
    kFileOpenFailed,   // cannot be opened for reading
    kFileEmpty,        // size 0
    kFileTooLarge,     // larger than the given limit
    kFileShortRead,    // fewer bytes read than its size
    kFileNoMemory,
};

// Opens `path` for shared reading and reads it whole into `out` (with two
// zeroed bytes after the data). Files larger than `maxSize` are not read.
EUIFileRead ReadWholeFile(const wchar_t* path, CUIBuffer& out, size_t maxSize);

}  // namespace SkinUI
