// The grid's texts in a comma-separated text file: GBK bytes, CR LF after
// every line, no quoting.
#include <QFileInfo>

#include "controls/grid/GridCtrl.h"
#include "platform/core/FileIO.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/DrawText.h"

namespace {
// Larger files are refused: a grid of that size is no table of ours.
constexpr qint64 GRID_CSV_MAX_BYTES = 16 * 1024 * 1024;

// The file-error texts, the file name in place of %1.
const char* const kGridFileNotFound = "%1 was not found.";
const char* const kGridFileAccessDenied = "Access to %1 was denied.";
const char* const kGridFileReadError = "An error occurred while reading %1.";
const char* const kGridFileTooLarge = "%1 is too large to be opened.";
const char* const kGridFileNotText = "%1 is not a text file.";
const char* const kGridFileWriteError = "An error occurred while writing %1.";

// A line's fields: each runs to the next "," or to the line's end; a ","
// just before the end closes a last, empty field only when a line end
// follows (endsWithNewline).
QStringList GridCsvFields(const QString& line, bool endsWithNewline)
{
    QStringList fields = line.split(QLatin1Char(','));
    if (!endsWithNewline && line.endsWith(QLatin1Char(',')))
        fields.removeLast();
    if (!endsWithNewline && line.isEmpty())
        fields.clear();
    return fields;
}
}  // namespace

void CGridCtrl::ReportFileError(const QString& cause, const QString& path)
{
    AppMessageBox(cause.arg(path), MB_OK, 0);
}

bool CGridCtrl::Save(const QString& path)
{
    QString text;
    for (int row = 0; row < std::max(m_nRows, 1); ++row) {
        for (int col = 0; col < m_nCols; ++col) {
            text += GetItemText(row, col);
            text += col + 1 < m_nCols ? QStringLiteral(",") : QStringLiteral("\n");
        }
    }
    // Every line end is CR LF on disk, those inside a text too.
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (!WriteFileAtomically(path, ToDeviceBytes(text))) {
        ReportFileError(QString::fromLatin1(kGridFileWriteError), path);
        return false;
    }
    return true;
}

bool CGridCtrl::Load(const QString& path)
{
    // The whole file is read and checked before the grid changes.
    QByteArray bytes;
    switch (ReadWholeFile(path, GRID_CSV_MAX_BYTES, bytes)) {
    case FileReadResult::Ok:
        break;
    case FileReadResult::CannotOpen:
        ReportFileError(QString::fromLatin1(QFileInfo::exists(path) ? kGridFileAccessDenied : kGridFileNotFound), path);
        return false;
    case FileReadResult::TooLarge:
        ReportFileError(QString::fromLatin1(kGridFileTooLarge), path);
        return false;
    case FileReadResult::ReadError:
        ReportFileError(QString::fromLatin1(kGridFileReadError), path);
        return false;
    }
    if (bytes.contains('\0')) {
        ReportFileError(QString::fromLatin1(kGridFileNotText), path);
        return false;
    }
    // A text file's CR LF is a line end; every line is read whole.
    bytes.replace("\r\n", "\n");
    const QString text = FromDeviceBytes(bytes);
    QList<QStringList> lines;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        const QString line = text.mid(from, end < 0 ? -1 : end - from);
        lines.append(GridCsvFields(line, end >= 0));
        from = end < 0 ? text.size() : end + 1;
    }

    DeleteAllItems();
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList& fields = lines[i];
        if (i == 0) {
            for (const QString& field : fields)
                InsertColumn(field, DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1);
            continue;
        }
        if (fields.isEmpty())
            continue;
        const int row = InsertRow(fields[0], -1);
        for (int col = 1; col < fields.size(); ++col)
            SetItemText(row, col, fields[col]);
    }
    FitColumnsToText();
    return true;
}
