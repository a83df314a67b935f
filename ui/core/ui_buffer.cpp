#include "ui/core/ui_buffer.h"

#include <cstdlib>
#include <cstring>

namespace SkinUI {

CUIBuffer::~CUIBuffer() { Free(); }

CUIBuffer::CUIBuffer(CUIBuffer&& other) noexcept : m_data(other.m_data), m_size(other.m_size) {
    other.m_data = nullptr;
    other.m_size = 0;
}

CUIBuffer& CUIBuffer::operator=(CUIBuffer&& other) noexcept {
    if (this != &other) {
        Free();
        m_data = other.m_data;
        m_size = other.m_size;
        other.m_data = nullptr;
        other.m_size = 0;
    }
    return *this;
}

bool CUIBuffer::Allocate(size_t size, size_t extra) {
    Free();
    if (size > static_cast<size_t>(-1) - extra - 1) return false;
    m_data = static_cast<unsigned char*>(malloc(size + extra + 1));
    if (!m_data) return false;
    memset(m_data + size, 0, extra + 1);
    m_size = size;
    return true;
}

void CUIBuffer::Free() {
    free(m_data);
    m_data = nullptr;
    m_size = 0;
}

}  // namespace SkinUI
