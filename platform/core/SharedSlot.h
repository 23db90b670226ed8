#pragma once
// A slot holding a shared object that one thread publishes and others use:
// whoever takes it gets its own reference, so the object stays alive for as
// long as that user needs it, even when the slot is emptied meanwhile. Any
// thread may set, clear or take.
#include <memory>
#include <mutex>

template <class T>
class CSharedSlot {
public:
    CSharedSlot() = default;
    CSharedSlot(const CSharedSlot&) = delete;
    CSharedSlot& operator=(const CSharedSlot&) = delete;

    void Set(std::shared_ptr<T> object)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pObject.swap(object);
        // The old object, if this was its last reference, goes outside the lock.
    }
    void Clear() { Set(nullptr); }
    // The object, or null when none is published.
    std::shared_ptr<T> Get() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_pObject;
    }

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<T> m_pObject;
};
