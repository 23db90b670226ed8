#pragma once
// The numeric field of the pages. This form holds only the active look:
// while the field is being edited, or while its fader holds the focus, it
// shows black text on an opaque RGB(137,172,209); otherwise it fills no
// background, so the page's skin shows behind its white text.
#include <QLineEdit>

class CNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumEdit(QWidget* parent = nullptr);

    // When it differs from the present look: stores it and repaints (the
    // page under the field included).
    void SetActiveLook(bool active);
    bool IsActiveLook() const { return m_bActiveLook; }

private:
    void ApplyColours();

    bool m_bActiveLook = false;
};
