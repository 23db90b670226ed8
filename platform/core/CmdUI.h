#pragma once
// The record a command's update handler fills: which command is asked
// about, and whether it may run now (a menu item or button shows it
// enabled or greyed).
#include "platform/core/Types.h"

class CCmdUI {
public:
    explicit CCmdUI(UINT nID = 0) : m_nID(nID) {}

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    bool IsEnabled() const { return m_bEnabled; }

    UINT m_nID;

private:
    bool m_bEnabled = true;
};
