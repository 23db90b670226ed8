#pragma once
// The output page: the child dialog (dialog 136) on which the current
// output (g_nCurOutput) is edited: 31 EQ bands (frequency, Q and gain
// fields with their spins, a gain fader and a flat toggle each), the
// all-bypass and EQ-mode toggles, the high-pass and low-pass crossovers
// (family, slope, frequency), the response graph with its curve-visibility
// strip, 24 speaker-position buttons and the hidden level, delay, polarity
// and output-map controls.
//
// The page writes only the channel objects; the change scan sends what
// changed. It keeps twelve strip records (COutRouteDlg objects never
// created as windows) whose link masks, selection and on flags are plain
// per-output data.
#include <functional>

#include <QImage>
#include <QLabel>
#include <QWidget>

#include "controls/BitButton.h"
#include "controls/BtnPng.h"
#include "controls/ButtonRadio.h"
#include "controls/ComBoxBtn.h"
#include "controls/FontStatic.h"
#include "controls/XPButton.h"
#include "graphs/BitmapSlider.h"
#include "graphs/Changnal_Line.h"
#include "graphs/CurveStripOwner.h"
#include "graphs/FStatic.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/DataDefine.h"
#include "model/KTV_OutData.h"
#include "pages/output/DelayDlg.h"
#include "pages/LinkMaskStore.h"
#include "pages/MasterVolumeSource.h"
#include "pages/output/OutRoute_Dlg.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CKTV_Data;
class CFilter;
class IMainView;

class COutputDlg : public QWidget, public CMsgTarget, public ICurveStripOwner, public ILinkMaskStore {
    Q_OBJECT
public:
    enum : int { BAND_COUNT = OUTPUT_PEQ_BANDS, SPEAKER_BUTTON_COUNT = 24, RADIO_COUNT = 15 };
    enum : UINT {
        IDD = 136,
        IDC_GRAPH = 4000,
        IDC_MARK = 5083,
        IDC_PICTURE_A = 5084,
        IDC_PICTURE_B = 5085,
        IDC_LANGUAGE_MARK = 5311,
        IDC_MAP_4702 = 4702,
        IDC_LR_LINK = 4701,
        IDC_MAP_LOCK = 4700,
        IDC_MAP_READ = 4703,
        IDC_MAP_SAVE = 4704,
        IDC_SPEAKER_FIRST = 4600,
        IDC_SPEAKER_LAST = 4623,
        IDC_UI_MODE2 = 5689,
        IDC_INPUT_MODE_MARK = 5688,
        IDC_POLARITY = 4001,
        IDC_LEVEL_EDIT = 4002,
        IDC_LEVEL_SPIN = 4003,
        IDC_LEVEL_SLIDER = 4004,
        IDC_DELAY_MS_EDIT = 4010,
        IDC_DELAY_CM_EDIT = 4011,
        IDC_DELAY_INCH_EDIT = 4012,
        IDC_DELAY_MS_SPIN = 4013,
        IDC_DELAY_CM_SPIN = 4014,
        IDC_DELAY_INCH_SPIN = 4015,
        IDC_DELAY_MS_STEP = 4016,
        IDC_RESET_EQ = 5687,
        IDC_EQ_MODE = 5686,
        IDC_ALL_BYPASS = 1976,
        IDC_HPF_FAMILY = 1010,
        IDC_LPF_FAMILY = 1011,
        IDC_HPF_SLOPE = 1012,
        IDC_LPF_SLOPE = 1013,
        IDC_HPF_FAMILY_LIST = 1014,
        IDC_HPF_SLOPE_LIST = 1015,
        IDC_LPF_FAMILY_LIST = 1016,
        IDC_LPF_SLOPE_LIST = 1017,
        IDC_HPF_FREQ_EDIT = 1004,
        IDC_LPF_FREQ_EDIT = 1005,
        IDC_HPF_FREQ_SPIN = 1351,
        IDC_LPF_FREQ_SPIN = 1352,
        // Band b: frequency edit and spin, Q edit and spin, gain edit and
        // spin, fader, label, flat toggle.
        IDC_BAND_FREQ_EDIT = 5200,
        IDC_BAND_FREQ_SPIN = 5240,
        IDC_BAND_Q_EDIT = 4500,
        IDC_BAND_Q_SPIN = 4540,
        IDC_BAND_GAIN_EDIT = 5000,
        IDC_BAND_GAIN_SPIN = 5040,
        IDC_BAND_FADER = 5100,
        IDC_BAND_LABEL = 5280,
        IDC_BAND_BYPASS = 5320,
        // Page backgrounds, 1280 x 665.
        IDB_BACK_CN = 287,
        IDB_BACK_EN = 286,
    };
    // Label colours.
    static const QColor kLabelGrey;
    static const QColor kLabelRed;

    // The page object with its members; the window joins its parent with
    // Create.
    explicit COutputDlg(QWidget* parent = nullptr);
    ~COutputDlg() override;

    // Makes the page a child of parent, laid out as dialog 136, and runs its
    // initialisation and set-up.
    bool Create(QWidget* parent);
    // Every control's skins, fonts, value types, ranges and lists.
    void SetupControls();
    // Keeps the set and sets the graph up: owner, binding to the outputs,
    // output 0, draw mode 4, in that order.
    void AttachData(CKTV_Data* data);
    // Shows the current output in every band, filter and polarity control
    // and in the graph.
    void RefreshChannel() override;
    // The band part of RefreshChannel.
    void RefreshBands();
    // RefreshChannel, then the speaker buttons and the link and lock toggles.
    void RefreshPage();
    // Lists, menu, skins and unit texts of g_bChinese; selections are kept.
    void OnLanguageChanged();
    // Makes output the current one on the page alone (the strips and mix
    // columns are not told).
    void SwitchCurrentOutput(int output);
    // SW_SHOW shows the page, SW_HIDE hides it.
    virtual void Show(int nCmdShow);
    // Tab in the view: unless a field has the focus, the first band field
    // takes it.
    void FocusFirstBandField();
    // g_bOutputMapLocked applied: unlocked, the output links are cleared.
    void ApplyOutputMapLock();
    // After a preset file was read: a locked map keeps a positioned output
    // 1 to 8 current; with none positioned the map is unlocked.
    void RecheckOutputMapLock();

    // ---- Helpers the handlers share ------------------------------------------------
    // flag 0: the band's flat toggle unchecked. Otherwise checked, with the
    // gain shown at 0 dB on its field, spin and fader.
    void ShowBandState(int flag, int band);
    // One band label at most is red; the others grey.
    void HighlightBandLabel(int band, bool on);
    void HighlightBand(int band);
    // field 0 frequency, 1 Q, 2 gain: that field gets the being-edited look.
    void FocusBandField(int band, int field, bool on);
    void ClearBandFocus();
    void RefreshAllBypassButton();
    // Frequency and Q fields enabled only in parametric mode.
    void ApplyEqModeLook(bool gainOnly);
    // In gain-only mode, faders of bands outside the pass band show grey
    // thumbs.
    void MarkBandsOutsideCrossover();
    void ShowInputModeMark();

    // ---- Channel, speaker and link helpers --------------------------------------
    void RefreshGroupPairing();
    void ApplyGroupPairing(int state);
    // Delay fields read-only while the marker 5083 shows.
    void UpdateDelayEditLock();
    // The high-pass slope list: 6..48 dB/Oct and "OFF" ("关闭").
    void FillHighPassSlopeList();
    // The crossover selectors and fields from the current output.
    void RefreshCrossover();
    // Unchecks and hides all 24 speaker-position buttons.
    void ClearSpeakerButtons();
    // The check state of the button of a position code (1..24).
    void HighlightSpeakerButton(int code, bool on);

    // ---- Speaker positions and the output map ------------------------------------
    // The position buttons of codes 1..24; any other code touches no button.
    // The code's button takes the check state and output as item data, loses
    // its hover partners and shows.
    void PlaceSpeakerButton(int code, bool on, int output);
    void HideSpeakerButton(int code);
    void ShowSpeakerButton(int code, int nCmdShow);
    // Every output's position released; the buttons stay as they are.
    void ReleaseAllPositions();
    // Buttons 4600..4623: the button's output becomes current on the page
    // alone (the strips and mix columns are not told).
    void OnSpeakerButton(int id);
    // Button 2821 of the view and 2851 of the side panel: the question, then
    // every position emptied or set to its default.
    void ResetOutputMap();
    // Hidden buttons 4703 and 4704: the output-map file.
    void OnReadOutputMap();
    void OnSaveOutputMap();
    // The side panel's lock button: TRUE when the lock changed.
    bool ToggleOutputMapLock();
    void ChangeSpeakerPosition(int output, int code);
    // The program's own box with the prompt caption of the language: the
    // button chosen.
    int AskPrompt(const QString& text, UINT type, const QString& caption);

    // ---- Output links ---------------------------------------------------------------
    // Left and right speakers linked (after the direction question) or
    // unlinked; TRUE when linking was switched on or off.
    bool SetupLRLink();
    // WM_LINK_GROUP_COPY: source's settings onto the rest of its link group.
    void OnLinkGroupCopy(int source);
    void MuteLinkGroup(int source, bool mute);
    void CopyToLinkGroup(int source, int mask);
    void RefreshLinkedStrips(int source, int mask);
    void RefreshPairedStripsOn(int direction);
    void SelectLinkedStrips(int output);
    bool HasLinkedOutputs(int output) const;
    // The link masks of the strip records (the view's strips follow).
    int LinkMask(int output) const override;
    void SetLinkMask(int output, int mask) override;
    CMsgTarget* LinkGroupCopyTarget() override { return this; }
    // Both lock toggles (the page's and the side panel's) and both link
    // toggles show the flags.
    void ShowMapLockToggles(bool locked);
    void ShowLinkToggles(bool linked);
    // One graph redraw per other member of the output's link group.
    void RedrawLinkedCurves(int output);
    // The setters of the view for the strips' messages: only a changed byte
    // or word is written. The strips count delay in half steps.
    void SetChannelOn(int output, int on);
    void SetChannelPolarity(int output, int polarity);
    void SetChannelDelay(int output, int steps);

    // The kept levels of sources 1 to 6 (m_nMixLevel) on output, or 0 when
    // off; the view writes the level into the page first.
    void SetMixSource(int source, int output, bool on);
    void SetMixSource1(int output, bool on);
    void SetMixSource2(int output, bool on);
    void SetMixSource3(int output, bool on);
    void SetMixSource4(int output, bool on);
    void SetMixSource5(int output, bool on);
    void SetMixSource6(int output, bool on);

    // ---- EQ bands and all-bypass --------------------------------------------------
    // Band b's field or spin committed: the band of the current output and
    // of its linked outputs (ascending) take the value when it changed; the
    // band is lit and its field framed, the output marked edited either way.
    void OnBandFreqChanged(int band);
    void OnBandQChanged(int band);
    void OnBandGainChanged(int band);
    // The flat toggle ("BY") asks the opposite of what it shows.
    void OnBandBypass(int band);
    // Every filter of the current output bypassed, or given back, after the
    // user's yes; the output and its link group go to the device as blocks.
    void ToggleAllBypass();
    // The linked outputs (ascending, the current one skipped) take the
    // page's last value; the model only.
    void PropagateBandFreq(int band);
    void PropagateBandQ(int band);
    void PropagateBandGain(int band);
    void PropagateBandFlat(int band);
    void PropagateAllBypass();
    // Stores m_nBandGain into the band of the current output and its linked
    // outputs when it differs, then shows the band and focuses its gain.
    void StoreBandGain(int band);

    // ---- Crossover filters ----------------------------------------------------------
    // A drop list's pick (its list id), then the band highlight cleared.
    void OnComboBtnSelChange(WPARAM listId);
    void OnHpfFamilyChanged();
    void OnHpfSlopeChanged();
    void OnLpfFamilyChanged();
    void OnLpfSlopeChanged();
    // A changed frequency is kept from crossing the other filter's.
    void OnHpfFreqChanged();
    void OnLpfFreqChanged();
    // Linked outputs take the page's value, without the crossing limit.
    void PropagateHpfFamily();
    void PropagateHpfSlope();
    void PropagateHpfFreq();
    void PropagateLpfFamily();
    void PropagateLpfSlope();
    void PropagateLpfFreq();

    // ---- Channel controls and messages -----------------------------------------------
    // A changed level switches an output that is off on.
    void OnLevelChanged();
    void OnPolarityButton();
    // One delay in three units: the other two fields follow at once.
    void OnDelayMsChanged();
    void OnDelayCmChanged();
    void OnDelayInchChanged();
    void OnSpinDelayStep(WPARAM spinId, LPARAM delta);
    void StepLinkedDelay(int output, int delta, int spinId);
    void OnEqModeButton();
    void OnResetEqButton();
    void OnUiModeButton();
    // A graph drag shown: a band's values in its fields and fader and on
    // the linked outputs, a filter's frequency in its field.
    void ShowBandFromGraph(int item);
    void PropagateGraphBand(int band);
    void OnGraphFocusBand(int item);
    LRESULT OnSliderMoving(WPARAM id, LPARAM position);
    LRESULT OnSliderMoved(WPARAM id, LPARAM position);
    void OnBandFader(int band);
    // The focus ring: level, high-pass, low-pass, the three delays, then
    // the band fields of the EQ mode, and round again.
    void OnFocusNeighbour(WPARAM id, LPARAM key);
    void OnFocusNextInBand(WPARAM id);
    void FocusPreviousField(int id);
    void FocusNextField(int id);
    // The ring's field that holds the focus: the focused field, or the
    // hidden one whose turn the page holds; 0 for none.
    int RingFocusId() const;
    void OnDropListSelected(WPARAM id, LPARAM unit);
    void OnStripPaste(WPARAM source, LPARAM destination);
    bool OnEraseBkgnd() { return true; }

    // ---- Members nothing calls ----------------------------------------------------
    void ToggleChannelOn(int output);
    void PropagateChannelOn(int output);
    void ShowLinkMarks(bool show);
    void SetChannelGain(int output, int word);
    // The panel's volume into the master level word; the master comes on
    // and system item 5 is flagged, unless the word already holds it.
    void ApplyEmbeddedMasterVolume();
    void ShowPictures(bool show);
    void SetInputModeMark(int mode);
    void RefreshStripMutes();
    void NoOp() {}
    void LoadModeDelay();
    void MarkAllBasicDirty();

    // ---- Queries ----------------------------------------------------------------------
    // The button of a position code 1..24, null for any other code.
    CBtnPng* SpeakerButton(int code);
    // The position code of speaker button index 0..23 (member order).
    static int SpeakerButtonCode(int index);
    static int SpeakerButtonId(int index);
    CFStatic& Graph() { return m_graph; }
    CChangnal_Line& CurveStrip() { return m_curveStrip; }
    CKTV_Data* GetData() const { return m_pData; }

    // WM_GRAPH_CHANGED: wParam the item (bands 0 to 30, 31 the high-pass,
    // 32 the low-pass); the channel code is not read.
    void OnGraphChanged(WPARAM item, LPARAM code);
    void OnGraphKillFocus() {}
    void OnControlHover() {}
    // The position buttons and the map-file buttons; FALSE for any other
    // id.
    bool OnMapCommand(int id);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- Members, in the page's order --------------------------------------------------
    QLabel m_stcMark;
    QLabel m_stcPictureB;
    QLabel m_stcPictureA;
    CBitButton m_btnLanguageMark;
    CBitButton m_btnMap4702;
    CBitButton m_btnLRLink;
    CBitButton m_btnMapLock;
    CBitButton m_btnMapRead;
    CBitButton m_btnMapSave;
    CBtnPng m_btnSpeaker[SPEAKER_BUTTON_COUNT];
    CBitButton m_btnUiMode2;
    CBitButton m_btnInputModeMark;
    CBitButton m_btnPolarity;
    CNumSpin m_spinDelayMs, m_spinDelayCm, m_spinDelayInch;
    CNumEdit m_editDelayMs, m_editDelayCm, m_editDelayInch;
    CNumSpin m_spinLevel;
    CNumEdit m_editLevel;
    CBitmapSlider m_sldLevel;
    CFStatic m_graph;
    CXPButton m_btnResetEq;
    CXPButton m_btnEqMode;
    CNumSpin m_spinBandFreq[BAND_COUNT];
    CNumEdit m_editBandFreq[BAND_COUNT];
    CXPButton m_btnBandBypass[BAND_COUNT];
    CXPButton m_btnAllBypass;
    CBitmapSlider m_sldBandGain[BAND_COUNT];
    CFontStatic m_stcBandLabel[BAND_COUNT];
    CComBoxBtn m_cbLpfFamily;
    CComBoxBtn m_cbLpfSlope;
    CComBoxBtn m_cbHpfFamily;
    CComBoxBtn m_cbHpfSlope;
    // Never attached to a window.
    CButtonRadio m_radio[RADIO_COUNT];
    CNumSpin m_spinBandGain[BAND_COUNT];
    CNumSpin m_spinBandQ[BAND_COUNT];
    CNumEdit m_editBandGain[BAND_COUNT];
    CNumEdit m_editBandQ[BAND_COUNT];
    CNumSpin m_spinHpfFreq;
    CNumEdit m_editHpfFreq;
    CNumSpin m_spinLpfFreq;
    CNumEdit m_editLpfFreq;
    QImage m_bmpBackCn, m_bmpBackEn;
    CKTV_Data* m_pData = nullptr;
    CKTV_OutData* m_pCurOut = nullptr;
    CFilter* m_pCurBand = nullptr;
    CFilter* m_pHpf = nullptr;
    CFilter* m_pLpf = nullptr;
    CFStatic* m_pGraph = nullptr;
    int m_nBandFreq = 0, m_nBandBw = 0, m_nBandGain = 0;
    int m_nHpfFamily = 0, m_nHpfSlope = 0, m_nLpfFamily = 0, m_nLpfSlope = 0;
    int m_nHpfFreq = 0, m_nLpfFreq = 0;
    int m_bBandFlat = 0;
    int m_bAllBypass = 0;
    int m_nDelayValue = 0;
    int m_nModeRow = 0;
    short m_ModeRowValues[OUTPUT_COUNT] = {};
    int m_nLevel = 0;
    int m_nPolarity = 0;
    int m_bOn = 0;
    QFont m_font;
    CFontStatic* m_pHighlightLabel = nullptr;
    CNumEdit* m_pActiveEdit = nullptr;
    CBitmapSlider* m_pActiveSlider = nullptr;
    int m_nEqMode = 0;
    int m_nSpeakerSel = 0;
    // One record per output, never a window.
    COutRouteDlg m_strips[OUTPUT_COUNT];
    CChangnal_Line m_curveStrip;
    CRect m_rcSpeaker[4];
    int m_bQEditShown = 0;
    // Levels of input sources 1..16 (entry n - 1 for source n), which the
    // view writes before it switches a source on.
    int m_nMixLevel[MIX_SOURCE_COUNT] = {};

    // The view, which the view writes after creating the page.
    IMainView* m_pView = nullptr;
    // The master-volume panel, handed over by the view; none: nothing read.
    IMasterVolumeSource* m_gainPanel = nullptr;
    // The delay-unit side panel.
    CDelayDlg m_dlgDelay;
    // Each output's on byte, kept across a link-group copy.
    int m_nSavedOn[OUTPUT_COUNT] = {};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool OnInitDialog();
    // Enter, Tab and Escape in the page's fields; true when consumed.
    bool PreTranslateMessage(QObject* watched, QEvent* event);
    void PlaceControls();
    // Shows what the graph changed: the filters selected, a band redrawn;
    // a handled release ends the graph's repeated notice.
    void SetUpCrossoverSelectors(CComBoxBtn& family, UINT familyList, CComBoxBtn& slope, UINT slopeList);
    void FillFamilyList(CComBoxBtn& list);
    void FillLowPassSlopeList();
    void ApplyLanguageSkins();
    // Steps 1 to 4 of RefreshChannel, which RefreshBands shares.
    void RefreshEqState();
    // The output's crossovers into the members and the selectors.
    void ShowCrossoverFilters();
    void ClearBandOwners();
    // WM_COMMAND from a control: commits, clicks and the selectors' picks.
    void OnCommand(int id, int code);
    // The current output under the parameter set's lock.
    CKTV_OutData* CurrentOutputLocked();
    // fn(output) for every other member of the current output's link
    // group, ascending; the caller holds the parameter set's lock.
    void ForEachLinkedOutput(const std::function<void(CKTV_OutData*)>& fn);
    // A delay field committed: all three show its word, the output takes it.
    void OnDelayChanged(CNumSpin& spin);
    // Moves the ring to id: the field takes the focus, or, hidden, the page
    // takes it and holds the field's turn.
    void FocusRingField(int id);
    // The pointer, inside the graph's plot, goes to the graph's parking
    // point.
    void ParkPointer();

    // The hidden ring field whose turn the page holds while it has the
    // focus itself; 0 for none.
    int m_nRingHeldId = 0;
};
