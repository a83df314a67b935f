// CUIStringMap: a hash map from a wide string (compared case-sensitively) to an
// untyped pointer that the map never owns.
//
// Buckets are chained lists; a lookup may move the found element to the head of
// its bucket. Enumeration by index walks the buckets from the last to the first.
#pragma once

#include "ui/core/ui_string.h"

namespace SkinUI {

class CUIStringMap {
public:
    // The framework uses 83 buckets for its name and attribute maps.
    explicit CUIStringMap(int buckets = 83);
    ~CUIStringMap();
    CUIStringMap(const CUIStringMap&) = delete;
    CUIStringMap& operator=(const CUIStringMap&) = delete;

    // Empties the map and re-creates `buckets` empty buckets (0: no buckets).
    void Resize(int buckets = 83);
    // Removes every element, keeping the buckets.
    void RemoveAll();

    // The value stored under `key`, or null. With `moveToFront` a found element
    // becomes the head of its bucket.
    void* Find(const wchar_t* key, bool moveToFront = true) const;
    // Adds a new key; false when the map has no buckets or the key is present.
    bool Insert(const wchar_t* key, void* value);
    // Replaces the value of `key` and returns the old one, or inserts and
    // returns null. A map without buckets stores nothing and returns `value`.
    void* Set(const wchar_t* key, void* value);
    // Removes `key`; false when absent.
    bool Remove(const wchar_t* key);

    int GetSize() const { return m_count; }
    int GetBucketCount() const { return m_buckets; }
    // Key at enumeration index `index`, or null beyond the count.
    const wchar_t* GetAt(int index) const;
    const wchar_t* operator[](int index) const { return GetAt(index); }

    // Bucket hash: from the last character to the first, h = h * 33 + c.
    static unsigned int HashKey(const wchar_t* key);

private:
    struct TItem {
        CUIString key;
        void* value;
        TItem* prev;
        TItem* next;
    };

    TItem* FindItem(const wchar_t* key, unsigned int* bucket) const;
    void FreeAll();

    TItem** m_heads;
    int m_buckets;
    int m_count;
};

}  // namespace SkinUI
