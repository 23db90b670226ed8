#include "pages/input/JoDeSet_Dlg.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QStringList>

#include "model/WindowMessages.h"
#include "pages/LinkMaskStore.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ListFonts.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 963 in dialog units of Arial 10 (left, top, right, bottom).
const CRect kJoDeSetDialog(0, 0, 274, 197);
const CRect kJoDeSetChannels(21, 33, 111, 167);
const CRect kJoDeSetRelations(166, 33, 256, 167);
const CRect kJoDeSetLeftLabel(22, 19, 110, 31);
const CRect kJoDeSetRightLabel(168, 19, 270, 31);
const CRect kJoDeSetJoin1(129, 61, 150, 74);
const CRect kJoDeSetJoin2(129, 81, 150, 94);
const CRect kJoDeSetMove(129, 92, 150, 105);
const CRect kJoDeSetJoin3(129, 106, 150, 119);
const CRect kJoDeSetJoin4(129, 125, 150, 138);
const CRect kJoDeSetBack(129, 145, 150, 158);
const CRect kJoDeSetOk(226, 174, 266, 188);

constexpr COLORREF kJoDeSetListBack = RGB(247, 247, 255);
constexpr COLORREF kJoDeSetListText = RGB(0, 0, 0);
constexpr int kJoDeSetIdWidth = 40;
constexpr int kJoDeSetNameWidth = 110;

QString JoDeSetText(const char* chinese, const char* english)
{
    return g_bChinese ? QString::fromUtf8(chinese) : QString::fromUtf8(english);
}
}  // namespace

CJoDeSet_Dlg::CJoDeSet_Dlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 10);
    setFont(font);
    setFixedSize(MapDialogRect(kJoDeSetDialog, font).Size());
    PlaceDialogControl(&m_listChannels, this, kJoDeSetChannels, font, IDC_CHANNELS);
    PlaceDialogControl(&m_btnJoin1, this, kJoDeSetJoin1, font, IDC_JOIN1);
    PlaceDialogControl(&m_btnJoin2, this, kJoDeSetJoin2, font, IDC_JOIN2);
    PlaceDialogControl(&m_btnMove, this, kJoDeSetMove, font, IDC_MOVE);
    PlaceDialogControl(&m_btnJoin3, this, kJoDeSetJoin3, font, IDC_JOIN3);
    PlaceDialogControl(&m_btnJoin4, this, kJoDeSetJoin4, font, IDC_JOIN4);
    PlaceDialogControl(&m_btnBack, this, kJoDeSetBack, font, IDC_BACK);
    PlaceDialogControl(&m_listRelations, this, kJoDeSetRelations, font, IDC_RELATIONS);
    PlaceDialogControl(&m_btnOK, this, kJoDeSetOk, font, IDOK);
    PlaceDialogControl(&m_staticLeft, this, kJoDeSetLeftLabel, font, IDC_LEFT_LABEL);
    PlaceDialogControl(&m_staticRight, this, kJoDeSetRightLabel, font, IDC_RIGHT_LABEL);
    m_btnJoin1.setText(QStringLiteral(">>1"));
    m_btnJoin2.setText(QStringLiteral(">>2"));
    m_btnJoin3.setText(QStringLiteral(">>3"));
    m_btnJoin4.setText(QStringLiteral(">>4"));
    m_btnMove.setText(QStringLiteral(">>"));
    m_btnBack.setText(QStringLiteral("<<"));
    m_btnOK.setText(QStringLiteral("OK"));
    for (CListCtrl* list : {&m_listChannels, &m_listRelations}) {
        list->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        list->SetBkColor(kJoDeSetListBack);
        list->SetTextBkColor(kJoDeSetListBack);
        list->SetTextColor(kJoDeSetListText);
    }
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QString CJoDeSet_Dlg::ChannelName(int channel)
{
    return (g_bChinese ? QStringLiteral("通道") : QStringLiteral("Channel")) + QString::number(channel + 1);
}

int CJoDeSet_Dlg::ChannelOfName(const QString& name)
{
    if (name.isEmpty())
        return -1;
    const int digit = name.back().digitValue();
    return digit >= 1 && digit <= CHANNELS ? digit - 1 : -1;
}

// ---- Opening ----------------------------------------------------------------

bool CJoDeSet_Dlg::OnInitDialog()
{
    ResetState();
    SetTexts();
    BuildLinkMatrix();
    BuildGroups();
    FillLists();
    m_strJoinGroup.clear();
    ShowModeButtons();
    return true;
}

int CJoDeSet_Dlg::DoModal()
{
    if (m_pStore == nullptr || m_nChannel < 0 || m_nChannel >= CHANNELS)
        return IDCANCEL;
    OnInitDialog();
    return RunModalDialog(*this);
}

void CJoDeSet_Dlg::ResetState()
{
    m_bLeftActive = 0;
    m_bRightActive = 0;
    for (int i = 0; i < CHANNELS; ++i) {
        m_bLeftSel[i] = 0;
        m_bRightSel[i] = 0;
        m_nSelMask[i] = -1;
    }
    m_bModified = 0;
    for (int g = 0; g < GROUPS; ++g) {
        m_Group[g].Clear();
        m_bGroupShown[g] = 0;
    }
}

void CJoDeSet_Dlg::SetTexts()
{
    setWindowTitle(JoDeSetText("联调设置", "Joint Debug Settings"));
    m_btnOK.setText(JoDeSetText("确定", "OK"));
    m_strColumnTitle = JoDeSetText("通道名:", "Channel Name:");
    m_staticLeft.SetText(JoDeSetText("可操作通道:", "Operable channel:"));
    m_staticRight.SetText(JoDeSetText("联调关系:", "joint debug relations:"));
    const QFont& font = g_bChinese ? g_fontArial16Bold : g_fontList16;
    m_staticLeft.setFont(font);
    m_staticRight.setFont(font);
    for (CListCtrl* list : {&m_listChannels, &m_listRelations}) {
        list->setFont(font);
        list->SetItemHeight(QFontMetrics(font).height() + 4);
        if (list->columnCount() == 0) {
            list->InsertColumn(0, QStringLiteral("ID"), LVCFMT_CENTER, kJoDeSetIdWidth);
            list->InsertColumn(1, m_strColumnTitle, LVCFMT_LEFT, kJoDeSetNameWidth);
        } else if (QTableWidgetItem* heading = list->horizontalHeaderItem(1)) {
            heading->setText(m_strColumnTitle);
        }
    }
}

void CJoDeSet_Dlg::BuildLinkMatrix()
{
    for (int i = 0; i < CHANNELS; ++i) {
        const int mask = m_pStore != nullptr ? m_pStore->LinkMask(i) : 0;
        for (int j = 0; j < CHANNELS; ++j)
            m_nLink[i][j] = (mask >> j) & 1;
    }
}

bool CJoDeSet_Dlg::IsLinked(int channel) const
{
    if (channel < 0 || channel >= CHANNELS)
        return false;
    for (int j = 0; j < CHANNELS; ++j)
        if (j != channel && m_nLink[channel][j] != 0)
            return true;
    return false;
}

int CJoDeSet_Dlg::GroupOf(int channel) const
{
    for (int g = GROUPS - 1; g >= 0; --g)
        if (m_Group[g].GetMember(channel))
            return g + 1;
    return 0;
}

void CJoDeSet_Dlg::BuildGroups()
{
    int a = 0;
    for (int i = 0; i < CHANNELS; ++i) {
        if (!IsLinked(i) || GroupOf(i) != 0)
            continue;
        // Groups left behind by earlier edits may overlap; only four
        // records exist, and the channels of any further group stay in
        // none of them.
        if (a >= GROUPS)
            break;
        for (int k = 0; k < CHANNELS; ++k)
            if (m_nLink[i][k] != 0)
                m_Group[a].SetMember(k);
        ++a;
    }
}

void CJoDeSet_Dlg::AppendRow(CListCtrl& list, const QString& id, const QString& name)
{
    const int row = list.InsertItem(list.GetItemCount(), id);
    list.SetItemText(row, 1, name);
}

void CJoDeSet_Dlg::FillLists()
{
    m_listChannels.DeleteAllItems();
    m_listRelations.DeleteAllItems();
    if (m_bNewGroup != 0)
        FillNewGroup();
    else
        FillJoin();
}

void CJoDeSet_Dlg::FillNewGroup()
{
    const int ch = m_nChannel;
    int number = 0;
    if (IsLinked(ch)) {
        const QString id = QString::number(GroupOf(ch));
        for (int c = 0; c < CHANNELS; ++c) {
            if (m_nLink[ch][c] != 0)
                AppendRow(m_listRelations, id, ChannelName(c));
            else
                AppendRow(m_listChannels, QString::number(++number), ChannelName(c));
        }
        return;
    }
    AppendRow(m_listRelations, QStringLiteral("1"), ChannelName(ch));
    for (int c = 0; c < CHANNELS; ++c)
        if (c != ch)
            AppendRow(m_listChannels, QString::number(++number), ChannelName(c));
}

void CJoDeSet_Dlg::FillJoin()
{
    const int ch = m_nChannel;
    int number = 0;
    for (int c = 0; c < CHANNELS; ++c) {
        if (IsLinked(c)) {
            if (ch >= 0 && ch < CHANNELS && m_nLink[c][ch] != 0) {
                AppendRow(m_listChannels, QString::number(++number), ChannelName(c));
            } else {
                const int group = GroupOf(c);
                AppendRow(m_listRelations, QString::number(group), ChannelName(c));
                if (group >= 1)
                    m_bGroupShown[group - 1] = 1;
            }
        } else if (c == ch) {
            AppendRow(m_listChannels, QString::number(++number), ChannelName(c));
        }
    }
    SortRelations();
}

void CJoDeSet_Dlg::ShowModeButtons()
{
    CBitButton* joins[GROUPS] = {&m_btnJoin1, &m_btnJoin2, &m_btnJoin3, &m_btnJoin4};
    const bool newGroup = m_bNewGroup != 0;
    m_btnMove.setVisible(newGroup);
    for (int g = 0; g < GROUPS; ++g)
        joins[g]->setVisible(!newGroup && m_bGroupShown[g] != 0);
}

void CJoDeSet_Dlg::SortRelations()
{
    std::vector<std::pair<QString, QString>> rows;
    for (int r = 0; r < m_listRelations.GetItemCount(); ++r)
        rows.emplace_back(m_listRelations.GetItemText(r, 0), m_listRelations.GetItemText(r, 1));
    std::stable_sort(rows.begin(), rows.end());
    m_listRelations.DeleteAllItems();
    for (const auto& row : rows)
        AppendRow(m_listRelations, row.first, row.second);
}

// ---- Selection ----------------------------------------------------------------

void CJoDeSet_Dlg::OnClickChannels()
{
    m_bLeftActive = 1;
    m_bRightActive = 0;
    for (int i = 0; i < CHANNELS; ++i)
        m_bLeftSel[i] = i < m_listChannels.GetItemCount() && m_listChannels.IsItemSelected(i) ? 1 : 0;
}

void CJoDeSet_Dlg::OnClickRelations()
{
    m_bRightActive = 1;
    m_bLeftActive = 0;
    for (int i = 0; i < CHANNELS; ++i)
        m_bRightSel[i] = i < m_listRelations.GetItemCount() && m_listRelations.IsItemSelected(i) ? 1 : 0;
}

bool CJoDeSet_Dlg::AnyLeftFlagged() const
{
    const int rows = std::min<int>(m_listChannels.GetItemCount(), CHANNELS);
    for (int r = 0; r < rows; ++r)
        if (m_bLeftSel[r] != 0)
            return true;
    return false;
}

void CJoDeSet_Dlg::ClearSelectionFlags()
{
    for (int i = 0; i < CHANNELS; ++i) {
        m_bLeftSel[i] = 0;
        m_bRightSel[i] = 0;
    }
}

// ---- Moves --------------------------------------------------------------------

void CJoDeSet_Dlg::AskForPartners(int row)
{
    const QString name = m_listChannels.GetItemText(row, 1);
    const int channel = ChannelOfName(name);
    QStringList partners;
    const int rows = std::min<int>(m_listChannels.GetItemCount(), CHANNELS);
    std::vector<int> partnerRows;
    for (int k = 0; k < CHANNELS; ++k) {
        if (k == channel)
            continue;
        bool together = false;
        for (const LinkGroupRecord& group : m_Group)
            together = together || (group.GetMember(channel) && group.GetMember(k));
        if (!together)
            continue;
        for (int r = 0; r < rows; ++r) {
            if (m_bLeftSel[r] == 0 && ChannelOfName(m_listChannels.GetItemText(r, 1)) == k) {
                partners << ChannelName(k);
                partnerRows.push_back(r);
            }
        }
    }
    if (partners.isEmpty())
        return;
    const QString question = name + QStringLiteral("与") + partners.join(QLatin1Char(' ')) +
                             JoDeSetText("联调，是否添加未选中的联调项？",
                                         " joint debugging, whether to add unselected joint debugging item?");
    if (AppMessageBox(question, MB_YESNO, g_bChinese ? -2 : -3) != IDYES)
        return;
    for (int r : partnerRows)
        m_bLeftSel[r] = 1;
}

void CJoDeSet_Dlg::TakeFlaggedRows()
{
    const int rows = std::min<int>(m_listChannels.GetItemCount(), CHANNELS);
    for (int r = 0; r < rows; ++r) {
        if (m_bLeftSel[r] == 0)
            continue;
        if (IsLinked(ChannelOfName(m_listChannels.GetItemText(r, 1))))
            AskForPartners(r);
    }
    for (int r = 0; r < rows; ++r) {
        const int channel = ChannelOfName(m_listChannels.GetItemText(r, 1));
        if (m_bLeftSel[r] != 0 && channel >= 0 && m_pStore != nullptr)
            m_nSelMask[channel] = m_pStore->LinkMask(channel);
    }
}

void CJoDeSet_Dlg::RenumberChannels()
{
    for (int r = 0; r < m_listChannels.GetItemCount(); ++r)
        m_listChannels.SetItemText(r, 0, QString::number(r + 1));
}

void CJoDeSet_Dlg::OnMove()
{
    if (m_bNewGroup == 0 || !AnyLeftFlagged())
        return;
    TakeFlaggedRows();
    QString names[CHANNELS];
    for (int r = 0; r < m_listRelations.GetItemCount(); ++r) {
        const QString name = m_listRelations.GetItemText(r, 1);
        const int channel = ChannelOfName(name);
        if (channel >= 0)
            names[channel] = name;
    }
    const int rows = std::min<int>(m_listChannels.GetItemCount(), CHANNELS);
    for (int r = 0; r < rows; ++r) {
        const QString name = m_listChannels.GetItemText(r, 1);
        const int channel = ChannelOfName(name);
        if (m_bLeftSel[r] != 0 && channel >= 0)
            names[channel] = name;
    }
    const QString id = m_listRelations.GetItemText(0, 0);
    m_listRelations.DeleteAllItems();
    for (int r = rows - 1; r >= 0; --r)
        if (m_bLeftSel[r] != 0)
            m_listChannels.DeleteItem(r);
    for (const QString& name : names)
        if (!name.isEmpty())
            AppendRow(m_listRelations, id, name);
    RenumberChannels();
    ClearSelectionFlags();
    m_bModified = 1;
}

void CJoDeSet_Dlg::OnJoin(int group)
{
    if (m_bNewGroup != 0 || group < 1 || group > GROUPS || !AnyLeftFlagged())
        return;
    m_strJoinGroup = QString::number(group);
    TakeFlaggedRows();
    const int rows = std::min<int>(m_listChannels.GetItemCount(), CHANNELS);
    for (int r = 0; r < rows; ++r)
        if (m_bLeftSel[r] != 0)
            AppendRow(m_listRelations, m_strJoinGroup, m_listChannels.GetItemText(r, 1));
    for (int r = rows - 1; r >= 0; --r)
        if (m_bLeftSel[r] != 0)
            m_listChannels.DeleteItem(r);
    SortRelations();
    ClearSelectionFlags();
    m_bModified = 1;
}

void CJoDeSet_Dlg::OnBack()
{
    if (m_bModified == 0)
        return;
    // The masks are as they were at opening: only OK writes them.
    ResetState();
    BuildLinkMatrix();
    BuildGroups();
    FillLists();
    m_strJoinGroup.clear();
}

// ---- OK ------------------------------------------------------------------------

bool CJoDeSet_Dlg::RelationsHoldName(const QString& name) const
{
    for (int r = 0; r < m_listRelations.GetItemCount(); ++r)
        if (m_listRelations.GetItemText(r, 1) == name)
            return true;
    return false;
}

void CJoDeSet_Dlg::UnlinkLeftPairs()
{
    for (int r = 0; r < m_listChannels.GetItemCount(); ++r) {
        const int c = ChannelOfName(m_listChannels.GetItemText(r, 1));
        if (c < 0)
            continue;
        const int before = m_pStore->LinkMask(c);
        int mask = before;
        for (int j = 0; j < CHANNELS; ++j)
            if (j != c && m_nLink[c][j] != 0 && !RelationsHoldName(ChannelName(j)))
                mask &= ~(1 << j);
        if (mask != before)
            m_pStore->SetLinkMask(c, mask);
    }
}

void CJoDeSet_Dlg::WriteGroup(const int (&member)[CHANNELS])
{
    int mask = 0;
    for (int c = 0; c < CHANNELS; ++c)
        if (member[c] != 0)
            mask |= 1 << c;
    for (int c = 0; c < CHANNELS; ++c)
        if (member[c] != 0)
            m_pStore->SetLinkMask(c, mask);
}

void CJoDeSet_Dlg::OnOK()
{
    if (m_bModified == 0 || m_pStore == nullptr) {
        QDialog::done(IDOK);
        return;
    }
    int member[CHANNELS] = {};
    if (m_bNewGroup != 0) {
        UnlinkLeftPairs();
        for (int r = 0; r < m_listRelations.GetItemCount(); ++r) {
            const int c = ChannelOfName(m_listRelations.GetItemText(r, 1));
            if (c >= 0)
                member[c] = 1;
        }
        WriteGroup(member);
        PostMessage(m_pStore->LinkGroupCopyTarget(), WM_LINK_GROUP_COPY, WPARAM(m_nChannel), 0);
        QDialog::done(IDOK);
        return;
    }
    const int group = m_strJoinGroup.toInt();
    int source = -1;
    if (group >= 1 && group <= GROUPS)
        for (int c = CHANNELS - 1; c >= 0; --c)
            if (m_Group[group - 1].GetMember(c))
                source = c;
    if (source < 0) {
        // No group was joined: nothing to write or copy.
        QDialog::done(IDOK);
        return;
    }
    UnlinkLeftPairs();
    for (int r = 0; r < m_listRelations.GetItemCount(); ++r) {
        const int c = ChannelOfName(m_listRelations.GetItemText(r, 1));
        if (c >= 0 && m_listRelations.GetItemText(r, 0) == m_strJoinGroup)
            member[c] = 1;
    }
    WriteGroup(member);
    PostMessage(m_pStore->LinkGroupCopyTarget(), WM_LINK_GROUP_COPY, WPARAM(source), 1);
    QDialog::done(IDOK);
}

void CJoDeSet_Dlg::accept()
{
    OnOK();
}

void CJoDeSet_Dlg::reject()
{
    QDialog::done(IDCANCEL);
}

// ---- Messages -------------------------------------------------------------------

LRESULT CJoDeSet_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_MOVE: OnMove(); break;
        case IDC_JOIN1: OnJoin(1); break;
        case IDC_JOIN2: OnJoin(2); break;
        case IDC_JOIN3: OnJoin(3); break;
        case IDC_JOIN4: OnJoin(4); break;
        case IDC_BACK: OnBack(); break;
        case IDOK: OnOK(); break;
        default: break;
        }
        return 0;
    }
    if (message == WM_NOTIFY) {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (notice != nullptr && notice->code == NM_CLICK) {
            if (notice->idFrom == IDC_CHANNELS)
                OnClickChannels();
            else if (notice->idFrom == IDC_RELATIONS)
                OnClickRelations();
        }
    }
    return 0;
}

bool CJoDeSet_Dlg::eventFilter(QObject* watched, QEvent* event)
{
    // Neither Enter nor Escape closes the dialog: OK and the close box do.
    if (event->type() == QEvent::KeyPress && TakeFocusOnEnterOrEscape(this, static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CJoDeSet_Dlg::keyPressEvent(QKeyEvent* event)
{
    // QDialog's own Enter and Escape handling never runs.
    event->ignore();
}
