// The address control: digits only, 0 to 255 a field, '.' or a full field
// moves on, dotted text in and out with blank fields kept blank, and a
// notice to the parent for every change the user makes.
#include <gtest/gtest.h>

#include <QTest>

#include "controls/IpAddressCtrl.h"
#include "platform/gui/WindowAttributes.h"
#include "platform/core/MsgTarget.h"

namespace {

// The dialog: keeps field and value of every address notice.
class IpNoticeParent : public QWidget, public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_NOTIFY)
            return 0;
        const auto* notice = reinterpret_cast<const NMIPADDRESS*>(lParam);
        if (wParam == 2739 && notice->hdr.code == IPN_FIELDCHANGED && notice->hdr.idFrom == 2739)
            notices.emplace_back(notice->iField, notice->iValue);
        return 0;
    }
    std::vector<std::pair<int, int>> notices;
};

class IpAddressCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pControl = new CIpAddressCtrl(&m_parent);
        m_pControl->setGeometry(10, 10, 160, 20);
        SetDlgCtrlID(m_pControl, 2739);
        m_parent.show();
        QCoreApplication::processEvents();
    }
    void Type(const QString& text)
    {
        for (QChar c : text)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }

    IpNoticeParent m_parent;
    CIpAddressCtrl* m_pControl = nullptr;
};

TEST_F(IpAddressCtrlTest, TypedTextFillsTheFieldsInTurn)
{
    struct Case {
        const char* typed;
        const char* text;
    };
    const Case cases[] = {
        // A full field hands on; a value above 255 is pulled down as typed.
        {"127.0.0.1", "127.0.0.1"},  {"12345678", "123.255.78."},     {"999", "255..."},
        {"1a2-3.4", "123.4.."},      {"..5", "5..."},                   {"12.", "12..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_pControl->ClearAddress();
        m_pControl->SetFieldFocus(0);
        m_parent.notices.clear();
        Type(QString::fromLatin1(c.typed));
        EXPECT_EQ(m_pControl->GetAddressText(), QString::fromLatin1(c.text));
    }
}

TEST_F(IpAddressCtrlTest, DottedTextGoesInAndOutWithBlankFieldsKept)
{
    m_pControl->SetAddressText(QStringLiteral("127.0..1"));
    EXPECT_EQ(m_pControl->GetAddressText(), QStringLiteral("127.0..1"));
    m_pControl->SetAddressText(QStringLiteral("300.1"));
    EXPECT_EQ(m_pControl->GetAddressText(), QStringLiteral("255.1.."));
    m_pControl->ClearAddress();
    EXPECT_TRUE(m_pControl->IsBlank());
    EXPECT_EQ(m_pControl->GetAddressText(), QString());
    // Text the program sets sends no notice.
    EXPECT_TRUE(m_parent.notices.empty());
}

TEST_F(IpAddressCtrlTest, EveryUserChangeIsNotifiedWithItsField)
{
    m_pControl->SetFieldFocus(1);
    Type(QStringLiteral("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(m_parent.notices, (std::vector<std::pair<int, int>>{{1, 4}, {1, -1}}));
}

}  // namespace
