#pragma once
// The output dynamics dialog (dialog 108, "System" / "系统"): the limiter
// (level, attack, release) and the compressor (threshold, ratio, attack,
// release) of outputs 1 to 8, each drawn as a transfer curve, and the noise
// gate of the first music channel. The main view's button 8803 runs it
// modally on its parameter set; that button is never shown.
//
// Every value lives in the model: a row's field and spin share one handler,
// which writes the output channel object and lets the change scan send it.
// The compressor rows reach setters that keep nothing. An edit is never
// copied to the linked outputs: their spins of the same row are re-read from
// their own objects.
//
// Threads: the handlers read the model under g_ParameterSetLock into
// locals and set the controls after letting it go (a spin may show a box).
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>

#include "controls/FontStatic.h"
#include "graphs/COM_EXT_LIMStatic.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_Data;

class CCurSYSDlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int { CHANNELS = 8, INPUT_COMBOS = 6, ROW_LABELS = 6 };
    enum : UINT {
        IDD = 108,
        IDC_GRAPH0 = 2513,
        IDC_RELEASE_EDIT0 = 5700,
        IDC_RELEASE_SPIN0 = 5710,
        IDC_COMP_LEVEL_SPIN0 = 9540,
        IDC_COMP_RATIO_SPIN0 = 9550,
        IDC_COMP_ATTACK_SPIN0 = 9560,
        IDC_COMP_RELEASE_SPIN0 = 9570,
        IDC_COMP_LEVEL_EDIT0 = 9500,
        IDC_COMP_RATIO_EDIT0 = 9510,
        IDC_COMP_ATTACK_EDIT0 = 9520,
        IDC_COMP_RELEASE_EDIT0 = 9530,
        IDC_RATIO_LABEL_UPPER = 9136,
        IDC_RATIO_LABEL_LOWER = 9137,
        IDC_INPUT_COMBO0 = 9130,
        IDC_ROW_LABEL0 = 5600,
        IDC_GROUP0 = 5610,
        IDC_SOURCE_LABEL = 2061,
        IDC_NOISE_GATE_LABEL = 2062,
        IDC_RELEASE_COMBO0 = 5640,
        IDC_LIMIT_SPIN0 = 5650,
        IDC_ATTACK_SPIN0 = 5660,
        IDC_LIMIT_EDIT0 = 5620,
        IDC_ATTACK_EDIT0 = 5630,
        IDC_NOISE_GATE_SPIN = 2060,
        IDC_NOISE_GATE_EDIT = 2059,
        IDC_SOURCE_COMBO = 2063,
    };
    // The rows of a channel group, in the order of the row table.
    enum Row : int {
        ROW_LIMIT,
        ROW_ATTACK,
        ROW_RELEASE,
        ROW_COMP_LEVEL,
        ROW_COMP_RATIO,
        ROW_COMP_ATTACK,
        ROW_COMP_RELEASE,
        ROWS
    };
    // The compressor rows' places in the output's dynamics extras.
    enum : int { EXTRA_THRESHOLD = 1, EXTRA_ATTACK = 2, EXTRA_RELEASE = 3, EXTRA_RATIO = 4 };
    // What a release row adds to the stored word to show milliseconds.
    enum : int { RELEASE_SHOWN_OFFSET = 50 };

    explicit CCurSYSDlg(QWidget* parent = nullptr);
    ~CCurSYSDlg() override;

    // The set-up, then the dialog runs modally (RunModalDialog); the result
    // is what the modal run returned (the close box: rejected).
    int DoModal();
    // Set-up steps: labels, title, noise gate, rows and graphs, values.
    bool OnInitDialog();

    // The field and the spin of row r of channel group n.
    CNumEdit& RowEdit(int row, int n);
    CNumSpin& RowSpin(int row, int n);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Row handlers of channel group n (0 to 7).
    void OnLimitChanged(int n);
    void OnAttackChanged(int n);
    void OnReleaseChanged(int n);
    void OnCompLevelChanged(int n);
    void OnCompRatioChanged(int n);
    void OnCompAttackChanged(int n);
    void OnCompReleaseChanged(int n);
    // Input selection of outputs 1 to 6 (n = 0 to 5) by the combo's index.
    void OnInputSelected(int n);
    void OnNoiseGateChanged();

    // Members in the order of the dialog's table.
    CCOM_EXT_LIMStatic m_graph[CHANNELS];
    CNumEdit m_editRelease[CHANNELS];
    CNumSpin m_spinRelease[CHANNELS];
    CNumSpin m_spinCompressorLevel[CHANNELS];
    CNumSpin m_spinCompRatio[CHANNELS];
    CNumSpin m_spinCompRelease[CHANNELS];
    CNumSpin m_spinCompAttack[CHANNELS];
    CNumEdit m_editCompressorLevel[CHANNELS];
    CNumEdit m_editCompRatio[CHANNELS];
    CNumEdit m_editCompRelease[CHANNELS];
    CNumEdit m_editCompAttack[CHANNELS];
    // 9137 (the lower half's) and 9136 (the upper half's).
    CFontStatic m_lblRatio[2];
    QComboBox m_comboInput[INPUT_COMBOS];
    CFontStatic m_lblRow[ROW_LABELS];
    CFontStatic m_lblSource;
    CFontStatic m_lblNoiseGate;
    QComboBox m_comboRelease[INPUT_COMBOS];
    CNumSpin m_spinLimit[CHANNELS];
    CNumSpin m_spinAttack[CHANNELS];
    CNumEdit m_editLimit[CHANNELS];
    CNumEdit m_editAttack[CHANNELS];
    CNumSpin m_spinNoiseGate;
    CNumEdit m_editNoiseGate;
    QComboBox m_comboSource;
    QGroupBox m_grpChannel[CHANNELS];
    // The parameter set; the opener sets it before the dialog runs.
    CKTV_Data* m_pData = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LayOutControls();
    void Place(QWidget* control, int id, const CRect& dialogUnits);
    // The row's value of output n as its getter gives it (release + 50).
    int ReadRow(int row, int n) const;
    // Row r of every other shown output linked with n shows its own value;
    // the level rows also redraw their graphs.
    void RefreshLinkedRow(int row, int n);
    // Writes the row's value into output n (under the lock).
    void WriteRow(int row, int n, int pos);
    // The common path of attack and release rows: write, linked refresh.
    void OnPlainRowChanged(int row, int n);
    // The handler of a field or spin id; false for another id.
    bool DispatchRowCommand(UINT id);
};
