#include "ui/core/ui_string_map.h"

#include <cwchar>
#include <new>

namespace SkinUI {

unsigned int CUIStringMap::HashKey(const wchar_t* key) {
    unsigned int hash = 0;
    if (!key) return hash;
    size_t len = wcslen(key);
    while (len > 0) {
        --len;
        hash = hash * 33u + static_cast<unsigned short>(key[len]);
    }
    return hash;
}

CUIStringMap::CUIStringMap(int buckets) : m_heads(nullptr), m_buckets(0), m_count(0) { Resize(buckets); }

CUIStringMap::~CUIStringMap() { FreeAll(); }

void CUIStringMap::FreeAll() {
    RemoveAll();
    delete[] m_heads;
    m_heads = nullptr;
    m_buckets = 0;
}

void CUIStringMap::RemoveAll() {
    for (int i = 0; i < m_buckets; ++i) {
        TItem* item = m_heads[i];
        while (item) {
            TItem* next = item->next;
            delete item;
            item = next;
        }
        m_heads[i] = nullptr;
    }
    m_count = 0;
}

void CUIStringMap::Resize(int buckets) {
    FreeAll();
    if (buckets <= 0) return;
    m_heads = new (std::nothrow) TItem*[buckets];
    if (!m_heads) return;
    for (int i = 0; i < buckets; ++i) m_heads[i] = nullptr;
    m_buckets = buckets;
}

CUIStringMap::TItem* CUIStringMap::FindItem(const wchar_t* key, unsigned int* bucket) const {
    if (m_buckets == 0 || !key) return nullptr;
    const unsigned int b = HashKey(key) % static_cast<unsigned int>(m_buckets);
    if (bucket) *bucket = b;
    for (TItem* item = m_heads[b]; item; item = item->next) {
        if (item->key == key) return item;
    }
    return nullptr;
}

void* CUIStringMap::Find(const wchar_t* key, bool moveToFront) const {
    unsigned int b = 0;
    TItem* item = FindItem(key, &b);
    if (!item) return nullptr;
    if (moveToFront && m_heads[b] != item) {
        // Unlink, then make it the bucket's head.
        if (item->prev) item->prev->next = item->next;
        if (item->next) item->next->prev = item->prev;
        item->prev = nullptr;
        item->next = m_heads[b];
        m_heads[b]->prev = item;
        m_heads[b] = item;
    }
    return item->value;
}

bool CUIStringMap::Insert(const wchar_t* key, void* value) {
    if (m_buckets == 0 || !key) return false;
    unsigned int b = 0;
    if (FindItem(key, &b)) return false;
    TItem* item = new (std::nothrow) TItem;
    if (!item) return false;
    item->key = key;
    item->value = value;
    item->prev = nullptr;
    item->next = m_heads[b];
    if (item->next) item->next->prev = item;
    m_heads[b] = item;
    ++m_count;
    return true;
}

void* CUIStringMap::Set(const wchar_t* key, void* value) {
    if (m_buckets == 0 || !key) return value;
    TItem* item = FindItem(key, nullptr);
    if (item) {
        void* old = item->value;
        item->value = value;
        return old;
    }
    Insert(key, value);
    return nullptr;
}

bool CUIStringMap::Remove(const wchar_t* key) {
    unsigned int b = 0;
    TItem* item = FindItem(key, &b);
    if (!item) return false;
    if (item->prev) item->prev->next = item->next;
    else m_heads[b] = item->next;
    if (item->next) item->next->prev = item->prev;
    delete item;
    --m_count;
    return true;
}

const wchar_t* CUIStringMap::GetAt(int index) const {
    if (index < 0 || index >= m_count) return nullptr;
    int pos = 0;
    for (int b = m_buckets - 1; b >= 0; --b) {
        for (TItem* item = m_heads[b]; item; item = item->next) {
            if (pos == index) return item->key.GetData();
            ++pos;
        }
    }
    return nullptr;
}

}  // namespace SkinUI
