// CUIPtrArray: a growable array of untyped pointers that it never owns.
#pragma once

namespace SkinUI {

class CUIPtrArray {
public:
    // `initialCapacity` 0 allocates nothing until the first append.
    explicit CUIPtrArray(int initialCapacity = 0);
    CUIPtrArray(const CUIPtrArray& src);
    CUIPtrArray& operator=(const CUIPtrArray& src);
    ~CUIPtrArray();

    // Frees the storage; count and capacity become 0.
    void Empty();
    // Grows the storage to hold at least `capacity` elements (never shrinks).
    bool Reserve(int capacity);
    bool IsEmpty() const { return m_count == 0; }
    int GetSize() const { return m_count; }
    int GetCapacity() const { return m_capacity; }
    void** GetData() const { return m_data; }

    // Appends; false (and nothing changed) when the storage cannot grow.
    bool Add(void* p);
    // Inserts before `index` (0..count); false for a bad index or no memory.
    bool InsertAt(int index, void* p);
    // Replaces the element at `index`; false for a bad index.
    bool SetAt(int index, void* p);
    // Removes the element at `index`, moving the rest down; false for a bad index.
    bool Remove(int index);
    // Index of the first element equal to `p`, or -1.
    int Find(void* p) const;
    // The element at `index`, or null outside 0..count-1.
    void* GetAt(int index) const;
    void* operator[](int index) const { return GetAt(index); }

private:
    bool Grow();

    void** m_data;
    int m_count;
    int m_capacity;
};

}  // namespace SkinUI
