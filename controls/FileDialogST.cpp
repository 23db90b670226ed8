#include "controls/FileDialogST.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/core/MessageBoxHook.h"
#include "platform/gui/FileDialog.h"

namespace {
const QChar kPathNul(0);

// The text from at up to the next NUL or the end.
QString BufferTextFrom(const QString& buffer, qsizetype at)
{
    const qsizetype end = buffer.indexOf(kPathNul, at);
    return buffer.mid(at, end < 0 ? -1 : end - at);
}

// True when the text ends at index at (a NUL or the end of the buffer).
bool BufferEndsAt(const QString& buffer, qsizetype at)
{
    return at >= buffer.size() || buffer[at] == kPathNul;
}

bool IsPathSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}
}  // namespace

CFileDialogST::CFileDialogST(bool bOpenFileDialog, const QString& defExt, QString* fileBuffer, DWORD flags,
                             const QString& filter, QWidget* parent)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(defExt),
      m_pFile(fileBuffer ? fileBuffer : &m_szFile),
      m_nFlags(flags | OFN_EXPLORER),
      m_strFilter(filter),
      m_pParent(parent)
{
}

CFileDialogST::CFileDialogST() : m_pFile(&m_szFile) {}

CFileDialogST::~CFileDialogST() = default;

// ---- The dialogs ---------------------------------------------------------------------------

QStringList CFileDialogST::QtFilters(const QString& filter)
{
    const QStringList pieces = filter.split(kPathNul);
    QStringList filters;
    for (qsizetype k = 0; k + 1 < pieces.size(); k += 2) {
        if (pieces[k].isEmpty())
            break;
        QString patterns = pieces[k + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(pieces[k] + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')'));
    }
    return filters;
}

QString CFileDialogST::ExplorerText(const QStringList& files)
{
    if (files.size() == 1)
        return files.first();
    // The dialog chooses in one folder: the first file's.
    QString text = QFileInfo(files.first()).absolutePath() + kPathNul;
    for (const QString& file : files)
        text += QFileInfo(file).fileName() + kPathNul;
    return text + kPathNul;
}

int CFileDialogST::DoModal()
{
    FileDialogRequest request;
    request.mode = m_bOpenFileDialog ? FileDialogRequest::OPEN : FileDialogRequest::SAVE;
    request.parent = m_pParent;
    request.fileName = GetPathName();
    request.filters = QtFilters(m_strFilter);
    request.defaultSuffix = m_strDefExt.startsWith(QLatin1Char('.')) ? m_strDefExt.mid(1) : m_strDefExt;
    request.existingOnly = (m_nFlags & OFN_FILEMUSTEXIST) != 0;
    request.askOverwrite = (m_nFlags & OFN_OVERWRITEPROMPT) != 0;
    request.manyFiles = m_bOpenFileDialog && (m_nFlags & OFN_ALLOWMULTISELECT) != 0;
    const FileDialogResult result = ShowFileDialog(request);
    const QStringList files = result.LocalFiles();
    if (!result.accepted || files.isEmpty())
        return IDCANCEL;
    *m_pFile = ExplorerText(files);
    m_szFileTitle = files.size() == 1 ? QFileInfo(files.first()).fileName() : QString();
    return IDOK;
}

int CFileDialogST::SelectFolder(const QString& title, const QString& startFolder, UINT, QWidget* parent)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::FOLDER;
    request.parent = parent;
    request.title = title;
    request.directory = startFolder;
    const FileDialogResult result = ShowFileDialog(request);
    if (!result.accepted || result.urls.isEmpty())
        return IDCANCEL;
    const QUrl& folder = result.urls.first();
    if (folder.isLocalFile()) {
        m_strSelectedFolder = folder.toLocalFile();
        return IDOK;
    }
    // No local path: only the place's name is known.
    const QString name = folder.fileName();
    m_strSelectedFolder = name.isEmpty() ? folder.toDisplayString() : name;
    return IDCANCEL;
}

// ---- The choice ---------------------------------------------------------------------------

CFileDialogST::PathPieces CFileDialogST::SplitPath(const QString& path)
{
    PathPieces pieces;
    QString rest = path;
    if (rest.size() >= 2 && rest[1] == QLatin1Char(':')) {
        pieces.drive = rest.left(2);
        rest = rest.mid(2);
    }
    qsizetype lastSeparator = -1;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (IsPathSeparator(rest[i]))
            lastSeparator = i;
    }
    pieces.dir = rest.left(lastSeparator + 1);
    const QString file = rest.mid(lastSeparator + 1);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    pieces.name = dot < 0 ? file : file.left(dot);
    pieces.ext = dot < 0 ? QString() : file.mid(dot);
    return pieces;
}

QString CFileDialogST::GetPathName() const
{
    return BufferTextFrom(*m_pFile, 0);
}

QString CFileDialogST::GetFileName() const
{
    return m_szFileTitle;
}

QString CFileDialogST::GetFileTitle() const
{
    return SplitPath(GetPathName()).name;
}

QString CFileDialogST::GetFileExt() const
{
    return SplitPath(GetPathName()).ext;
}

QString CFileDialogST::GetFileDir() const
{
    const PathPieces pieces = SplitPath(GetPathName());
    return pieces.drive + pieces.dir;
}

QString CFileDialogST::GetFileDrive() const
{
    return SplitPath(GetPathName()).drive;
}

CFileDialogST::POSITION CFileDialogST::GetStartPosition() const
{
    return 1;
}

QString CFileDialogST::GetNextPathName(POSITION& pos) const
{
    const QString& buffer = *m_pFile;
    const bool explorer = (m_nFlags & OFN_EXPLORER) != 0;
    const QChar separator = explorer ? kPathNul : QLatin1Char(' ');
    const QString text = BufferTextFrom(buffer, 0);
    if (pos <= 0)
        return QString();
    qsizetype at = pos - 1;

    if (at == 0) {
        if (!(m_nFlags & OFN_ALLOWMULTISELECT)) {
            pos = 0;
            return text;
        }
        // Past the directory: when nothing follows, one file was chosen.
        const qsizetype first = buffer.indexOf(separator);
        at = first < 0 ? buffer.size() : first + 1;
        if (BufferEndsAt(buffer, at) || (!explorer && first >= text.size())) {
            pos = 0;
            return text;
        }
    }

    const QString directory = explorer ? text : text.left(text.indexOf(separator));
    qsizetype end = at;
    while (!BufferEndsAt(buffer, end) && buffer[end] != separator)
        ++end;
    const QString name = buffer.mid(at, end - at);
    if (!explorer && BufferEndsAt(buffer, end)) {
        pos = 0;
    } else {
        at = end + 1;
        pos = BufferEndsAt(buffer, at) ? 0 : at + 1;
    }
    if (!directory.isEmpty() && IsPathSeparator(directory.back()))
        return directory + name;
    return directory + QLatin1Char('/') + name;
}
