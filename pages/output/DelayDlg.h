#pragma once
// The delay side panel of the output page (dialog 103): three buttons
// choose the unit in which the output strips show their delay (ms, cm,
// inch); three more, hidden and disabled, start the output-map reset, the
// output-map lock and the L/R link of the page. The page keeps the check
// state of the lock and link buttons in step with the map lock and the link.
//
// A unit button posts WM_DROPLIST_SELECTED (the panel's id, 1 ms, 2 cm,
// 3 inch) to the parent, the output page.
#include <QImage>
#include <QWidget>

#include "controls/BitButton.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class COutputDlg;

class CDelayDlg : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 103,
        IDC_MS = 2819,
        IDC_CM = 2820,
        IDC_INCH = 2821,
        IDC_LOCK = 2823,
        IDC_LINK = 2824,
        IDC_REMAP = 2851,
        IDB_BACK_CN = 873,
        IDB_BACK_EN = 1005,
    };
    enum : int { UNIT_MS = 1, UNIT_CM = 2, UNIT_INCH = 3 };

    explicit CDelayDlg(QWidget* parent = nullptr);

    // Makes the panel a child of parent, laid out as dialog 103, and runs
    // its initialisation.
    bool Create(QWidget* parent);
    bool OnInitDialog();

    // Store the flag and give the unit's button its selected or
    // not-selected pictures of the language.
    void SetMsUnitState(bool on);
    void SetCmUnitState(bool on);
    void SetInchUnitState(bool on);
    // The three unit states, then the pictures of the hidden buttons, in
    // the language now set.
    void RefreshLanguage(bool ms, bool cm, bool inch);

    void OnMsButton();
    void OnCmButton();
    void OnInchButton();
    void OnRemapButton();
    void OnLockButton();
    void OnLinkButton();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    COutputDlg* m_pPage = nullptr;
    CBitButton m_btnRemap;
    CBitButton m_btnLink;
    CBitButton m_btnLock;
    CBitButton m_btnMs;
    CBitButton m_btnCm;
    CBitButton m_btnInch;
    int m_bMsUnit = 0;
    int m_bCmUnit = 0;
    int m_bInchUnit = 0;
    QImage m_bmpBackCn;
    QImage m_bmpBackEn;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Escape and Return give the panel the focus and go no further.
    bool PreTranslateMessage(QEvent* event);
    void SetUnitState(CBitButton& button, int& flag, bool on, int unit);
    void ApplyLanguageBitmaps();
    void PostUnit(int unit);
};
