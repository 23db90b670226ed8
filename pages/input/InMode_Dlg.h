#pragma once
// The input-mode bar (dialog 653): the device's input sockets as pictures,
// one PNG button per input kind, the AUX buttons drawn for the present AUX
// mode. A click posts WM_INPUT_KIND_SELECT (0, kind) to the owner; the bar
// itself changes no global, the owner adopts the kind.
//
// The bar is a child of the input page: its background image (PNG 654) is
// drawn anti-aliased over the page pixels the page hands it at each of its
// paints (CaptureBackground), so the bar's rounded edges blend into the page.
#include <array>

#include <QImage>
#include <QWidget>

#include "controls/BtnPng.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CInMode_Dlg : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 653,
        IDB_BACKGROUND = 654,
        IDC_HI_LEVEL = 2704,
        IDC_SPDIF = 2705,
        IDC_AUX1_PAIR = 2706,
        IDC_AUX2_PAIR = 2707,
        IDC_AUX3_PAIR = 2708,
        IDC_AUX1_FOUR = 2710,
        IDC_AUX2_OF_FOUR = 2711,
        IDC_AUX3_OF_FOUR = 2712,
        IDC_AUX1_SIX = 2713,
        IDC_AUX2_OF_SIX = 2714,
        IDC_PHONE = 2715,
    };
    enum : int { BUTTONS = 11 };

    explicit CInMode_Dlg(QWidget* parent = nullptr);
    ~CInMode_Dlg() override;

    // Makes the bar a child of parent and runs its initialisation.
    bool Create(QWidget* parent);

    // The page pixels under the bar, taken from the owner's freshly painted
    // client image (owner client coordinates).
    void CaptureBackground(const QImage& ownerClient);
    const QImage& CapturedBackground() const { return m_captured; }

    void ShowPhoneButton(int nCmdShow);
    void ShowSpdifButton(int nCmdShow);
    // The AUX buttons of g_nSourceTable shown, the others hidden.
    void ShowAuxButtons();
    void UncheckAll();
    // UncheckAll, then the button of g_nInputMode checked.
    void CheckCurrentKind();
    void UncheckCurrentKind();
    // Repaints the buttons after a language change.
    void RedrawButtons();

    // The button with that id, null for another id.
    CBtnPng* Button(UINT id);
    // The kind a button posts, -1 for another id.
    static int KindOfButton(UINT id);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The window that receives WM_INPUT_KIND_SELECT; the owner sets it
    // right after creating the bar.
    CMsgTarget* m_pOwner = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool OnInitDialog();
    void SetButtonImages();
    bool PreTranslateMessage(QEvent* event);
    void OnKindButton(UINT id);
    // The button that stands for kind under AUX mode table when checking
    // (checking) or unchecking; null for none.
    CBtnPng* ButtonOfKind(int kind, int table, bool checking);
    void SetButtonCheck(UINT id, bool check);

    std::array<CBtnPng, BUTTONS> m_btn;
    QImage m_background;
    int m_nImageHeight = 0;
    int m_nImageWidth = 0;
    QImage m_captured;
};
