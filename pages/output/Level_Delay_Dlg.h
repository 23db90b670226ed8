#pragma once
// The level-and-delay page (dialog 522): the levels and delays of the whole
// system on one skinned surface. Across the top the master level with its
// on/off button and one level column per input kind with the button that
// selects the kind; below them a level column for each of outputs 1 to 8
// (fader, field, on/off, polarity, speaker-position name, level lamp); at
// the left a car plan on which every output with a speaker position shows
// its delay field, with the link toggles of the speaker groups and the
// three delay-unit buttons (ms, cm, inch).
//
// A child page: a QWidget, not a dialog, so Enter and Escape close nothing.
// No window of the program creates it; a host assigns the view and the
// parameter set, calls Create, and then RefreshAll, ApplyLanguage,
// RefreshInputArea and UpdateMeters when it sees fit. The page shows no
// value of the model until RefreshAll.
//
// Outputs 8 to 11 have no level column: they show on the car plan only.
#include <array>
#include <vector>

#include <QImage>
#include <QLabel>
#include <QWidget>

#include "controls/BitButton.h"
#include "controls/BtnPng.h"
#include "controls/SLamp.h"
#include "graphs/BitmapSlider.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CKTV_Data;
class CKTV_OutData;
class CMusic_InData;
class IMainView;
class QKeyEvent;

class CLevel_Delay_Dlg : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 522,
        IDB_BACK_EN = 523,
        IDB_BACK_CN = 7030,
        IDC_MASTER_EDIT = 2568,
        IDC_MASTER_SPIN = 2569,
        IDC_MASTER_SLIDER = 2570,
        IDC_MASTER_ON = 2755,
        IDC_LINK_ON = 2771,
        IDC_UNIT_MS = 2683,
        IDC_UNIT_CM = 2684,
        IDC_UNIT_INCH = 2685,
        IDC_POSITION_NAME0 = 2696,
        IDC_NO_SPEAKER0 = 2791,
        IDC_INPUT_EDIT0 = 3000,
        IDC_INPUT_SPIN0 = 3010,
        IDC_INPUT_SLIDER0 = 3020,
        IDC_OUTPUT_EDIT0 = 3030,
        IDC_OUTPUT_SPIN0 = 3040,
        IDC_OUTPUT_SLIDER0 = 3050,
        IDC_OUTPUT_ON0 = 3060,
        IDC_POLARITY0 = 3070,
        IDC_KIND0 = 4460,
        IDC_LAMP0 = 4800,
        IDC_STEP_BUTTON0 = 5800,
        IDC_DELAY_EDIT0 = 6000,
        IDC_DELAY_SPIN0 = 6020,
        IDC_POSITION0 = 6040,
        // Link toggles of the speaker groups.
        IDC_LINK_FRONT_LEFT_3 = 6800,
        IDC_LINK_FRONT_LEFT_1 = 6801,
        IDC_LINK_FRONT_LEFT_2 = 6802,
        IDC_LINK_FRONT_LEFT_NO_TWEETER = 6803,
        IDC_LINK_FRONT_RIGHT_3 = 6804,
        IDC_LINK_FRONT_RIGHT_1 = 6805,
        IDC_LINK_FRONT_RIGHT_2 = 6806,
        IDC_LINK_FRONT_RIGHT_NO_TWEETER = 6807,
        IDC_LINK_REAR_LEFT = 6808,
        IDC_LINK_REAR_RIGHT = 6809,
        IDC_LINK_CENTRE = 6810,
        IDC_LINK_SUBS = 6811,
    };
    enum : int {
        LINK_TOGGLES = 12,
        OUTPUT_COLUMNS = 8,
        INPUT_COLUMNS = 6,
        INPUT_SPINS = 7,
        MUSIC_COLUMNS = 4,
        DELAY_FIELDS = 15,
        POSITIONS = 24,
        OUTPUTS = 12,
        UNITS = 3,
        FOCUS_ORDER = 30,
        CENTRE_RECTS = 8,
        DELAY_MAX = 960,
        LEVEL_MAX = 600,
        MASTER_MAX = 66,
    };

    // Where an output stands on the car plan: its delay field, spin and
    // position button; all null while it is not placed.
    struct DelayRecord {
        CNumEdit* edit = nullptr;
        CNumSpin* spin = nullptr;
        CBtnPng* button = nullptr;
    };
    // The places of input column k: its fader, field and kind button.
    struct ColumnRects {
        CRect fader, edit, kind;
    };

    explicit CLevel_Delay_Dlg(QWidget* parent = nullptr);
    ~CLevel_Delay_Dlg() override;

    // Makes the page a child of parent, laid out as dialog 522, and runs its
    // initialisation.
    bool Create(QWidget* parent);

    // ---- Set-up, paint, language, lamps -----------------------------------
    void SetUpControls();
    void ApplyLanguage();
    // Lamp k shows status entry 6 + k.
    void UpdateMeters();
    void ResetMeters();

    // ---- The whole page from the model --------------------------------------
    void RefreshAll();
    // Shows, hides and packs the input columns by g_byInputButtonMask.
    void LayoutInputColumns();
    // Input columns 4 and 5 by the AUX mode g_nSourceTable.
    void ShowSourceColumns();
    // Output columns without a speaker position give way to their
    // no-speaker picture.
    void ShowPositionedOutputs();
    // Places output on the car plan at its speaker position (0 unplaces it).
    void PlaceOutputDelay(int position, int output);
    void RefreshGroupToggles();
    // Step-only (read-only with the step button) or editable delay fields
    // for the outputs of a group; entries of -1 are no output.
    void SetGroupStepOnly(const int members[OUTPUTS], bool on);
    // 1 ms, 2 cm, 3 inch.
    void SetDelayUnit(int unit);
    // The input columns, the kind buttons' skins and the checked kind.
    void RefreshInputArea();
    // The kind buttons' faces by language and by the lock byte.
    void RefreshKindBitmaps();

    // ---- Selection ---------------------------------------------------------
    // -1 clears the highlight and keeps the index.
    void SelectOutput(int output);
    void SelectOutputIfNew(int output);
    // The position button of a speaker position (1 to 24; others nothing).
    void CheckPositionButton(int position, bool check);
    // The position button of an output's speaker position.
    void CheckOutputPositionButton(int output, bool check);
    void CheckSelectedPositionButton(bool check);

    // ---- Levels (Level_Delay_DlgLevels.cpp) ----------------------------------
    void OnMasterLevel();
    void OnMasterOn();
    void OnInputLevel(int column);
    void OnInputSlider(int column);
    void OnOutputLevel(int column);
    void OnOutputSlider(int column);
    void OnOutputOn(int column);
    void OnOutputPolarity(int column);
    // The other outputs of the output's link group: their levels into their
    // columns, their position buttons checked.
    void ShowLinkedLevels(int output);
    // The other outputs of the output's link group take the last on value.
    void SetLinkedOn(int output, bool noHighlight);
    void OnSliderMoved(WPARAM id, LPARAM position);
    void OnSliderMoving(WPARAM id, LPARAM position);
    void OnControlHover(WPARAM keyFlags, LPARAM id);

    // ---- Input kind (Level_Delay_DlgLevels.cpp) -------------------------------
    void SelectInputMode(int kind);
    void ClearInputLock();
    void OnInputKindChanged(WPARAM, LPARAM kind);
    void OnInputKindSync(WPARAM lock, LPARAM kind);

    // ---- Keyboard (Level_Delay_DlgKeys.cpp) -----------------------------------
    // Enter, Tab and Escape in the page and its controls; true consumes.
    bool PreTranslateMessage(QObject* watched, QEvent* event);
    void OnFocusNeighbour(WPARAM id, LPARAM key);
    int FocusIndexOf(int id) const;
    void FocusNext(int id);
    void FocusPrevious(int id);
    void OnFocusMoved(int id);
    void EnsureEditFocus();

    // ---- Car plan (Level_Delay_DlgDelays.cpp) -----------------------------------
    void OnDelayEdited(int output);
    void OnSpinDelayStep(WPARAM spinId, LPARAM delta);
    void StepOutputDelay(int output, int delta);
    void OnDelayUnitButton(int unit);
    void OnPositionButton(CBtnPng* button);
    // A speaker group's link toggle (6800 to 6811); other ids nothing.
    void OnGroupLink(UINT toggleId);

    // The message map.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- Assigned by the host (the parameter set below) ---------------------
    IMainView* m_pView = nullptr;

    // ---- What tests and the handlers read -----------------------------------
    int SelectedOutput() const { return m_nSelected; }
    int LastOnValue() const { return m_nLastOn; }
    const DelayRecord& OutputRecord(int output) const { return m_aDelayRecord[output]; }
    const CRect& CentreRect(int n) const { return m_rcCentre[n]; }
    const ColumnRects& ColumnRect(int k) const { return m_aColumn[k]; }
    const std::array<int, FOCUS_ORDER>& FocusOrder() const { return m_anFocusOrder; }
    const QImage& Background(bool chinese) const { return chinese ? m_bmpBackCn : m_bmpBackEn; }
    // The delay field, spin and button a speaker position (1 to 24) uses;
    // null outside.
    CNumEdit* DelayEditOfPosition(int position);
    CNumSpin* DelaySpinOfPosition(int position);
    CBtnPng* ButtonOfPosition(int position);
    // The link toggle with that id; null for another id.
    CBtnPng* LinkToggle(UINT id);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Qt's own focus chain never moves: the page walks its own order.
    bool focusNextPrevChild(bool next) override;
    // The keys a control leaves stop here, so no host acts on them.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool OnInitDialog();
    void LayOutControls();
    // Places a control at its template rectangle, in dialog units.
    void Place(QWidget* control, int id, const CRect& dialogUnits);
    // A level field with its spin and fader, in steps 0 to 600.
    static void SetUpLevelColumn(CNumSpin& spin, CNumEdit& edit, CBitmapSlider& fader, UINT channel, UINT thumb);
    // Hides or shows the three controls of an input column.
    void ShowInputColumn(int column, bool show);
    // Moves the three controls of input column `column` to the places of
    // column `slot`.
    void MoveInputColumn(int column, int slot);
    // Moves a control's top-left corner onto a rectangle's, keeping its
    // size, and raises it.
    static void MoveOnto(QWidget* control, const CRect& rect);
    // The client rectangle a child takes.
    static CRect ClientRectOf(const QWidget* control);
    void SetFrontToggle(const std::array<int, 4>& idsByType, int state, int type, const int members[OUTPUTS]);
    void CheckKindButtons(int kind);
    // The index of control id in the family of count ids from first; -1
    // outside it.
    static int IndexIn(int id, UINT first, int count)
    {
        const int index = id - int(first);
        return index >= 0 && index < count ? index : -1;
    }
    // WM_COMMAND of a control of the page.
    void OnCommand(int id);
    // The stored master level takes v: the master comes on, the fader
    // follows and system item 5 is flagged. False when v is stored already.
    bool StoreMasterLevel(int v);
    // The output column's level takes v; the field or the fader that did
    // not give it follows.
    void ApplyOutputLevel(int column, int v, bool fromFader);
    // The music channel of input column k; null for the columns without one.
    CMusic_InData* MusicOfColumn(int column) const;
    CKTV_OutData* OutputOf(int output) const;
    // The other outputs of output's link group, ascending.
    std::vector<int> LinkedOutputs(int output) const;
    void FlagSystemItem5();

public:
    // ---- Controls, in the template's binding order ----------------------
    std::array<CBtnPng, LINK_TOGGLES> m_btnLink;
    std::array<CBitButton, OUTPUT_COLUMNS> m_btnNoSpeaker;
    QLabel m_picLinkOn;
    CBitButton m_btnMasterOn;
    std::array<CBitButton, INPUT_COLUMNS> m_btnKind;
    std::array<CBitButton, OUTPUT_COLUMNS> m_btnPositionName;
    std::array<CSLamp, OUTPUT_COLUMNS> m_lamp;
    std::array<CBitButton, UNITS> m_btnUnit;
    std::array<CNumSpin, DELAY_FIELDS> m_spinDelay;
    std::array<CNumEdit, DELAY_FIELDS> m_editDelay;
    std::array<CBtnPng, POSITIONS> m_btnPosition;
    std::array<CBitButton, OUTPUT_COLUMNS> m_btnOutputOn;
    std::array<CBitButton, OUTPUT_COLUMNS> m_btnPolarity;
    std::array<CNumEdit, OUTPUT_COLUMNS> m_editOutputLevel;
    std::array<CNumSpin, OUTPUT_COLUMNS> m_spinOutputLevel;
    std::array<CBitmapSlider, OUTPUT_COLUMNS> m_sliderOutput;
    std::array<CNumEdit, INPUT_COLUMNS> m_editInputLevel;
    std::array<CNumSpin, INPUT_SPINS> m_spinInputLevel;
    std::array<CBitmapSlider, INPUT_COLUMNS> m_sliderInput;
    CNumEdit m_editMaster;
    CNumSpin m_spinMaster;
    CBitmapSlider m_sliderMaster;

private:
    QImage m_bmpBackEn;
    QImage m_bmpBackCn;
    int m_nLastOn = 0;
    int m_nSelected = -1;

public:
    CKTV_Data* m_pData = nullptr;

private:
    std::array<CRect, CENTRE_RECTS> m_rcCentre;
    std::array<ColumnRects, INPUT_COLUMNS> m_aColumn;
    std::array<int, FOCUS_ORDER> m_anFocusOrder{};
    std::array<DelayRecord, OUTPUTS> m_aDelayRecord;
};
