// Callbacks that controls keep in their listener lists.
//
// A CDelegateBase wraps one callback taking an untyped argument (the control,
// a TUIEvent* or a TUINotify*, depending on the list) and returning false to
// stop the list. Delegates compare equal when they wrap the same target, so a
// listener can be removed with an equal delegate.
#pragma once

#include "ui/core/ui_ptr_array.h"

namespace SkinUI {

class CDelegateBase {
public:
    virtual ~CDelegateBase() = default;
    // A heap copy that the listener list owns.
    virtual CDelegateBase* Copy() const = 0;
    // True when `other` wraps the same callback and target.
    virtual bool Equals(const CDelegateBase& other) const = 0;
    bool operator()(void* param) { return Invoke(param); }

protected:
    virtual bool Invoke(void* param) = 0;
};

// A free function `bool fn(void*)`.
class CStaticDelegate : public CDelegateBase {
public:
    typedef bool (*Fn)(void*);
    explicit CStaticDelegate(Fn fn) : m_fn(fn) {}
    CDelegateBase* Copy() const override { return new CStaticDelegate(m_fn); }
    bool Equals(const CDelegateBase& other) const override {
        const CStaticDelegate* p = dynamic_cast<const CStaticDelegate*>(&other);
        return p != nullptr && p->m_fn == m_fn;
    }

protected:
    bool Invoke(void* param) override { return m_fn != nullptr ? m_fn(param) : true; }

private:
    Fn m_fn;
};

// A member function `bool T::fn(void*)` of one object.
template <class T>
class CMemberDelegate : public CDelegateBase {
public:
    typedef bool (T::*Fn)(void*);
    CMemberDelegate(T* object, Fn fn) : m_object(object), m_fn(fn) {}
    CDelegateBase* Copy() const override { return new CMemberDelegate(m_object, m_fn); }
    bool Equals(const CDelegateBase& other) const override {
        const CMemberDelegate* p = dynamic_cast<const CMemberDelegate*>(&other);
        return p != nullptr && p->m_object == m_object && p->m_fn == m_fn;
    }

protected:
    bool Invoke(void* param) override {
        return (m_object != nullptr && m_fn != nullptr) ? (m_object->*m_fn)(param) : true;
    }

private:
    T* m_object;
    Fn m_fn;
};

inline CStaticDelegate MakeDelegate(bool (*fn)(void*)) { return CStaticDelegate(fn); }
template <class T>
CMemberDelegate<T> MakeDelegate(T* object, bool (T::*fn)(void*)) {
    return CMemberDelegate<T>(object, fn);
}

// An ordered list of delegates. The list owns the copies it stores (not the
// objects they call). Calling the list calls each entry in order and stops at,
// and returns, the first false; an empty list returns true.
class CListenerList {
public:
    CListenerList() = default;
    ~CListenerList();
    CListenerList(const CListenerList&) = delete;
    CListenerList& operator=(const CListenerList&) = delete;

    void operator+=(const CDelegateBase& d);
    void operator+=(bool (*fn)(void*)) { *this += CStaticDelegate(fn); }
    // Removes (and frees) the first entry equal to `d`.
    void operator-=(const CDelegateBase& d);
    void operator-=(bool (*fn)(void*)) { *this -= CStaticDelegate(fn); }
    bool operator()(void* param);

    int GetCount() const { return m_delegates.GetSize(); }
    bool IsEmpty() const { return m_delegates.IsEmpty(); }

private:
    CUIPtrArray m_delegates;
};

}  // namespace SkinUI
