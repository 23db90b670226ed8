#pragma once
// The grid's drop target, in its least form: it knows no grid and is never
// registered, so nothing can be dropped on a grid yet. Dropping text on
// cells grows here.
class CGridCtrl;

class CGridDropTarget {
public:
    CGridDropTarget() = default;
    CGridDropTarget(const CGridDropTarget&) = delete;
    CGridDropTarget& operator=(const CGridDropTarget&) = delete;

    CGridCtrl* m_pGridCtrl = nullptr;
    bool m_bRegistered = false;
};
