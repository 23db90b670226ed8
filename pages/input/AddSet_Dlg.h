#pragma once
// The stand-alone user panel (874): a tall skinned window with a connect
// button, a language switch, a page of preset buttons recalling machine
// presets 1 to 6, and the advanced entry behind the password prompt. It
// works through the main view (g_pView): connecting, recalling and the
// language are the view's; the panel keeps only the lit preset button and
// which of its two pages shows (0 the main page, the first shown).
//
// Buttons 2828 to 2831 (presets 7 to 10) exist but have no skins and never
// show; the device holds six presets, so the panel ignores them.
// WM_PRESET_RECEIVED and WM_LINK_FAILED act when posted to the panel;
// nothing forwards them to it. UI thread only.
#include <QDialog>
#include <QImage>

#include "controls/BitButton.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CAddSet_Dlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 874,
        IDC_PRESET_1 = 2822,
        IDC_PRESET_10 = 2831,
        IDC_ADVANCED = 2832,
        IDC_PRESETS_PAGE = 2833,
        IDC_BACK = 2834,
        IDC_LANGUAGE = 2835,
        IDC_CONNECT = 2819,
        IDC_MINIMIZE = 2820,
        IDC_CLOSE = 2821,
        IDB_PRESETS_CN = 875,
        IDB_PRESETS_EN = 876,
        IDB_MAIN = 877,
        PRESET_BUTTONS = 10,
        // Machine presets the device holds (and the panel recalls).
        PRESETS_SHOWN = 6,
    };

    explicit CAddSet_Dlg(QWidget* parent = nullptr);

    // Lays out the template's controls and runs the set-up; the creator
    // then runs or shows the panel.
    bool Create();

    // Preset button of preset n (1 to 10).
    CBitButton& PresetButton(int n);
    void OnPresetButton(int n);
    void OnConnectButton();
    void OnAdvancedButton();
    void OnLanguageButton();
    void OnCloseButton();
    void ShowPage(int page);
    int Page() const { return m_nPage; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Members in the template's order: presets 9, 8, 7, 6, 5, 4, 3, then 1,
    // 2 and 10.
    CBitButton m_btnPreset9, m_btnPreset8, m_btnPreset7, m_btnPreset6, m_btnPreset5, m_btnPreset4, m_btnPreset3;
    CBitButton m_btnPreset1, m_btnPreset2;
    CBitButton m_btnPreset10;
    CBitButton m_btnPresetsPage;
    CBitButton m_btnBack;
    CBitButton m_btnAdvanced;
    CBitButton m_btnMinimize;
    CBitButton m_btnLanguage;
    CBitButton m_btnConnect;
    CBitButton m_btnClose;
    QImage m_bmpPresetsCn;
    QImage m_bmpPresetsEn;
    QImage m_bmpMain;
    // 1 once the password was accepted; the creator reads it after IDOK.
    int m_bAdvancedRequested = 0;
    // Index 0 to 9 of the lit preset button (2822 + index).
    int m_nCurPreset = 0;
    int m_nPage = 0;

protected:
    bool OnInitDialog();
    // Every key stays away from the dialog's own handling; Enter and Escape
    // put the focus on the panel.
    bool PreTranslateMessage(QKeyEvent* event);
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void reject() override;

private:
    // The skins of the language-dependent buttons (all but presets 5, 6).
    void ApplyLanguageSkins();
    void OnPresetReceived(WPARAM n);
    void OnLinkFailed();
    void UncheckLitPreset();
};
