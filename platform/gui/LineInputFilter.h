#pragma once
// One gate for everything a user puts into a line edit: typed characters,
// text an input method commits, pasted text (the paste keys, the context
// menu, unless the edit's policy turns its menu off, and, where the system
// has one, the selection paste) and dropped
// text. Each goes through the filter, which answers what goes in instead;
// an empty answer refuses it. Text the program sets (setText, insert) never
// passes the gate.
#include <functional>

#include <QClipboard>
#include <QObject>
#include <QString>
#include <QStringList>

class QLineEdit;

enum class EInputSource { Typed, Committed, Pasted, Dropped };

// edit: the edit the text goes into (its text and selection as they are
// before the input); text: what the user puts in.
using LineInputFilter = std::function<QString(const QLineEdit& edit, const QString& text, EInputSource source)>;

class CLineInputFilter : public QObject {
    Q_OBJECT
public:
    // Becomes a child of edit and watches its events from now on.
    CLineInputFilter(QLineEdit* edit, LineInputFilter filter);

    // Puts the clipboard's text in, through the filter, as the edit's own
    // paste would; nothing when the filter refuses it all.
    void Paste(QClipboard::Mode mode = QClipboard::Clipboard);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKeyPress(class QKeyEvent* event);
    bool OnDrop(class QDropEvent* event);
    void ShowContextMenu(const QPoint& globalPos);
    QString Filtered(const QString& text, EInputSource source) const;

    QLineEdit* m_pEdit;
    LineInputFilter m_filter;
};

// Routes the user's input into edit through filter (see above). One filter
// per edit: a filter that must do two jobs does both in one function.
void InstallLineInputFilter(QLineEdit* edit, LineInputFilter filter);

// Helpers of the old edits' length limit, which counts the bytes the text
// takes in the device's code page (a Chinese character counts two).

// The edit's text as it will be once its selection gives way to the input.
QString TextOutsideSelection(const QLineEdit& edit);
// text cut into its characters (a surrogate pair stays one piece).
QStringList SplitCharacters(const QString& text);
// The leading pieces that fit: as many as keep the byte length of the edit's
// text outside the selection, with them, within limit; each piece goes in
// whole or not at all. A limit of 0 or less lets everything in.
QString FitByteLimit(const QLineEdit& edit, const QStringList& pieces, int limit);
