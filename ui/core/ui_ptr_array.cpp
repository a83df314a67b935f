#include "ui/core/ui_ptr_array.h"

#include <cstdlib>
#include <cstring>

namespace SkinUI {

CUIPtrArray::CUIPtrArray(int initialCapacity) : m_data(nullptr), m_count(0), m_capacity(0) {
    if (initialCapacity > 0) {
        m_data = static_cast<void**>(malloc(initialCapacity * sizeof(void*)));
        if (m_data) m_capacity = initialCapacity;
    }
}

CUIPtrArray::CUIPtrArray(const CUIPtrArray& src) : m_data(nullptr), m_count(0), m_capacity(0) {
    for (int i = 0; i < src.GetSize(); ++i) Add(src.GetAt(i));
}

CUIPtrArray& CUIPtrArray::operator=(const CUIPtrArray& src) {
    if (this != &src) {
        Empty();
        for (int i = 0; i < src.GetSize(); ++i) Add(src.GetAt(i));
    }
    return *this;
}

CUIPtrArray::~CUIPtrArray() { free(m_data); }

void CUIPtrArray::Empty() {
    free(m_data);
    m_data = nullptr;
    m_count = 0;
    m_capacity = 0;
}

bool CUIPtrArray::Reserve(int capacity) {
    if (capacity <= m_capacity) return true;
    void** p = static_cast<void**>(realloc(m_data, static_cast<size_t>(capacity) * sizeof(void*)));
    if (!p) return false;
    m_data = p;
    m_capacity = capacity;
    return true;
}

// Called after the count was raised: doubles the capacity (0 becomes 11)
// once the count reaches it.
bool CUIPtrArray::Grow() {
    if (m_count < m_capacity) return true;
    if (m_capacity > 0x3FFFFFFF) return false;
    const int capacity = m_capacity > 0 ? m_capacity * 2 : 11;
    return Reserve(capacity);
}

bool CUIPtrArray::Add(void* p) {
    ++m_count;
    if (!Grow()) {
        --m_count;
        return false;
    }
    m_data[m_count - 1] = p;
    return true;
}

bool CUIPtrArray::InsertAt(int index, void* p) {
    if (index == m_count) return Add(p);
    if (index < 0 || index > m_count) return false;
    ++m_count;
    if (!Grow()) {
        --m_count;
        return false;
    }
    memmove(&m_data[index + 1], &m_data[index], (m_count - index - 1) * sizeof(void*));
    m_data[index] = p;
    return true;
}

bool CUIPtrArray::SetAt(int index, void* p) {
    if (index < 0 || index >= m_count) return false;
    m_data[index] = p;
    return true;
}

bool CUIPtrArray::Remove(int index) {
    if (index < 0 || index >= m_count) return false;
    if (index < m_count - 1) memmove(&m_data[index], &m_data[index + 1], (m_count - index - 1) * sizeof(void*));
    --m_count;
    return true;
}

int CUIPtrArray::Find(void* p) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_data[i] == p) return i;
    }
    return -1;
}

void* CUIPtrArray::GetAt(int index) const {
    if (index < 0 || index >= m_count) return nullptr;
    return m_data[index];
}

}  // namespace SkinUI
