#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/gui/FileDialog.h"
#include "platform/gui/UrlOpener.h"

namespace {

TEST(FileDialogTest, RequestsBecomeTheDialogsModeAndOptions)
{
    const struct {
        const char* what;
        FileDialogRequest::Mode mode;
        bool existingOnly, manyFiles, askOverwrite;
        QFileDialog::FileMode fileMode;
        QFileDialog::AcceptMode accept;
    } cases[] = {
        {"open existing", FileDialogRequest::OPEN, true, false, true, QFileDialog::ExistingFile,
         QFileDialog::AcceptOpen},
        {"open any", FileDialogRequest::OPEN, false, false, true, QFileDialog::AnyFile, QFileDialog::AcceptOpen},
        {"open many", FileDialogRequest::OPEN, false, true, true, QFileDialog::ExistingFiles, QFileDialog::AcceptOpen},
        {"save asking", FileDialogRequest::SAVE, false, false, true, QFileDialog::AnyFile, QFileDialog::AcceptSave},
        {"save silently", FileDialogRequest::SAVE, false, false, false, QFileDialog::AnyFile,
         QFileDialog::AcceptSave},
        {"folder", FileDialogRequest::FOLDER, true, false, true, QFileDialog::Directory, QFileDialog::AcceptOpen},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& k : cases) {
        FileDialogRequest request;
        request.mode = k.mode;
        request.existingOnly = k.existingOnly;
        request.manyFiles = k.manyFiles;
        request.askOverwrite = k.askOverwrite;
        request.title = QStringLiteral("Choose");
        request.directory = dir.path();
        request.filters = {QStringLiteral("Preset (*.pst)"), QStringLiteral("All files (*)")};
        request.selectedFilter = QStringLiteral("All files (*)");
        request.defaultSuffix = QStringLiteral("pst");
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        ConfigureFileDialog(dialog, request);
        EXPECT_EQ(dialog.fileMode(), k.fileMode) << k.what;
        EXPECT_EQ(dialog.acceptMode(), k.accept) << k.what;
        EXPECT_EQ(dialog.testOption(QFileDialog::DontConfirmOverwrite), !k.askOverwrite) << k.what;
        EXPECT_EQ(dialog.testOption(QFileDialog::ShowDirsOnly), k.mode == FileDialogRequest::FOLDER) << k.what;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choose")) << k.what;
        EXPECT_EQ(QDir(dialog.directory()), QDir(dir.path())) << k.what;
        if (k.mode != FileDialogRequest::FOLDER) {
            EXPECT_EQ(dialog.nameFilters(), request.filters) << k.what;
            EXPECT_EQ(dialog.selectedNameFilter(), request.selectedFilter) << k.what;
            EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("pst")) << k.what;
        }
    }
}

TEST(FileDialogTest, AHookAnswersInPlaceOfTheUser)
{
    FileDialogRequest seen;
    FileDialogResult answer;
    answer.accepted = true;
    answer.urls = {QUrl::fromLocalFile(QStringLiteral("/tmp/a.pst")), QUrl(QStringLiteral("smb://127.0.0.1/share")),
                   QUrl::fromLocalFile(QStringLiteral("/tmp/b.pst"))};
    const FileDialogHook previous = SetFileDialogHook([&](const FileDialogRequest& request) {
        seen = request;
        return answer;
    });
    FileDialogRequest request;
    request.mode = FileDialogRequest::SAVE;
    request.fileName = QStringLiteral("preset.pst");
    const FileDialogResult result = ShowFileDialog(request);
    EXPECT_EQ(seen.mode, FileDialogRequest::SAVE);
    EXPECT_EQ(seen.fileName, QStringLiteral("preset.pst"));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.LocalFiles(), (QStringList{QStringLiteral("/tmp/a.pst"), QStringLiteral("/tmp/b.pst")}));
    SetFileDialogHook(previous);
}

// The real dialog, run modally and answered through its own widgets.
TEST(FileDialogTest, TheRealDialogReturnsTheChosenFileOrNothingWhenCancelled)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = dir.filePath(QStringLiteral("one.pst"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    for (const bool accept : {true, false}) {
        FileDialogRequest request;
        request.directory = dir.path();
        request.fileName = QStringLiteral("one.pst");
        bool answered = false;
        QTimer::singleShot(0, [&] {
            QDialog* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            answered = true;
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        const FileDialogResult result = ShowFileDialog(request);
        ASSERT_TRUE(answered) << "the dialog ran modally";
        EXPECT_EQ(result.accepted, accept);
        if (accept)
            EXPECT_EQ(result.LocalFiles(), QStringList{existing});
        else
            EXPECT_TRUE(result.urls.isEmpty());
    }
}

TEST(UrlOpenerTest, AHookReceivesWhatWouldBeOpenedAndAnswers)
{
    QList<QUrl> opened;
    bool answer = true;
    const UrlOpenerHook previous = SetUrlOpenerHook([&](const QUrl& url) {
        opened.append(url);
        return answer;
    });
    EXPECT_TRUE(OpenUrl(QUrl(QStringLiteral("http://127.0.0.1/help"))));
    answer = false;
    EXPECT_FALSE(OpenLocalFile(QStringLiteral("/tmp/help.pdf")));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(QStringLiteral("/tmp/help.pdf")));
    SetUrlOpenerHook(previous);
}

}  // namespace
