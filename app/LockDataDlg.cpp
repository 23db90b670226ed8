#include "app/LockDataDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

#include "model/TextFormat.h"
#include "platform/core/PerfCounter.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"

CLockDataDlg* g_pCommLogDlg = nullptr;

namespace {
// The layout in dialog units (left, top, right, bottom).
const CRect kLockDialog(0, 0, 476, 219);
const CRect kSentLabel(7, 7, 229, 17);
const CRect kSentPane(7, 18, 229, 187);
const CRect kReceivedLabel(262, 7, 469, 17);
const CRect kReceivedPane(262, 18, 469, 187);
const CRect kClear(93, 195, 143, 209);
const CRect kSmallEdit1(262, 195, 322, 207);
const CRect kSmallEdit2(330, 195, 390, 207);

QPlainTextEdit* MakePane(QWidget* parent, const CRect& place, const QFont& font, int id)
{
    auto* pane = new QPlainTextEdit(parent);
    pane->setGeometry(MapDialogRect(place, font).ToQRect());
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetDlgCtrlID(pane, id);
    return pane;
}

QLineEdit* MakeSmallEdit(QWidget* parent, const CRect& place, const QFont& font, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(MapDialogRect(place, font).ToQRect());
    SetDlgCtrlID(edit, id);
    return edit;
}

void MakeLabel(QWidget* parent, const CRect& place, const QFont& font, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(MapDialogRect(place, font).ToQRect());
}
}  // namespace

CLockDataDlg::CLockDataDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Lock"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    const QFont font = CreateFontIndirect(SystemFontLogFont()).value_or(QFont());
    setFont(font);
    setFixedSize(MapDialogRect(kLockDialog, font).Size());

    MakeLabel(this, kSentLabel, font, QStringLiteral("写数据"));
    MakeLabel(this, kReceivedLabel, font, QStringLiteral("读数据"));
    m_editSent = MakePane(this, kSentPane, font, IDC_SENT_LOG);
    m_editReceived = MakePane(this, kReceivedPane, font, IDC_RECEIVED_LOG);
    m_btnClear = new QPushButton(QStringLiteral("Clear"), this);
    m_btnClear->setGeometry(MapDialogRect(kClear, font).ToQRect());
    SetDlgCtrlID(m_btnClear, IDC_CLEAR);
    m_editSmall1 = MakeSmallEdit(this, kSmallEdit1, font, IDC_SMALL_EDIT1);
    m_editSmall2 = MakeSmallEdit(this, kSmallEdit2, font, IDC_SMALL_EDIT2);
    connect(m_btnClear, &QPushButton::clicked, this, [this] { OnClear(); });
}

void CLockDataDlg::Append(QPlainTextEdit* pane, const QString& text, bool withTime, bool newLine)
{
    QString added = text;
    if (withTime)
        added += QStringLiteral(" (") + FormatDelayText(QueryPerformanceCounter()) + QStringLiteral(")");
    if (newLine)
        added += QStringLiteral("\r\n");
    // A pane breaks lines at "\n" alone; "\r\n" is one break, not two.
    added.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor(pane->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(added);
    QScrollBar* bar = pane->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void CLockDataDlg::AppendSentLog(const char* text, bool withTime, bool newLine)
{
    AppendSentLog(QString::fromLocal8Bit(text), withTime, newLine);
}

void CLockDataDlg::AppendSentLog(const QString& text, bool withTime, bool newLine)
{
    Append(m_editSent, text, withTime, newLine);
}

void CLockDataDlg::AppendReceivedLog(const char* text, bool withTime, bool newLine)
{
    AppendReceivedLog(QString::fromLocal8Bit(text), withTime, newLine);
}

void CLockDataDlg::AppendReceivedLog(const QString& text, bool withTime, bool newLine)
{
    Append(m_editReceived, text, withTime, newLine);
}

void CLockDataDlg::ClearAndShow()
{
    OnClear();
    show();
}

void CLockDataDlg::OnClear()
{
    m_editSent->clear();
    m_editReceived->clear();
}
