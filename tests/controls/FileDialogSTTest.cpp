#include <gtest/gtest.h>

#include <QUrl>

#include "controls/FileDialogST.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/FileDialog.h"

namespace {

// Answers the file dialog with a fixed choice and keeps the request.
class CFileDialogSTTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = SetFileDialogHook([this](const FileDialogRequest& request) {
            asked = request;
            ++shown;
            return answer;
        });
    }
    void TearDown() override { SetFileDialogHook(previous); }
    void Choose(const QStringList& files)
    {
        answer.accepted = true;
        answer.urls.clear();
        for (const QString& f : files)
            answer.urls.append(QUrl::fromLocalFile(f));
    }
    // Every path GetNextPathName hands out, from the start.
    static QStringList Walk(const CFileDialogST& dialog)
    {
        QStringList paths;
        CFileDialogST::POSITION pos = dialog.GetStartPosition();
        while (pos != 0 && paths.size() < 10)
            paths.append(dialog.GetNextPathName(pos));
        return paths;
    }

    FileDialogHook previous;
    FileDialogRequest asked;
    FileDialogResult answer;
    int shown = 0;
};

TEST_F(CFileDialogSTTest, PathPiecesByTheSplittersRules)
{
    const struct {
        const char* path;
        const char *drive, *dir, *name, *ext;
    } cases[] = {
        {"C:\\dir\\name.ext", "C:", "\\dir\\", "name", ".ext"},
        {"/home/user/presets/room 1.pst", "", "/home/user/presets/", "room 1", ".pst"},
        {"D:mixed/sub\\file.tar.gz", "D:", "mixed/sub\\", "file.tar", ".gz"},
        {"noext", "", "", "noext", ""},
        {"dir.d/", "", "dir.d/", "", ""},
        {"", "", "", "", ""},
    };
    for (const auto& k : cases) {
        const CFileDialogST::PathPieces p = CFileDialogST::SplitPath(QString::fromLatin1(k.path));
        EXPECT_EQ(p.drive, QLatin1String(k.drive)) << k.path;
        EXPECT_EQ(p.dir, QLatin1String(k.dir)) << k.path;
        EXPECT_EQ(p.name, QLatin1String(k.name)) << k.path;
        EXPECT_EQ(p.ext, QLatin1String(k.ext)) << k.path;
    }
    QString buffer = QStringLiteral("C:\\dir\\name.ext");
    CFileDialogST dialog(true, QString(), &buffer, 0, QString(), nullptr);
    EXPECT_EQ(dialog.GetPathName(), buffer);
    EXPECT_EQ(dialog.GetFileTitle(), QStringLiteral("name"));
    EXPECT_EQ(dialog.GetFileExt(), QStringLiteral(".ext"));
    EXPECT_EQ(dialog.GetFileDir(), QStringLiteral("C:\\dir\\"));
    EXPECT_EQ(dialog.GetFileDrive(), QStringLiteral("C:"));
}

TEST_F(CFileDialogSTTest, ExplorerTextsAreWalkedOneFileAtATime)
{
    const QChar nul(0);
    const struct {
        const char* what;
        DWORD flags;
        QString text;
        QStringList paths;
    } cases[] = {
        {"one", 0, QStringLiteral("/p/a.pst"), {QStringLiteral("/p/a.pst")}},
        {"three", CFileDialogST::OFN_ALLOWMULTISELECT,
         QStringLiteral("/p") + nul + QStringLiteral("a.pst") + nul + QStringLiteral("b.pst") + nul +
             QStringLiteral("c.pst") + nul + nul,
         {QStringLiteral("/p/a.pst"), QStringLiteral("/p/b.pst"), QStringLiteral("/p/c.pst")}},
        {"a directory ending with its separator", CFileDialogST::OFN_ALLOWMULTISELECT,
         QStringLiteral("C:\\") + nul + QStringLiteral("x") + nul + QStringLiteral("y") + nul + nul,
         {QStringLiteral("C:\\x"), QStringLiteral("C:\\y")}},
        {"many allowed but one", CFileDialogST::OFN_ALLOWMULTISELECT, QStringLiteral("/p/a.pst") + nul + nul,
         {QStringLiteral("/p/a.pst")}},
        {"no NUL at the end", CFileDialogST::OFN_ALLOWMULTISELECT, QStringLiteral("/p/only.pst"),
         {QStringLiteral("/p/only.pst")}},
    };
    for (const auto& k : cases) {
        QString buffer = k.text;
        const CFileDialogST dialog(true, QString(), &buffer, k.flags, QString(), nullptr);
        EXPECT_EQ(Walk(dialog), k.paths) << k.what;
    }
    // Longer than the old 260 characters: nothing is cut.
    const QString deep = QStringLiteral("/") + QString(300, QLatin1Char('d'));
    QString buffer = deep + nul + QStringLiteral("a") + nul + QStringLiteral("b") + nul + nul;
    const CFileDialogST dialog(true, QString(), &buffer, CFileDialogST::OFN_ALLOWMULTISELECT, QString(), nullptr);
    EXPECT_EQ(Walk(dialog), (QStringList{deep + QStringLiteral("/a"), deep + QStringLiteral("/b")}));
}

TEST_F(CFileDialogSTTest, TheDialogGetsTheSettingsAndGivesTheChoice)
{
    const QChar nul(0);
    EXPECT_EQ(CFileDialogST::QtFilters(QStringLiteral("Excel(*.xls)") + nul + QStringLiteral("*.xls") + nul +
                                       QStringLiteral("Presets") + nul + QStringLiteral("*.pst;*.PST") + nul + nul),
              (QStringList{QStringLiteral("Excel(*.xls) (*.xls)"), QStringLiteral("Presets (*.pst *.PST)")}));
    EXPECT_TRUE(CFileDialogST::QtFilters(QString()).isEmpty());

    const QString filter = QStringLiteral("Presets") + nul + QStringLiteral("*.pst") + nul + nul;
    QString buffer = QStringLiteral("/p/start.pst");
    CFileDialogST open(true, QStringLiteral("pst"), &buffer,
                       CFileDialogST::OFN_ALLOWMULTISELECT | CFileDialogST::OFN_FILEMUSTEXIST, filter, nullptr);
    EXPECT_TRUE(open.GetFlags() & CFileDialogST::OFN_EXPLORER);
    Choose({QStringLiteral("/q/a.pst"), QStringLiteral("/q/b.pst"), QStringLiteral("/q/c.pst")});
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(asked.mode, FileDialogRequest::OPEN);
    EXPECT_TRUE(asked.manyFiles);
    EXPECT_TRUE(asked.existingOnly);
    EXPECT_EQ(asked.fileName, QStringLiteral("/p/start.pst"));
    EXPECT_EQ(asked.filters, QStringList{QStringLiteral("Presets (*.pst)")});
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("pst"));
    EXPECT_EQ(open.GetPathName(), QStringLiteral("/q")) << "several: the directory";
    EXPECT_EQ(buffer, open.Buffer()) << "the caller's text holds the choice";
    EXPECT_EQ(Walk(open), (QStringList{QStringLiteral("/q/a.pst"), QStringLiteral("/q/b.pst"),
                                       QStringLiteral("/q/c.pst")}));

    CFileDialogST save(false, QStringLiteral(".pst"), nullptr, CFileDialogST::OFN_OVERWRITEPROMPT, filter, nullptr);
    Choose({QStringLiteral("/q/out.pst")});
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(asked.mode, FileDialogRequest::SAVE);
    EXPECT_TRUE(asked.askOverwrite);
    EXPECT_FALSE(asked.manyFiles);
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("pst"));
    EXPECT_EQ(save.GetPathName(), QStringLiteral("/q/out.pst"));
    EXPECT_EQ(save.GetFileName(), QStringLiteral("out.pst"));
    EXPECT_EQ(Walk(save), QStringList{QStringLiteral("/q/out.pst")});

    // Cancelled, or nothing local chosen: IDCANCEL and the choice stays.
    answer = FileDialogResult();
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    answer.accepted = true;
    answer.urls = {QUrl(QStringLiteral("smb://127.0.0.1/share/x.pst"))};
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    EXPECT_EQ(save.GetPathName(), QStringLiteral("/q/out.pst"));
}

TEST_F(CFileDialogSTTest, FoldersLocalOrNot)
{
    CFileDialogST dialog;
    Choose({QStringLiteral("/home/user/firmware")});
    EXPECT_EQ(dialog.SelectFolder(QStringLiteral("Firmware folder"), QStringLiteral("/home/user"), 0, nullptr), IDOK);
    EXPECT_EQ(asked.mode, FileDialogRequest::FOLDER);
    EXPECT_EQ(asked.title, QStringLiteral("Firmware folder"));
    EXPECT_EQ(asked.directory, QStringLiteral("/home/user"));
    EXPECT_EQ(dialog.GetSelectedFolder(), QStringLiteral("/home/user/firmware"));

    answer.urls = {QUrl(QStringLiteral("smb://127.0.0.1/share/Presets"))};
    EXPECT_EQ(dialog.SelectFolder(QString(), QString(), 0, nullptr), IDCANCEL);
    EXPECT_EQ(dialog.GetSelectedFolder(), QStringLiteral("Presets")) << "its display name";

    answer = FileDialogResult();
    EXPECT_EQ(dialog.SelectFolder(QString(), QString(), 0, nullptr), IDCANCEL);
    EXPECT_EQ(shown, 3);
}

}  // namespace
