#pragma once
// The machine-preset dialog (dialog 170): the names of the device's six
// machine presets in a grid, and one action by the mode the menu chose:
// load a slot into the live set (0), save the live set into a slot under a
// new name (1), or delete (blank) a slot (2). The action button, a double
// click on a row and the grid's context menu run the action; the Delete key
// deletes in every mode. The view constructs it for one menu command, runs
// it with DoModal and sets g_pProgramDlg to null afterwards; while it is
// open g_pProgramDlg points to it, so that the transfer popup can disable
// it while a save or load runs.
//
// The names come from g_MachinePresets (the device's read-back at connect
// time); a save or delete here updates them. They, the current preset and
// the live name are read and written under the parameter-set lock, never
// held across a box, a queue or a call into the view. UI thread only.
#include <QDialog>
#include <QString>

#include "controls/grid/CellID.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CBrelinView;
class CComboGridCtrl;
class QKeyEvent;
class QPushButton;

class CProgramDlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int { IDD = 170, IDC_GRID = 2724, IDC_ACTION = 2727 };
    enum : int { MODE_LOAD = 0, MODE_SAVE_AS = 1, MODE_DELETE = 2 };

    // view: the main view whose operations the actions call (also the
    // dialog's parent); connected: the view's link state when opened.
    CProgramDlg(CBrelinView* view, bool connected, int mode);
    ~CProgramDlg() override;

    // OnInitDialog, then the modal run (RunModalDialog); answers how the
    // dialog closed.
    int DoModal();
    // m_nSelSlot = 1, the grid set up and filled, g_pProgramDlg = this.
    bool OnInitDialog();
    // Slot names into the grid, the focus on (1, 1), the mode's texts.
    void FillPresetList();
    // The caption, the buttons and the headings of the language and mode.
    void ApplyModeTexts();

    // Button 2727: the mode's action on the grid's focus cell.
    void OnActionButton();
    // The grid's double click on cell: the mode's action, posted.
    void OnGridDblClick(const CCellID& cell);
    // The grid's Delete key on cell: the delete question, in every mode.
    void OnGridDeleteKey(const CCellID& cell);
    void OnGridSave();
    void OnGridLoad();
    void OnGridDelete();

    // Asks for a name for the slot of the save trigger's row and saves it.
    void RunNameEntry();
    // Saves the live set under m_strName into slot m_nSelSlot, by the name
    // rules; false when a rule refused the name.
    bool CheckPresetName();
    // Loads slot m_nSelSlot into the live set (only once the device's data
    // was taken over).
    void LoadSelectedPreset();
    // Asks, then blanks slot m_nSelSlot (only once the device's data was
    // taken over).
    void DeletePreset();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CComboGridCtrl* Grid() const { return m_pGrid; }
    QPushButton* Button(int id) const;

    int m_nMode = MODE_LOAD;
    bool m_bConnected = false;
    int m_nSelSlot = 1;
    QString m_strName;
    // The grid cells of the last save, load and delete trigger.
    CCellID m_cellSave;
    CCellID m_cellLoad;
    CCellID m_cellDelete;

protected:
    // No key reaches the dialog's own handling: Enter and Escape give the
    // dialog the focus, nothing closes it, and no key moves the focus
    // between its controls. The grid still takes Tab and the arrows.
    bool PreTranslateMessage(QObject* watched, QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close box: as Cancel.
    void reject() override;

private:
    void SetUpGrid();
    bool IsValidRow(int row) const;
    // The slot's name as the list shows it.
    static QString SlotName(int slot);
    // Row of slot: its number and its name again.
    void ShowSlotRow(int slot);

    CBrelinView* m_pView = nullptr;
    CComboGridCtrl* m_pGrid = nullptr;
    QPushButton* m_btnAction = nullptr;
    QPushButton* m_btnCancel = nullptr;
};
