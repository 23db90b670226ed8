#include "pages/output/CH_Link_Dlg.h"

#include "platform/core/MessageBoxHook.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 370 in dialog units of Arial 9.
const CRect kChLinkDialog(0, 0, 166, 96);
const CRect kChLinkPrompt(10, 8, 158, 20);
const CRect kChLinkFirst(20, 28, 150, 40);
const CRect kChLinkSecond(20, 46, 150, 58);
const CRect kChLinkOk(28, 72, 78, 86);
const CRect kChLinkCancel(90, 72, 140, 86);

struct ChLinkTexts {
    const char* first;
    const char* second;
    const char* caption;
};
const ChLinkTexts kChLinkPairs[] = {
    {"CH1 be applied?", "CH2 be applied? ", "Linking of CH1 and CH2 channel"},
    {"CH3 be applied? ", "CH4 be applied? ", "Linking of CH3 and CH4 channel"},
    {"CH5 be applied? ", "CH6 be applied? ", "Linking of CH5 and CH6 channel"},
};
}  // namespace

CCH_Link_Dlg::CCH_Link_Dlg(QWidget* parent)
    : QDialog(parent), m_btnOK(QStringLiteral("OK")), m_btnCancel(QStringLiteral("Cancel")),
      m_radioFirst(QStringLiteral("CH1 be applied?")), m_radioSecond(QStringLiteral("CH2 be applied? "))
{
    setWindowTitle(QStringLiteral("Link"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    setFont(font);
    setFixedSize(MapDialogRect(kChLinkDialog, font).Size());
    PlaceDialogControl(&m_stcPrompt, this, kChLinkPrompt, font, IDC_PROMPT);
    PlaceDialogControl(&m_radioFirst, this, kChLinkFirst, font, IDC_FIRST);
    PlaceDialogControl(&m_radioSecond, this, kChLinkSecond, font, IDC_SECOND);
    PlaceDialogControl(&m_btnOK, this, kChLinkOk, font, IDOK);
    PlaceDialogControl(&m_btnCancel, this, kChLinkCancel, font, IDCANCEL);
    m_stcPrompt.SetText(QStringLiteral("Which channel data should be applied? "));
    m_btnOK.setDefault(true);
    m_group.addButton(&m_radioFirst, 0);
    m_group.addButton(&m_radioSecond, 1);
    connect(&m_radioFirst, &QAbstractButton::clicked, this, [this] { OnChannelRadio(); });
    connect(&m_radioSecond, &QAbstractButton::clicked, this, [this] { OnChannelRadio(); });
    connect(&m_btnOK, &QPushButton::clicked, this, &CCH_Link_Dlg::accept);
    connect(&m_btnCancel, &QPushButton::clicked, this, &CCH_Link_Dlg::reject);
}

void CCH_Link_Dlg::DoDataExchange(bool save)
{
    if (save) {
        m_nChoice = m_group.checkedId();
        return;
    }
    if (QAbstractButton* radio = m_group.button(m_nChoice))
        radio->setChecked(true);
}

void CCH_Link_Dlg::OnChannelRadio()
{
    DoDataExchange(true);
}

bool CCH_Link_Dlg::OnInitDialog()
{
    DoDataExchange(false);
    if (m_nPair >= 0 && m_nPair < 3) {
        const ChLinkTexts& texts = kChLinkPairs[m_nPair];
        m_radioFirst.setText(QString::fromLatin1(texts.first));
        m_radioSecond.setText(QString::fromLatin1(texts.second));
        setWindowTitle(QString::fromLatin1(texts.caption));
    }
    return true;
}

int CCH_Link_Dlg::DoModal()
{
    OnInitDialog();
    return RunModalDialog(*this);
}

void CCH_Link_Dlg::accept()
{
    DoDataExchange(true);
    done(IDOK);
}

void CCH_Link_Dlg::reject()
{
    done(IDCANCEL);
}
