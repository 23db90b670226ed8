#pragma once
// The link-group dialog (dialog 963, "Joint Debug Settings"): links output
// channels 1 to 8 into groups that take each other's changes. The left list
// holds the channels that can be moved, the right list the link relations,
// each row with its group number. In new-group mode ">>" moves the selected
// left rows into the one group on the right; in join mode ">>1" to ">>4"
// append them to group 1 to 4. "<<" goes back to the opening state. OK
// writes the link masks of the store and asks the store's copy target
// (WM_LINK_GROUP_COPY) to copy one member's settings through the group;
// the close box writes nothing.
//
// The opener constructs it with no parent, sets m_pStrip, m_pStore,
// m_nChannel and the mode, and calls DoModal. The dialog keeps no groups of
// its own: it reads the masks at opening and writes them only on OK.
// UI thread only.
#include <QDialog>
#include <QString>

#include "controls/BitButton.h"
#include "controls/ListCtrl.h"
#include "controls/TransparentStatic.h"
#include "pages/input/LinkGroupRecord.h"
#include "platform/core/MsgTarget.h"

class COutRouteDlg;
class ILinkMaskStore;

class CJoDeSet_Dlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 963,
        IDC_MOVE = 2819,
        IDC_BACK = 2820,
        IDC_JOIN2 = 2821,
        IDC_JOIN1 = 2822,
        IDC_JOIN3 = 2823,
        IDC_JOIN4 = 2824,
        IDC_CHANNELS = 2832,
        IDC_RELATIONS = 2833,
        IDC_LEFT_LABEL = 2835,
        IDC_RIGHT_LABEL = 2836,
    };
    enum : int { CHANNELS = 8, GROUPS = 4 };

    explicit CJoDeSet_Dlg(QWidget* parent = nullptr);

    // Opening: resets the state, sets texts, fonts and columns, builds the
    // link matrix and the groups from the store, fills both lists by mode
    // and shows the buttons of the mode.
    bool OnInitDialog();
    // The set-up, then the modal run (RunModalDialog); its result. Without
    // a store, or for a channel outside 0..7 (which no link mask can
    // express), the dialog does not open and IDCANCEL comes back.
    int DoModal();

    // The buttons' and lists' notices.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A click in the left or right list: which list is active and which of
    // its rows were selected.
    void OnClickChannels();
    void OnClickRelations();
    // ">>" (new-group mode).
    void OnMove();
    // ">>1" to ">>4" (join mode), group 1..4.
    void OnJoin(int group);
    // "<<": back to the opening state, after a move only.
    void OnBack();
    // OK: writes the masks, posts the copy and closes; closes without
    // anything else when nothing was moved.
    void OnOK();

    void accept() override;
    void reject() override;

    // The channel 0..7 a row name stands for: its last character as a
    // digit, minus 1 (-1 when that is no digit 1..8).
    static int ChannelOfName(const QString& name);
    // "Channel3" or "通道3" for channel 2, by g_bChinese.
    static QString ChannelName(int channel);

    // The strip that opened the dialog; kept for the opener, never used.
    COutRouteDlg* m_pStrip = nullptr;
    // Where the link masks live and whom OK asks to copy.
    ILinkMaskStore* m_pStore = nullptr;
    CBitButton m_btnJoin4;
    CBitButton m_btnJoin3;
    CBitButton m_btnJoin2;
    CBitButton m_btnJoin1;
    CListCtrl m_listRelations;
    CListCtrl m_listChannels;
    CBitButton m_btnBack;
    CBitButton m_btnMove;
    CBitButton m_btnOK;
    CTransparentStatic m_staticLeft;
    CTransparentStatic m_staticRight;
    // 1 new-group mode, 0 join mode.
    int m_bNewGroup = 1;
    // 1 in join mode; set by the opener, not read.
    int m_bJoinGroup = 0;
    // The opening strip's output, 0-based.
    int m_nChannel = 0;
    // The groups found at opening, numbered 1 to 4.
    LinkGroupRecord m_Group[GROUPS];
    // Join mode: group k+1 has rows in the right list.
    int m_bGroupShown[GROUPS] = {};
    QString m_strColumnTitle;
    int m_bLeftActive = 0;
    int m_bRightActive = 0;
    // Row i of the list was selected at its last click.
    int m_bLeftSel[CHANNELS] = {};
    int m_bRightSel[CHANNELS] = {};
    // Per channel: its link mask while it is being moved, else -1.
    int m_nSelMask[CHANNELS] = {};
    // A move was made since opening or since "<<".
    int m_bModified = 0;
    // (i, j) = 1: bit j of channel i's link mask was set at opening.
    int m_nLink[CHANNELS][CHANNELS] = {};
    // The group number of the last join button pressed; empty until then.
    QString m_strJoinGroup;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Steps of the opening that "<<" runs again.
    void ResetState();
    void BuildLinkMatrix();
    void BuildGroups();
    void FillLists();
    void FillNewGroup();
    void FillJoin();
    void ShowModeButtons();
    // Texts, fonts and columns of the language.
    void SetTexts();

    bool IsLinked(int channel) const;
    // 1..4: the last group that holds channel; 0 when none does.
    int GroupOf(int channel) const;
    // The right list in order of ID, then name.
    void SortRelations();
    // Appends a row (ID, name) to list.
    static void AppendRow(CListCtrl& list, const QString& id, const QString& name);
    void RenumberChannels();
    void ClearSelectionFlags();
    bool AnyLeftFlagged() const;
    // Marks the flagged left rows for moving and asks, for each linked one,
    // whether its unflagged group partners in the left list come along
    // (Yes flags them too).
    void TakeFlaggedRows();
    void AskForPartners(int row);
    // The channels' masks through the store: step (a) of OK, then the one
    // group of channels gets the mask of them all.
    void UnlinkLeftPairs();
    void WriteGroup(const int (&member)[CHANNELS]);
    // The channel whose row in the right list carries this name, or false.
    bool RelationsHoldName(const QString& name) const;
};
