#pragma once
// A small object around the file dialogs: it holds the settings of one open
// or save dialog (or of a folder choice), shows it through the program's
// file-dialog seam (platform/gui/FileDialog) and hands back the chosen path
// and its pieces, each file of a multiple choice in turn, or the folder.
//
// The choice is kept as one text in the explorer form: a single file as its
// full path; several files as their directory, NUL, each name followed by
// NUL, and a closing NUL. There is no length limit. Names are joined to the
// directory with '/'. The path pieces follow the C library's splitter:
// '\' and '/' both separate, and "X:" at the start is a drive.
#include <QString>
#include <QStringList>

#include "platform/core/Types.h"

class QWidget;

class CFileDialogST {
public:
    // Dialog flags (the rest are kept but mean nothing here).
    enum : DWORD {
        OFN_OVERWRITEPROMPT = 0x00000002,  // save: ask before replacing a file
        OFN_ALLOWMULTISELECT = 0x00000200,  // open: several files
        OFN_FILEMUSTEXIST = 0x00001000,     // open: existing files only
        OFN_EXPLORER = 0x00080000,          // names separated by NUL, not spaces
    };
    // A place in the choice for GetNextPathName: 0 when there is no next
    // file, else one past an index into the text.
    using POSITION = qsizetype;

    // bOpenFileDialog: open, else save. defExt: the suffix a typed name
    // without one gets. fileBuffer: the caller's text (its start is the
    // initial name) that receives the choice; null for the object's own.
    // filter: pairs of description and pattern, each ended by NUL, the
    // list ended by a second NUL ("Excel(*.xls)\0*.xls\0\0"); patterns are
    // separated by ';'. OFN_EXPLORER is always added to flags.
    CFileDialogST(bool bOpenFileDialog, const QString& defExt, QString* fileBuffer, DWORD flags,
                  const QString& filter, QWidget* parent);
    // An open dialog without settings: the form SelectFolder uses.
    CFileDialogST();
    virtual ~CFileDialogST();
    CFileDialogST(const CFileDialogST&) = delete;
    CFileDialogST& operator=(const CFileDialogST&) = delete;

    // IDOK when the user chose, IDCANCEL otherwise (the choice is then left
    // as it was).
    virtual int DoModal();

    // The choice's text up to its first NUL: the full path of a single
    // file, the directory of several.
    QString GetPathName() const;
    // The chosen file's name with its extension (empty for several).
    QString GetFileName() const;
    QString GetFileTitle() const;
    QString GetFileExt() const;
    QString GetFileDir() const;
    QString GetFileDrive() const;
    POSITION GetStartPosition() const;
    // The full path of the next chosen file; pos becomes 0 after the last.
    QString GetNextPathName(POSITION& pos) const;

    // Lets the user choose a folder, starting at startFolder. IDOK with a
    // local folder; IDCANCEL when cancelled, or for a place that is no local
    // folder (its display name is then kept as the selected folder).
    // browseFlags are not used.
    int SelectFolder(const QString& title, const QString& startFolder, UINT browseFlags, QWidget* parent);
    QString GetSelectedFolder() const { return m_strSelectedFolder; }

    DWORD GetFlags() const { return m_nFlags; }
    // The choice's whole text, NULs included.
    const QString& Buffer() const { return *m_pFile; }

    // Qt name filters of a NUL-separated filter list: "Excel(*.xls)" and
    // "*.xls" give "Excel(*.xls) (*.xls)".
    static QStringList QtFilters(const QString& filter);
    struct PathPieces {
        QString drive, dir, name, ext;
    };
    // C:\dir\name.ext gives "C:", "\dir\", "name", ".ext".
    static PathPieces SplitPath(const QString& path);
    // The explorer-form text of a choice (one file: its path).
    static QString ExplorerText(const QStringList& files);

private:
    bool m_bOpenFileDialog = true;
    QString m_strDefExt;
    QString m_szFile;
    QString* m_pFile;
    QString m_szFileTitle;
    QString m_strSelectedFolder;
    DWORD m_nFlags = 0;
    QString m_strFilter;
    QWidget* m_pParent = nullptr;
};
