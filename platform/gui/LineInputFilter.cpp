#include "platform/gui/LineInputFilter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include "platform/core/TextCodec.h"

CLineInputFilter::CLineInputFilter(QLineEdit* edit, LineInputFilter filter)
    : QObject(edit), m_pEdit(edit), m_filter(std::move(filter))
{
    edit->installEventFilter(this);
}

QString CLineInputFilter::Filtered(const QString& text, EInputSource source) const
{
    return m_filter ? m_filter(*m_pEdit, text, source) : text;
}

void CLineInputFilter::Paste(QClipboard::Mode mode)
{
    if (m_pEdit->isReadOnly())
        return;
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (text.isEmpty())
        return;
    const QString accepted = Filtered(text, EInputSource::Pasted);
    if (!accepted.isEmpty())
        m_pEdit->insert(accepted);
}

bool CLineInputFilter::OnKeyPress(QKeyEvent* event)
{
    if (m_pEdit->isReadOnly())
        return false;
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return true;
    }
    // What the edit itself would insert: text that starts with a printable
    // character. Control characters and keys without text pass untouched.
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const QString accepted = Filtered(text, EInputSource::Typed);
    if (accepted == text)
        return false;
    if (!accepted.isEmpty())
        m_pEdit->insert(accepted);
    return true;
}

bool CLineInputFilter::OnDrop(QDropEvent* event)
{
    // A move inside the edit brings nothing new.
    if (m_pEdit->isReadOnly() || event->source() == m_pEdit || !event->mimeData()->hasText())
        return false;
    const QString text = event->mimeData()->text();
    const QString accepted = Filtered(text, EInputSource::Dropped);
    if (accepted == text)
        return false;
    if (accepted.isEmpty()) {
        event->ignore();
        return true;
    }
    m_pEdit->deselect();
    m_pEdit->setCursorPosition(m_pEdit->cursorPositionAt(event->position().toPoint()));
    m_pEdit->insert(accepted);
    event->acceptProposedAction();
    m_pEdit->update();
    return true;
}

void CLineInputFilter::ShowContextMenu(const QPoint& globalPos)
{
    QMenu* menu = m_pEdit->createStandardContextMenu();
    // The standard menu's paste would go around the gate: it pastes through
    // this filter instead. Its item is known by the paste keys shown after
    // the tab, which do not depend on the language.
    const QString pasteKeys =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->text().endsWith(pasteKeys))
            continue;
        QObject::disconnect(action, nullptr, m_pEdit, nullptr);
        QObject::connect(action, &QAction::triggered, this, [this] { Paste(); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

bool CLineInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pEdit)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return OnKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod: {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString commit = input->commitString();
        if (!commit.isEmpty() && !m_pEdit->isReadOnly()) {
            const QString accepted = Filtered(commit, EInputSource::Committed);
            if (accepted != commit)
                input->setCommitString(accepted, input->replacementStart(), input->replacementLength());
        }
        return false;
    }
    case QEvent::ContextMenu:
        // An edit that has no menu of its own shows none.
        if (m_pEdit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        ShowContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
            return false;
        Paste(QClipboard::Selection);
        return true;
    }
    case QEvent::Drop:
        return OnDrop(static_cast<QDropEvent*>(event));
    default:
        return false;
    }
}

void InstallLineInputFilter(QLineEdit* edit, LineInputFilter filter)
{
    new CLineInputFilter(edit, std::move(filter));
}

QString TextOutsideSelection(const QLineEdit& edit)
{
    QString text = edit.text();
    if (edit.hasSelectedText())
        text.remove(edit.selectionStart(), edit.selectedText().size());
    return text;
}

QStringList SplitCharacters(const QString& text)
{
    QStringList pieces;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        pieces.append(text.mid(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return pieces;
}

QString FitByteLimit(const QLineEdit& edit, const QStringList& pieces, int limit)
{
    QString accepted;
    qsizetype bytes = ToDeviceBytes(TextOutsideSelection(edit)).size();
    for (const QString& piece : pieces) {
        const qsizetype size = ToDeviceBytes(piece).size();
        if (limit > 0 && bytes + size > limit)
            break;
        accepted += piece;
        bytes += size;
    }
    return accepted;
}
