// The version box of About and the notice dialog: labels in both
// languages, the device's version as reported, the buttons and the keys.
#include <gtest/gtest.h>

#include <cstring>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "app/VersionDlg.h"
#include "app/WarnDlg.h"
#include "controls/TransparentStatic.h"
#include "model/DataDefine.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "platform/core/Language.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"

namespace {

class VersionDlgTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        g_bChinese = false;
        g_bUpdating = false;
        SetDeviceVersion("");
    }
    static void SetDeviceVersion(const char* text)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::memset(g_szDeviceVersion, 0, sizeof g_szDeviceVersion);
        std::memcpy(g_szDeviceVersion, text, std::min(std::strlen(text), sizeof g_szDeviceVersion));
    }
};

using VersionDlg = VersionDlgTest;
using WarnDlg = VersionDlgTest;

TEST_F(VersionDlg, ShowsBothVersionsInTheLanguage)
{
    struct Case {
        bool chinese;
        const char* device;
        const char* title;
        const char* deviceLine;
        const char* softLine;
        const char* quit;
    };
    const Case cases[] = {
        {false, "", "About", "Device version ", "Software version SRVA-BV1.00", "Quit"},
        {true, "", "关于", "设备版本 ", "软件版本 SRVA-BV1.00", "退出"},
        // Twelve bytes with no end: the first eleven characters.
        {false, "KRVA-BV1.00XY", "About", "Device version KRVA-BV1.00", "Software version SRVA-BV1.00", "Quit"},
        {true, " KRVA-BV1.0 ", "关于", "设备版本 KRVA-BV1.0", "软件版本 SRVA-BV1.00", "退出"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deviceLine);
        g_bChinese = c.chinese;
        SetDeviceVersion(c.device);
        g_bUpdating = true;
        CVersionDlg dialog;
        dialog.OnInitDialog();
        EXPECT_FALSE(g_bUpdating);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.m_stDeviceVersion->text(), QString::fromUtf8(c.deviceLine));
        EXPECT_EQ(dialog.m_stSoftVersion->text(), QString::fromUtf8(c.softLine));
        EXPECT_EQ(dialog.m_btnQuit->text(), QString::fromUtf8(c.quit));
        EXPECT_EQ(dialog.m_btnHelp->text(), c.chinese ? QStringLiteral("帮助") : QStringLiteral("Help"));
        dialog.show();
        EXPECT_FALSE(dialog.m_btnHelp->isVisible());
        EXPECT_FALSE(GetDlgItem(&dialog, CVersionDlg::IDC_WEB_LINK)->isVisible());
        EXPECT_TRUE(dialog.m_btnQuit->isVisible());
        EXPECT_FALSE(dialog.m_stPicture->pixmap().isNull());
    }
}

TEST_F(VersionDlg, TheButtonEnterAndEscapeCloseIt)
{
    enum class How { Button, Enter, Escape };
    for (const How how : {How::Button, How::Enter, How::Escape}) {
        CVersionDlg dialog;
        dialog.OnInitDialog();
        const ModalDialogHook previous = SetModalDialogHook([&](QDialog& shown) {
            shown.show();
            QApplication::setActiveWindow(&shown);
            if (how == How::Button)
                QTest::mouseClick(dialog.m_btnQuit, Qt::LeftButton);
            else
                QTest::keyClick(&shown, how == How::Enter ? Qt::Key_Return : Qt::Key_Escape);
            EXPECT_FALSE(shown.isVisible());
            return shown.result();
        });
        const int result = RunModalDialog(dialog);
        SetModalDialogHook(previous);
        EXPECT_EQ(result, how == How::Escape ? int(QDialog::Rejected) : int(QDialog::Accepted));
    }
}

TEST_F(WarnDlg, ShowsItsTextAndOneButton)
{
    for (const bool chinese : {false, true}) {
        g_bChinese = chinese;
        CWarnDlg empty;
        empty.OnInitDialog();
        EXPECT_TRUE(empty.m_stText->text().isEmpty());
        EXPECT_EQ(empty.m_btnOk->text(), chinese ? QStringLiteral("退出") : QStringLiteral("Quit"));
        EXPECT_EQ(empty.findChildren<QPushButton*>().size(), 1);

        CWarnDlg notice;
        notice.m_strText = QStringLiteral("Check the cable");
        notice.OnInitDialog();
        EXPECT_EQ(notice.m_stText->text(), QStringLiteral("Check the cable"));
        notice.show();
        QTest::mouseClick(notice.m_btnOk, Qt::LeftButton);
        EXPECT_EQ(notice.result(), int(QDialog::Accepted));
    }
}

}  // namespace
