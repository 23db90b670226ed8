#pragma once
// A pointer to an interface that a partner window implements (a fader's
// focus look, a spin's step). When the object behind it is a QObject, the
// pointer reads null once that object is destroyed, so a partner that goes
// first leaves no dangling pointer; other objects are the owner's to keep
// alive.
#include <QObject>
#include <QPointer>

template <class T>
class CInterfacePtr {
public:
    CInterfacePtr() = default;
    CInterfacePtr(T* target) { *this = target; }  // NOLINT: set like a pointer
    CInterfacePtr& operator=(T* target)
    {
        m_pTarget = target;
        m_pGuard = dynamic_cast<QObject*>(target);
        m_bGuarded = m_pGuard != nullptr;
        return *this;
    }
    T* get() const { return m_bGuarded && !m_pGuard ? nullptr : m_pTarget; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    T* m_pTarget = nullptr;
    QPointer<QObject> m_pGuard;
    bool m_bGuarded = false;
};
