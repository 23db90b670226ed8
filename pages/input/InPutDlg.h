#pragma once
// The input page (dialog 382): the EQ of the music input of the present
// input kind (response graph and fifteen band columns: frequency, Q, gain
// field, gain fader, bypass), the all-bypass, reset and PEQ/GEQ buttons, the
// six input-kind buttons, the AUX-mode and Hi.Level buttons, the mixer-source
// button with its menu and the input-mode bar.
//
// The main view holds one as a member and never creates its window. An
// owner that does calls AttachData, sets m_pView, calls Create, then
// ApplyLanguage, ResetModeLayout and RefreshModeButtons. While its window
// exists the page is the level-and-delay page's g_pInPutDlg.
//
// The page writes the music channel's bands; the change scan sends them.
// System settings go out as system items queued through the view; the
// all-bypass sends the channel block through the view.
//
// Kinds 4 and 5 have no music channel: the EQ controls are disabled and the
// graph draws nothing while one of them is in force.
#include <array>

#include <QImage>
#include <QWidget>

#include "controls/BitButton.h"
#include "controls/FontStatic.h"
#include "controls/XPButton.h"
#include "graphs/BitmapSlider.h"
#include "graphs/FStatic.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "pages/InputKindPeer.h"
#include "pages/input/InMode_Dlg.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CFilter;
class CKTV_Data;
class CMusic_InData;
class IMainView;
class QMenu;

class CInPutDlg : public QWidget, public CMsgTarget, public IInputKindPeer {
    Q_OBJECT
public:
    enum : int {
        IDD = 382,
        IDB_BACK_EN = 383,
        IDB_BACK_CN = 389,
        IDR_SOURCE_MENU = 173,
        ID_SOURCE_FIRST = 174,
        ID_SOURCE_LAST = 180,
        IDC_HI_LEVEL_1WAY = 3980,
        IDC_HI_LEVEL_2WAY = 3981,
        IDC_GAIN_LABEL = 3881,
        IDC_AUX_MODE0 = 3956,
        IDC_EQ_MODE = 3940,
        IDC_RESET_EQ = 3951,
        IDC_ALL_BYPASS = 3950,
        IDC_KIND0 = 3960,
        IDC_SOURCE = 3967,
        IDC_KIND_IMAGE = 3953,
        IDC_GRAPH = 3952,
        IDC_LABEL0 = 3500,
        IDC_FREQ_EDIT0 = 3550,
        IDC_BW_EDIT0 = 3600,
        IDC_GAIN_EDIT0 = 3650,
        IDC_FREQ_SPIN0 = 3700,
        IDC_BW_SPIN0 = 3750,
        IDC_GAIN_SPIN0 = 3800,
        IDC_FADER0 = 3850,
        IDC_BYPASS0 = 3900,
    };
    enum : int {
        BANDS = 31,
        VISIBLE_BANDS = 15,
        KINDS = 6,
        AUX_MODES = 3,
        PAGE_WIDTH = 1280,
        PAGE_HEIGHT = 665,
        BAR_X = 221,
        BAR_Y = 462,
        // Gain indexes of the band controls: -12.0 to +12.0 dB.
        GAIN_MIN = 80,
        GAIN_MAX = 320,
        GAIN_FLAT = 200,
    };
    // The lock byte (system byte 12) and the system items the page queues.
    enum : int { LOCK_BYTE = 12, ITEM_INPUTS = 2, ITEM_MASTER = 5 };

    explicit CInPutDlg(QWidget* parent = nullptr);
    ~CInPutDlg() override;

    // Keeps the set and makes the graph this page's: owner, bound to the
    // music channels, music channel 0, draw mode 3. Before Create.
    void AttachData(CKTV_Data* data);
    // Makes the page a child of parent at its template size and runs its
    // initialisation and set-up.
    bool Create(QWidget* parent);

    // ---- Set-up, refresh, language (InPutDlg.cpp) ---------------------------
    void SetupControls();
    // Packs the kind buttons by g_byInputButtonMask and shows or hides the
    // optional ones on the page and the bar.
    void ArrangeModeButtons();
    // The channel of g_nInputMode in every band control, fader and look.
    void RefreshChannel();
    void ApplyLanguage();
    // Unless a field has the focus, band 0's first field takes it.
    void FocusFirstBandField();
    // Band label b red, the one before it black, the graph with b selected.
    void SelectBandLabel(int band);

    // ---- EQ bands and buttons (InPutDlgBands.cpp) ----------------------------
    void OnFrequencyCommit(int band);
    void OnBandwidthCommit(int band);
    void OnGainCommit(int band);
    void OnBandBypass(int band);
    void OnGainFaderChanged(int band);
    void OnGraphBandChanged(int band);
    void OnGraphFocusBand(int band);
    void OnAllBypass();
    void OnResetEq();
    void OnEqModeButton();
    void ApplyEqModeLayout(int geq);
    void SetBandBypassLook(bool bypassed, int band);
    void RefreshAllBypassButton();
    void HighlightBandLabel(int band, bool on);
    // row 0 frequency, 1 bandwidth, 2 gain.
    void SetActiveEdit(int band, int row, bool on);

    // ---- Kinds and sources (InPutDlgKinds.cpp) --------------------------------
    void OnKindButton(int kind);
    void OnInputKindSelect(int kind);
    void SelectAuxMode(int table);
    void OnHiLevel1Way();
    void OnHiLevel2Way();
    void OnSourceButton();
    void SelectMixerSource(int source);
    void AdoptInputKind(int kind);
    void OnInputKindSync(WPARAM lock, LPARAM kind);
    void SetKindAndTable(int table, int kind);
    void ResetModeLayout();
    void RefreshModeButtons();
    void RefreshSourceButton();
    void SyncAndClearLock();
    void ApplyLockState();
    void DrainViewMessages();

    // IInputKindPeer.
    void UpdateSourceButton(int kind, int table) override;
    CMsgTarget* KindMessageTarget() override { return this; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- What tests and the review read ---------------------------------------
    CFStatic& Graph() { return m_graph; }
    CInMode_Dlg& ModeBar() { return m_modeBar; }
    const QImage& Background(bool chinese) const { return chinese ? m_bmpBackCn : m_bmpBackEn; }
    const CRect& KindSlot(int k) const { return m_rcKind[size_t(k)]; }
    CFontStatic* HighlightedLabel() const { return m_pHighlightLabel; }
    CNumEdit* ActiveEdit() const { return m_pActiveEdit; }
    QMenu* SourceMenu() const { return m_menuSource; }

    // The view the page queues through; its owner sets it.
    IMainView* m_pView = nullptr;

    // ---- Controls, in the template's binding order ------------------------------
    CBitButton m_btnHiLevel1Way;
    CBitButton m_btnHiLevel2Way;
    CBitButton m_btnGainLabel;
    std::array<CBitButton, AUX_MODES> m_btnAuxMode;
    CBitButton m_btnEqMode;
    CBitButton m_btnResetEq;
    CBitButton m_btnAllBypass;
    std::array<CBitButton, KINDS> m_btnKind;
    CBitButton m_btnSource;
    CBitButton m_btnKindImage;
    CFStatic m_graph;
    std::array<CFontStatic, BANDS> m_stcLabel;
    std::array<CXPButton, BANDS> m_btnBypass;
    std::array<CBitmapSlider, BANDS> m_sldGain;
    std::array<CNumEdit, BANDS> m_editGain;
    std::array<CNumSpin, BANDS> m_spinGain;
    std::array<CNumEdit, BANDS> m_editBw;
    std::array<CNumSpin, BANDS> m_spinBw;
    std::array<CNumEdit, BANDS> m_editFreq;
    std::array<CNumSpin, BANDS> m_spinFreq;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool OnInitDialog();
    void PlaceControls();
    // Enter, Tab and Escape in the page's fields; true consumes.
    bool PreTranslateMessage(QObject* watched, QEvent* event);
    void OnFocusNeighbour(WPARAM id, LPARAM key);
    void OnFocusNextInBand(WPARAM id);
    // The field with that id takes the focus; its band's label is selected
    // and the pointer leaves the graph.
    void MoveFocusTo(int id);
    void OnCommand(int id);
    void OnSliderMessage(UINT message, WPARAM id);
    // The music channel of g_nInputMode, null for the kinds without one.
    CMusic_InData* CurrentMusic() const;
    // A band of the shown channel; null without a channel or outside 0-30.
    CFilter* BandOf(int band) const;
    // Redraw with band selected, label highlighted, field row active.
    void FinishBandChange(int band, int row);
    // The kind image of g_nInputMode in the language.
    void ShowKindImage();
    void UncheckKindButton(int kind);
    void CheckKindButton(int kind);
    // Kind buttons 3964 and 3965 shown again after an AUX mode hid them.
    void ShowKindsHiddenBy(int table);
    void QueueItem(int item);
    void SetKindButtonBitmaps(bool locked);
    void SetSourceButtonBitmaps(int source);
    // The EQ controls enabled or not, as the lock byte and the channel allow.
    void EnableEq(bool enable);

    QImage m_bmpBackEn;
    QImage m_bmpBackCn;
    CKTV_Data* m_pData = nullptr;
    CMusic_InData* m_pMusic = nullptr;
    CFilter* m_pBand = nullptr;
    CFStatic* m_pGraph = nullptr;
    int m_nFrequency = 0;
    int m_nBandwidth = 0;
    int m_nGain = 0;
    bool m_bBandFlat = false;

public:
    bool m_bAllBypass = false;
    int m_nEqMode = 0;

private:
    CFontStatic* m_pHighlightLabel = nullptr;
    CNumEdit* m_pActiveEdit = nullptr;
    CInMode_Dlg m_modeBar;
    std::array<CRect, KINDS> m_rcKind;
    std::array<CRect, BANDS> m_rcColumn;
    std::array<CRect, BANDS> m_rcFader;
    std::array<CRect, BANDS> m_rcGainEdit;
    std::array<CRect, BANDS> m_rcFreqEdit;
    QMenu* m_menuSource = nullptr;
};
