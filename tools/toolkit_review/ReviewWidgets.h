#pragma once
// Pieces every review sheet uses: the sheet itself on the dialogs'
// background, and small captions over what it shows.
#include <vector>

#include <QColor>
#include <QImage>
#include <QString>

class QLabel;
class QWidget;

// Shows the window, lets it lay itself out and paint, and grabs what it
// shows.
QImage ReviewShot(QWidget& window);
// The shots in a row on white, 10 pixels apart and from the edges.
QImage ReviewSideBySide(const std::vector<QImage>& shots);
// Sizes the sheet and fills it with the dialogs' background colour.
void SetUpReviewSheet(QWidget* sheet, int width, int height);
// A caption in the review's label style at (x, y) of parent.
QLabel* ReviewCaption(QWidget* parent, const QString& text, int x, int y);
// The rows one under another, gap pixels apart, on the background colour;
// as wide as the widest row.
QImage StackReviewRows(const std::vector<QImage>& rows, int gap, const QColor& background);
