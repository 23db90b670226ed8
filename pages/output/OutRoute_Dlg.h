#pragma once
// An output strip (dialog 110): the select button, speaker type, level
// fader and field, polarity, mute and delay field of one output. The main
// view creates twelve as its children, 97 pixels apart at y 516, and fills
// them through the setters; the output page keeps twelve more that are
// never created as windows and only hold per-output values.
//
// The strip never writes the model for what it edits: every user action is
// posted to m_pOwner (wParam the channel), which writes the model and keeps
// the strips in step through the setters, none of which posts anything.
// The sixteen source switches and the link-group button are created hidden
// and disabled; the strip still keeps the sources' state.
#include <QImage>
#include <QWidget>

#include "controls/BitButton.h"
#include "controls/ColorMenu.h"
#include "graphs/BitmapSlider.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/DataDefine.h"
#include "model/KTV_OutData.h"
#include "model/SpeakerPosition.h"
#include "pages/output/PhaseSettingDlg.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class COutputDlg;
class IMainView;

class COutRouteDlg : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 110,
        IDC_SELECT = 2636,
        IDC_SPEAKER_TYPE = 2847,
        IDC_LEVEL_SLIDER = 2826,
        IDC_LEVEL_EDIT = 2827,
        IDC_LEVEL_SPIN = 2829,
        IDC_POLARITY = 2825,
        IDC_MUTE = 1001,
        IDC_DELAY_EDIT = 2817,
        IDC_DELAY_SPIN = 2828,
        IDC_LINK = 2830,
        // The link-group menu; its commands are 32771 to 32774.
        IDM_LINK_GROUP = 962,
        // The link button's face for no group, and its click kinds.
        IDB_LINK_OFF = 1018,
        LINK_CLICK_SINGLE = 513,
        LINK_CLICK_DOUBLE = 515,
        LINK_CLICK_RIGHT = 516,
        // Mute pictures: on (not muted) normal, hover; muted normal, hover.
        IDB_MUTE_NORMAL = 526,
        IDB_MUTE_HOVER = 527,
        IDB_MUTE_ON = 528,
        IDB_MUTE_ON_HOVER = 530,
        // Speaker-type captions: string 6200 + code (English), 6300 + code
        // (Chinese).
        IDS_SPEAKER_TYPE_EN = 6200,
        IDS_SPEAKER_TYPE_CN = 6300,
        // The popup's items: 4100 + position code.
        ID_SPEAKER_TYPE_ITEM = 4100,
    };
    enum : int {
        SOURCE_COUNT = MIX_SOURCE_COUNT,
        DELAY_UNIT_MS = 1,
        DELAY_UNIT_CM = 2,
        DELAY_UNIT_INCH = 3,
        LEVEL_MAX = 600,
        DELAY_MAX = 960,
    };

    explicit COutRouteDlg(QWidget* parent = nullptr);
    ~COutRouteDlg() override;

    // Makes the strip a child of parent, laid out as dialog 110, and runs
    // its set-up.
    bool Create(QWidget* parent);
    // The fields' ranges, types and limits, which the strip records of the
    // output page need as well although they are never created.
    void SetUpFields();

    // ---- Members, in the strip's order ------------------------------------------
    // Receives every notification; the owner sets it after creation.
    CMsgTarget* m_pOwner = nullptr;
    CKTV_OutData* m_pOutput = nullptr;
    CBitButton m_btnSpeakerType;
    CBitButton m_btnLink;
    CBitButton m_btnSelect;
    CBitButton m_btnMute;
    QImage m_bmpBackground;
    // Bit n = output n in this output's link group (the link-group menu's
    // masks over outputs 0..7); the owner keeps it equal to the output
    // page's record of the same output.
    int m_nLinkMask = 0;
    // Menu 962, loaded at set-up; nothing opens it.
    CColorMenu m_menuLinkGroup;
    // Output on (1) or muted (0).
    int m_bOn = 1;
    int m_nPolarity = 0;
    int m_nBackWidth = 0;
    int m_nBackHeight = 0;
    int m_nChannel = 0;
    // The speaker-position table as it would be without this output, taken
    // when the popup opens (entries 1..24 states, 26..37 the outputs' codes).
    BYTE m_abyPositionState[POSITION_TABLE_SIZE] = {};
    // The output's phase dialog: never created as a window by the strip.
    CPhaseSettingDlg m_dlgPhase;
    // Input sources 1..16: controls 2819-2824, 2831-2840.
    CBitButton m_btnSource[SOURCE_COUNT];
    int m_abSource[SOURCE_COUNT] = {};
    CNumEdit m_editLevel;
    CNumSpin m_spinLevel;
    CBitmapSlider m_sliderLevel;
    // Last level posted, in level steps (600 = 0 dB).
    int m_nLevel = 0;
    CNumEdit m_editDelay;
    CNumSpin m_spinDelay;
    CBitButton m_btnPolarity;
    // Link-button pictures of groups 1 to 12 by language.
    int m_anLinkBitmapCN[OUTPUT_COUNT] = {};
    int m_anLinkBitmapEN[OUTPUT_COUNT] = {};
    int m_bDoubleClick = 0;
    int m_nClickKind = 0;
    int m_bChinese = 1;

    // ---- Setters of the owner (none posts anything) ---------------------------
    void SetBackgroundBitmap(UINT id);
    // Normal, hover, down; down also for the three checked faces.
    void SetSelectButtonBitmaps(UINT normal, UINT hover, UINT down);
    void SetLevelSliderChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x,
                                      int y);
    void SetLevelSliderThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x,
                                    int y);
    // Fader, then spin (which rewrites the field). Outside 0..600 the spin
    // reports "Set Pos Error!" and clamps.
    void SetLevel(int steps);
    // The delay as the strip shows it: half the output's delay word.
    void SetDelay(int steps);
    // 1 ms, 2 cm, 3 inch; any other value changes nothing.
    void SetDelayUnit(int unit);
    // Stores the on state and sets the mute button's pictures.
    void SetOutputOn(int on);
    // Stores the polarity and sets the polarity pictures of the language.
    void SetPolarity(int polarity);
    // Keeps the language and re-chooses the polarity pictures.
    void SetLanguage(bool chinese);
    void SetSelected(bool selected);
    // The speaker-type button's caption for the output's speaker position.
    void ShowSpeakerType();
    // The on flag of input source 1..16 (any other source is ignored) and
    // its switch's pictures; the owner passes the mix level, so any
    // non-zero level counts as on.
    void SetSource(int source, int on);
    void SetSource1(int on) { SetSource(1, on); }
    void SetSource2(int on) { SetSource(2, on); }
    void SetSource3(int on) { SetSource(3, on); }
    void SetSource4(int on) { SetSource(4, on); }
    void SetSource5(int on) { SetSource(5, on); }
    void SetSource6(int on) { SetSource(6, on); }
    void SetSource7(int on) { SetSource(7, on); }
    void SetSource8(int on) { SetSource(8, on); }
    void SetSource9(int on) { SetSource(9, on); }
    void SetSource10(int on) { SetSource(10, on); }
    void SetSource11(int on) { SetSource(11, on); }
    void SetSource12(int on) { SetSource(12, on); }
    void SetSource13(int on) { SetSource(13, on); }
    void SetSource14(int on) { SetSource(14, on); }
    void SetSource15(int on) { SetSource(15, on); }
    void SetSource16(int on) { SetSource(16, on); }

    // Nothing calls these; they belong to the strip all the same.
    void SetMuteButtonBitmaps(UINT normal, UINT hover, UINT down);
    int GetBackgroundWidth() const { return m_nBackWidth; }
    int GetBackgroundHeight() const { return m_nBackHeight; }

    // ---- Queries --------------------------------------------------------------------
    // The caption of speaker-position code (0..24) in a language.
    static QString SpeakerTypeText(int code, bool chinese);
    // Control id of input source switch 1..16.
    static int SourceControlId(int source);
    // What the owner handed the level fader.
    UINT LevelChannelBitmap() const { return m_nChannelId; }
    UINT LevelThumbBitmap() const { return m_nThumbId; }
    UINT LevelActiveThumbBitmap() const { return m_nThumbActiveId; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- Handlers ----------------------------------------------------------------
    void OnMuteButton();
    void OnSelectButton();
    void OnPolarityButton();
    void OnSourceButton(int source);
    // Level field committed or level spin stepped.
    void OnLevelChanged();
    // WM_SLIDER_MOVING / WM_SLIDER_MOVED.
    LRESULT OnSliderMessage(UINT message, WPARAM id);
    void OnDelaySpin();
    void OnDelayEdit();
    // Opens the speaker-type popup under its button and acts on the pick.
    void OnSpeakerTypeButton();
    // Popup item 4100 + code: a type other than the present one is posted.
    void OnSpeakerTypeItem(int code);

    // ---- Link groups (OutRoute_DlgLinks.cpp) -----------------------------------
    // WM_LINK_BUTTON_CLICK: kind 513 single left click, 515 double click,
    // 516 right click. Puts the output into a group numbered 1..12 in
    // g_nLinkGroup (0 = none), takes it out, or back into the group it
    // left; the group number goes to the device with the limiter record.
    void OnLinkButton(WPARAM kind);
    // Menu 962 (outputs 1..8 only; the strips of outputs 9..12 ignore it):
    // new group and join open the link-group dialog, leave and dissolve
    // rewrite the link masks of the group's outputs.
    void OnLinkGroupMenu(UINT command);
    void OnNewLinkGroup();
    void OnJoinLinkGroup();
    void OnLeaveLinkGroup();
    void OnDissolveLinkGroup();
    // g_nLinkGroup read as masks over outputs 0..7: another output outside
    // this strip's group is linked to someone; all eight hold 255; this
    // output is linked to another.
    bool OtherGroupExists() const;
    bool AllOutputsLinked() const;
    bool IsLinkedToOthers() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool OnInitDialog();
    // Takes the strip's own key and mouse rules; true when the event is
    // consumed.
    bool PreTranslate(QEvent* event);
    void Notify(UINT message, LPARAM value);
    void ApplyPolarityBitmaps();
    void MarkOutputEdited();
    // The snapshot of step 3 of the popup and the menu's item states.
    void TakePositionSnapshot();
    void UpdateSpeakerMenuItems();

    // The owner as the view (null when the owner is no view).
    IMainView* OwnerView() const;
    // The output page holding the link-group menu's masks; null for the
    // strips of outputs 9 to 12, which the masks do not cover.
    COutputDlg* MaskGroupPage() const;
    // The link button shows group g (its check-on picture).
    void ShowLinkGroup(int g);
    // Output s's gain, EQ and limiter onto this output, between a mute and
    // an unmute of s's link group, under the send lock.
    void CopyLinkSource(int s);
    // The bookkeeping of joining, starting and leaving group g; rejoin
    // keeps the way back into the group.
    void EnterLinkGroup(int g);
    void StartLinkGroup(int g);
    void LeaveLinkGroup(int g, bool rejoin);
    // Starts a new group with this output as the only selected and current
    // one (a double click).
    void StartLinkGroupSelected();
    // This strip's select off if it is not the current output's, else every
    // other strip's.
    void DeselectForLink();
    // The first member of group g that has not left it; -1 when none.
    static int FirstRemainingMember(int g);
    // The selection of the view's strip i.
    void SelectStrip(int i, bool selected) const;
    bool IsStripSelected(int i) const;
    // The group number of this output into its limiter record.
    void StoreLinkGroupByte();

    UINT m_nChannelId = 0, m_nChannelActiveId = 0;
    UINT m_nThumbId = 0, m_nThumbActiveId = 0;
};
