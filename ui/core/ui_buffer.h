// CUIBuffer: an owned block of bytes (malloc'd), movable, not copyable.
#pragma once

#include <cstddef>

namespace SkinUI {

class CUIBuffer {
public:
    CUIBuffer() = default;
    ~CUIBuffer();
    CUIBuffer(CUIBuffer&& other) noexcept;
    CUIBuffer& operator=(CUIBuffer&& other) noexcept;
    CUIBuffer(const CUIBuffer&) = delete;
    CUIBuffer& operator=(const CUIBuffer&) = delete;

    // Replaces the contents by `size` uninitialised bytes (plus `extra` zeroed
    // bytes past the end, not counted in Size()); false when out of memory.
    bool Allocate(size_t size, size_t extra = 0);
    void Free();
    unsigned char* Data() { return m_data; }
    const unsigned char* Data() const { return m_data; }
    size_t Size() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }

private:
    unsigned char* m_data = nullptr;
    size_t m_size = 0;
};

}  // namespace SkinUI
