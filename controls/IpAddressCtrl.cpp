#include "controls/IpAddressCtrl.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "platform/core/MsgTarget.h"
#include "platform/gui/LineInputFilter.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Pixels a dot between two fields takes.
constexpr int kIpDotWidth = 6;

QString IpDigitsOf(const QString& text)
{
    QString digits;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    return digits;
}

// The field's number, -1 when it is empty.
int IpFieldValue(const QLineEdit* field)
{
    const QString text = field->text();
    return text.isEmpty() ? -1 : text.toInt();
}
}  // namespace

CIpAddressCtrl::CIpAddressCtrl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < FIELD_COUNT; ++i) {
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setFocusPolicy(Qt::StrongFocus);
        field->setContextMenuPolicy(Qt::NoContextMenu);
        // Digits only, and no more than three in the field.
        InstallLineInputFilter(field, [](const QLineEdit& edit, const QString& text, EInputSource) {
            return FitByteLimit(edit, SplitCharacters(IpDigitsOf(text)), FIELD_DIGITS);
        });
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { OnFieldEdited(i); });
        m_aFields[std::size_t(i)] = field;
    }
    setFocusProxy(m_aFields[0]);
    LayoutFields();
}

QString CIpAddressCtrl::GetAddressText() const
{
    if (IsBlank())
        return QString();
    QStringList parts;
    for (const QLineEdit* field : m_aFields)
        parts.append(field->text());
    return parts.join(QLatin1Char('.'));
}

void CIpAddressCtrl::SetAddressText(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    for (int i = 0; i < FIELD_COUNT; ++i) {
        QString digits = i < parts.size() ? IpDigitsOf(parts[i]).left(FIELD_DIGITS) : QString();
        if (!digits.isEmpty())
            digits = QString::number(std::min(digits.toInt(), int(FIELD_MAX)));
        m_aFields[std::size_t(i)]->setText(digits);
    }
}

void CIpAddressCtrl::ClearAddress()
{
    for (QLineEdit* field : m_aFields)
        field->clear();
}

bool CIpAddressCtrl::IsBlank() const
{
    for (const QLineEdit* field : m_aFields) {
        if (!field->text().isEmpty())
            return false;
    }
    return true;
}

int CIpAddressCtrl::FocusedField() const
{
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (m_aFields[std::size_t(i)]->hasFocus())
            return i;
    }
    return -1;
}

bool CIpAddressCtrl::Owns(const QWidget* widget) const
{
    return widget != nullptr && (widget == this || IndexOf(widget) >= 0);
}

void CIpAddressCtrl::SetFieldFocus(int index)
{
    if (index < 0 || index >= FIELD_COUNT)
        return;
    QLineEdit* field = m_aFields[std::size_t(index)];
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

int CIpAddressCtrl::IndexOf(const QObject* field) const
{
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (m_aFields[std::size_t(i)] == field)
            return i;
    }
    return -1;
}

void CIpAddressCtrl::OnFieldEdited(int index)
{
    QLineEdit* field = m_aFields[std::size_t(index)];
    const QString text = field->text();
    if (!text.isEmpty() && text.toInt() > FIELD_MAX)
        field->setText(QString::number(FIELD_MAX));
    NotifyFieldChanged(index);
    // A full field hands the typing on to the next one.
    if (field->text().size() >= FIELD_DIGITS && field->cursorPosition() >= FIELD_DIGITS && index + 1 < FIELD_COUNT)
        SetFieldFocus(index + 1);
}

void CIpAddressCtrl::NotifyFieldChanged(int index)
{
    NMIPADDRESS notice;
    notice.hdr.hwndFrom = this;
    notice.hdr.idFrom = std::uintptr_t(GetDlgCtrlID(this));
    notice.hdr.code = IPN_FIELDCHANGED;
    notice.iField = index;
    notice.iValue = IpFieldValue(m_aFields[std::size_t(index)]);
    SendMessage(GetParentTarget(this), WM_NOTIFY, WPARAM(GetDlgCtrlID(this)), reinterpret_cast<LPARAM>(&notice));
}

bool CIpAddressCtrl::eventFilter(QObject* watched, QEvent* event)
{
    const int index = IndexOf(watched);
    if (index >= 0 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QLineEdit* field = m_aFields[std::size_t(index)];
        // '.' moves on from a field that holds a number.
        if (key->text() == QLatin1String(".")) {
            if (!field->text().isEmpty() && index + 1 < FIELD_COUNT)
                SetFieldFocus(index + 1);
            return true;
        }
        // Backspace in an empty field goes back to the one before.
        if (key->key() == Qt::Key_Backspace && field->text().isEmpty() && index > 0) {
            QLineEdit* previous = m_aFields[std::size_t(index - 1)];
            previous->setFocus(Qt::OtherFocusReason);
            previous->end(false);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CIpAddressCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    for (int i = 0; i + 1 < FIELD_COUNT; ++i) {
        const QRect field = m_aFields[std::size_t(i)]->geometry();
        const QRect dot(field.right() + 1, 0, kIpDotWidth, height());
        painter.drawText(dot, Qt::AlignCenter, QStringLiteral("."));
    }
}

void CIpAddressCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutFields();
}

void CIpAddressCtrl::LayoutFields()
{
    const int fieldWidth = std::max(1, (width() - (FIELD_COUNT - 1) * kIpDotWidth) / FIELD_COUNT);
    for (int i = 0; i < FIELD_COUNT; ++i)
        m_aFields[std::size_t(i)]->setGeometry(i * (fieldWidth + kIpDotWidth), 0, fieldWidth, height());
}
