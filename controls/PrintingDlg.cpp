#include "controls/PrintingDlg.h"

#include <QLabel>
#include <QPushButton>

#include "controls/PrinterJob.h"
#include "platform/core/Language.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/LogFont.h"

namespace {
// The layout in dialog units (left, top, right, bottom).
const CRect kPrintingDialog(0, 0, 160, 76);
const CRect kPrintingDocument(8, 6, 152, 18);
const CRect kPrintingPort(8, 20, 152, 32);
const CRect kPrintingProgress(8, 34, 152, 46);
const CRect kPrintingCancel(55, 54, 105, 68);

QLabel* MakePrintingLabel(QWidget* parent, const CRect& place, const QFont& font, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(MapDialogRect(place, font).ToQRect());
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    return label;
}
}  // namespace

CPrintingDlg::CPrintingDlg(QWidget* parent, const QString& docName, const QString& port, bool toFile)
    : QDialog(parent)
{
    setWindowTitle(docName);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    const QFont font = CreateFontIndirect(DefaultGuiFontLogFont()).value_or(QFont());
    setFont(font);
    setFixedSize(MapDialogRect(kPrintingDialog, font).Size());

    m_stDocument = MakePrintingLabel(this, kPrintingDocument, font, docName);
    QString portText = toFile ? QStringLiteral("to %1") : QStringLiteral("on %1");
    m_stPort = MakePrintingLabel(this, kPrintingPort, font, portText.arg(port));
    m_stProgress = MakePrintingLabel(this, kPrintingProgress, font, QString());
    m_btnCancel = new QPushButton(g_bChinese ? QStringLiteral("取消") : QStringLiteral("Cancel"), this);
    m_btnCancel->setGeometry(MapDialogRect(kPrintingCancel, font).ToQRect());
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void CPrintingDlg::SetProgress(int n, int count)
{
    const int percent = count > 0 ? int(qint64(n) * 100 / count) : 0;
    m_stProgress->setText(QStringLiteral("%1 %").arg(percent));
}

QString CPrintingDlg::PortText() const
{
    return m_stPort->text();
}

QString CPrintingDlg::ProgressText() const
{
    return m_stProgress->text();
}

void CPrintingDlg::reject()
{
    g_bPrintUserAbort = true;
    m_btnCancel->setEnabled(false);
}
