#pragma once
// A dialog's data exchange: the dialog whose controls are bound, and the
// direction, loading the controls (false) or saving what they hold (true).
// Binding functions (DDX_...) attach a control object to the dialog item of
// an id the first time they run.
class QWidget;

class CDataExchange {
public:
    CDataExchange(QWidget* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    QWidget* m_pDlgWnd;
    bool m_bSaveAndValidate;
};
