#pragma once
// The one way the program asks the user for files or a folder: a request
// describes the dialog (open, save or folder; filters, default suffix, the
// overwrite question, one or many files), ShowFileDialog runs it modally
// and hands back what the user chose. Every file choice of the program goes
// through here, so that tests answer in place of the user: they install a
// hook that receives the request and returns a result, and no dialog opens.
//
// Without a hook a QFileDialog is shown (the desktop's own dialog where Qt
// has one). UI thread only.
#include <functional>

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QFileDialog;
class QWidget;

struct FileDialogRequest {
    enum Mode {
        OPEN,    // one existing (or, without existingOnly, any) file to read
        SAVE,    // one file name to write
        FOLDER,  // a folder
    };
    Mode mode = OPEN;
    // The window the dialog is modal to; null: application modal.
    QWidget* parent = nullptr;
    // The caption; empty keeps the dialog's own.
    QString title;
    // Where the dialog starts; empty: the current directory.
    QString directory;
    // The file name shown at first (open and save).
    QString fileName;
    // Qt name filters, "Preset files (*.pst)", in order; the first is
    // selected unless selectedFilter names another.
    QStringList filters;
    QString selectedFilter;
    // Added (without its dot) to a name the user types without suffix.
    QString defaultSuffix;
    // Open: only files that exist can be chosen.
    bool existingOnly = true;
    // Save: choosing an existing file asks whether to replace it.
    bool askOverwrite = true;
    // Open: several files at once (they always exist).
    bool manyFiles = false;
};

struct FileDialogResult {
    // False when the user cancelled.
    bool accepted = false;
    // The chosen files, or the chosen folder. Local ones are file: URLs;
    // a folder dialog of the desktop may also return a place that is no
    // local folder.
    QList<QUrl> urls;
    // The filter that was selected when the user chose.
    QString selectedFilter;

    // The local paths among urls, in order.
    QStringList LocalFiles() const;
};

FileDialogResult ShowFileDialog(const FileDialogRequest& request);

// Replaces the dialog: the hook answers every ShowFileDialog. Returns the
// previous hook; an empty hook brings the real dialog back.
using FileDialogHook = std::function<FileDialogResult(const FileDialogRequest&)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// Gives a dialog the request's mode, options, filters, start place and
// caption (what ShowFileDialog does before running it).
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);
