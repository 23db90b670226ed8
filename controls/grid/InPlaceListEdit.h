#pragma once
// The edit field of an in-place list editor (CInPlaceList). It keeps every
// key from the dialog around the grid, passes Ctrl with an arrow or a page
// key to the list editor when pressed and Tab, Enter and Escape when
// released, and ends the list editor's edit when it loses the focus to
// anything but that editor or its list.
#include <QLineEdit>

#include "platform/core/Types.h"

class CInPlaceList;

class CInPlaceListEdit : public QLineEdit {
    Q_OBJECT
public:
    // The control id the combo box's own edit field carries.
    enum : int { IDC_COMBO_EDIT = 1001 };

    explicit CInPlaceListEdit(CInPlaceList* owner);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CInPlaceList* m_pList;
};
