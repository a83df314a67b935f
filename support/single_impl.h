// The singleton scheme of the support services: an atomic instance pointer and one mutex per
// class, double-checked creation on first use, and no destruction.
#pragma once

#include <atomic>
#include <mutex>

template <typename T>
class CSingleImpl {
public:
    static T* GetInstance()
    {
        T* instance = s_instance.load(std::memory_order_acquire);
        if (instance == nullptr) {
            std::lock_guard<std::mutex> lock(s_mutex); // a failed lock throws std::system_error
            instance = s_instance.load(std::memory_order_relaxed);
            if (instance == nullptr) {
                instance = new T();
                s_instance.store(instance, std::memory_order_release);
            }
        }
        return instance;
    }

protected:
    CSingleImpl() = default;
    ~CSingleImpl() = default;

private:
    static inline std::atomic<T*> s_instance{nullptr};
    static inline std::mutex s_mutex;
};
