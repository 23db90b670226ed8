// The two three-button questions: the output-map reset and the save-first
// question. Texts in both languages, what each button, Escape and the close
// box answer, and the modal run.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/ReMap_Dlg.h"
#include "app/SaveData_Dlg.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {

class QuestionDlgTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        g_bChinese = false;
        SetModalDialogHook({});
    }
};

using ReMap_Dlg = QuestionDlgTest;
using SaveData_Dlg = QuestionDlgTest;

struct QuestionTexts {
    bool chinese;
    const char* caption;
    const char* question;
    const char* first;
    const char* second;
    const char* cancel;
};

template <typename Dialog>
void ExpectTexts(const QuestionTexts& c, int secondId)
{
    SCOPED_TRACE(c.caption);
    g_bChinese = c.chinese;
    Dialog dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(dialog.QuestionControl()->text(), QString::fromUtf8(c.question));
    EXPECT_EQ(dialog.Button(IDOK)->text(), QString::fromUtf8(c.first));
    EXPECT_EQ(dialog.Button(secondId)->text(), QString::fromUtf8(c.second));
    EXPECT_EQ(dialog.Button(IDCANCEL)->text(), QString::fromUtf8(c.cancel));
    EXPECT_EQ(GetDlgItem(&dialog, secondId), dialog.Button(secondId));
    EXPECT_EQ(dialog.m_nResult, 1);
}

// How the user ends the dialog.
enum class Ending { Ok, Second, Cancel, Escape, CloseBox };

template <typename Dialog>
void End(Dialog& dialog, Ending ending, int secondId)
{
    switch (ending) {
    case Ending::Ok: QTest::mouseClick(dialog.Button(IDOK), Qt::LeftButton); break;
    case Ending::Second: QTest::mouseClick(dialog.Button(secondId), Qt::LeftButton); break;
    case Ending::Cancel: QTest::mouseClick(dialog.Button(IDCANCEL), Qt::LeftButton); break;
    case Ending::Escape: QTest::keyClick(&dialog, Qt::Key_Escape); break;
    case Ending::CloseBox: dialog.close(); break;
    }
}

struct EndingCase {
    Ending ending;
    int result;
    int closedWith;
};

template <typename Dialog>
void ExpectEndings(const std::vector<EndingCase>& cases, int secondId)
{
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(int(c.ending));
        Dialog dialog;
        SetModalDialogHook([&](QDialog& shown) {
            EXPECT_EQ(&shown, &dialog);
            dialog.show();
            End(dialog, c.ending, secondId);
            return dialog.result();
        });
        EXPECT_EQ(dialog.DoModal(), c.closedWith);
        EXPECT_EQ(dialog.m_nResult, c.result);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(ReMap_Dlg, TextsInBothLanguages)
{
    const QuestionTexts cases[] = {
        {true, "提示", "输出配置清空或恢复默认", "清空", "默认", "取消"},
        {false, "Prompting", "The output map emptied or restore default", "Emptied", "Default", "Cancel"},
    };
    for (const QuestionTexts& c : cases)
        ExpectTexts<CReMap_Dlg>(c, CReMap_Dlg::IDC_DEFAULT);
}

TEST_F(ReMap_Dlg, EachButtonAnswers)
{
    // Default answers 2 and still closes the dialog as OK.
    ExpectEndings<CReMap_Dlg>({{Ending::Ok, 1, IDOK},
                               {Ending::Second, 2, IDOK},
                               {Ending::Cancel, 0, IDCANCEL},
                               {Ending::Escape, 0, IDCANCEL},
                               {Ending::CloseBox, 0, IDCANCEL}},
                              CReMap_Dlg::IDC_DEFAULT);
}

TEST_F(SaveData_Dlg, TextsInBothLanguages)
{
    const QuestionTexts cases[] = {
        {true, "提示", "是否保存当前场景文件?", "是", "否", "取消"},
        {false, "Prompting", "Whether to save the current Presets file?", "YES", "NO", "Cancel"},
    };
    for (const QuestionTexts& c : cases)
        ExpectTexts<CSaveData_Dlg>(c, CSaveData_Dlg::IDC_NO);
}

TEST_F(SaveData_Dlg, EachButtonAnswers)
{
    ExpectEndings<CSaveData_Dlg>({{Ending::Ok, IDYES, IDOK},
                                  {Ending::Second, IDNO, IDCANCEL},
                                  {Ending::Cancel, IDCANCEL, IDCANCEL},
                                  {Ending::Escape, IDCANCEL, IDCANCEL},
                                  {Ending::CloseBox, IDCANCEL, IDCANCEL}},
                                 CSaveData_Dlg::IDC_NO);
}

}  // namespace
