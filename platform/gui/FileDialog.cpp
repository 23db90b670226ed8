#include "platform/gui/FileDialog.h"

#include <utility>

#include <QFileDialog>

namespace {
FileDialogHook& FileDialogHookSlot()
{
    static FileDialogHook hook;
    return hook;
}

QFileDialog::FileMode FileModeOf(const FileDialogRequest& request)
{
    switch (request.mode) {
    case FileDialogRequest::FOLDER:
        return QFileDialog::Directory;
    case FileDialogRequest::SAVE:
        return QFileDialog::AnyFile;
    case FileDialogRequest::OPEN:
        break;
    }
    if (request.manyFiles)
        return QFileDialog::ExistingFiles;
    return request.existingOnly ? QFileDialog::ExistingFile : QFileDialog::AnyFile;
}
}  // namespace

QStringList FileDialogResult::LocalFiles() const
{
    QStringList files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setFileMode(FileModeOf(request));
    dialog.setAcceptMode(request.mode == FileDialogRequest::SAVE ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (request.mode == FileDialogRequest::FOLDER)
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askOverwrite);
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (request.mode != FileDialogRequest::FOLDER) {
        if (!request.filters.isEmpty()) {
            dialog.setNameFilters(request.filters);
            dialog.selectNameFilter(request.selectedFilter.isEmpty() ? request.filters.first()
                                                                     : request.selectedFilter);
        }
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    }
}

FileDialogResult ShowFileDialog(const FileDialogRequest& request)
{
    if (const FileDialogHook& hook = FileDialogHookSlot())
        return hook(request);
    QFileDialog dialog(request.parent);
    ConfigureFileDialog(dialog, request);
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    result.accepted = true;
    result.urls = dialog.selectedUrls();
    result.selectedFilter = dialog.selectedNameFilter();
    return result;
}

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    return std::exchange(FileDialogHookSlot(), std::move(hook));
}
