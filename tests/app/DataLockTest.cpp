// The data lock as the user works it: the lock button, the password dialog
// (answered through the modal seam), what locking and unlocking write into
// the live image and send, the reset to the factory outputs, the page area
// by the lock state after a file or a received preset, and which passwords
// the image can hold.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include <QLineEdit>
#include <QTest>

#include "app/UnEncryption.h"
#include "model/DataLockState.h"
#include "model/DefaultOutputBlocks.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/SystemMessages.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/ModalDialog.h"
#include "tests/app/TransferViewFixture.h"

namespace {

const char kLockWrongPassword[] = "Password and enter the password to encrypt the file does not match!";
const char kLockBadLength[] = "The password length is incorrect, Please enter a 6-digit password!";

class DataLockTest : public TransferViewTest {
protected:
    void SetUp() override
    {
        TransferViewTest::SetUp();
        DropPostedMessages(View(), WM_AUTO_CONNECT);
        g_bDataLocked = false;
        g_bClearLockMarker = false;
        g_strLockPassword.clear();
        g_bLockButtonPressed = false;
        SetModalDialogHook([this](QDialog& dialog) {
            auto* unlock = qobject_cast<CUnEncryption*>(&dialog);
            EXPECT_NE(unlock, nullptr);
            if (unlock == nullptr)
                return int(QDialog::Rejected);
            m_modes.push_back(unlock->m_nMode);
            m_captions.push_back({unlock->windowTitle(), unlock->m_btnOk->text(), unlock->m_btnReset->text()});
            if (m_fnAnswer)
                m_fnAnswer(*unlock);
            // A dialog the answer left open is closed as by Escape.
            if (unlock->result() != QDialog::Accepted)
                unlock->reject();
            return unlock->result();
        });
    }
    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        g_bDataLocked = false;
        g_bClearLockMarker = false;
        g_strLockPassword.clear();
        TransferViewTest::TearDown();
    }

    // The user types text and presses OK.
    void AnswerPassword(const QString& text)
    {
        m_fnAnswer = [text](CUnEncryption& d) {
            d.m_editPassword->setText(text);
            d.OnOK();
        };
    }
    void ClickLock() { SendMessage(View(), WM_COMMAND, MAKEWPARAM(CBrelinView::IDC_LOCK, BN_CLICKED), 0); }
    QByteArray Image() const
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        return QByteArray(reinterpret_cast<const char*>(g_CurrentImage.bytes), IMAGE_SIZE);
    }
    CKTV_Data& Set() { return View()->GetDocument()->m_KTVData; }
    // The page area as the user sees it: tab, output page, mix page, strips.
    std::vector<bool> PageArea() const
    {
        CBrelinView& v = *View();
        std::vector<bool> shown{v.m_tab.isVisibleTo(&v), v.m_outputPage.isVisibleTo(&v), v.m_mixPage.isVisibleTo(&v),
                                v.m_lockCover.isVisibleTo(&v)};
        for (const COutRouteDlg& strip : v.m_strips)
            shown.push_back(strip.isVisibleTo(&v));
        return shown;
    }
    static std::vector<bool> Area(bool tab, bool output, bool mix, bool strips)
    {
        std::vector<bool> shown{tab, output, mix, false};
        shown.insert(shown.end(), OUTPUT_COUNT, strips);
        return shown;
    }
    void ClearNameFlags()
    {
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            Set().GetOutput(i)->SetNameDirty(false);
    }
    int NameFlags()
    {
        int n = 0;
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            n += Set().GetOutput(i)->IsNameDirty() ? 1 : 0;
        return n;
    }
    // Locks with password through the lock button.
    void Lock(const QString& password)
    {
        AnswerPassword(password);
        ClickLock();
        ASSERT_TRUE(g_bDataLocked);
    }

    std::function<void(CUnEncryption&)> m_fnAnswer;
    std::vector<int> m_modes;
    struct Captions {
        QString caption, ok, second;
        bool operator==(const Captions& o) const { return caption == o.caption && ok == o.ok && second == o.second; }
    };
    std::vector<Captions> m_captions;
};

TEST_F(DataLockTest, LockingWritesOnlyTheMarksAndPasswordAndHidesThePageArea)
{
    const QByteArray before = Image();
    ClearNameFlags();
    Lock(QStringLiteral("123456"));
    EXPECT_EQ(m_modes, std::vector<int>{CUnEncryption::MODE_LOCK});
    EXPECT_EQ(g_strLockPassword, QStringLiteral("123456"));
    EXPECT_FALSE(g_bClearLockMarker);
    const QByteArray after = Image();
    for (int at = 0; at < IMAGE_SIZE; ++at) {
        const bool mark = at >= OUTPUT_OFFSET && (at - OUTPUT_OFFSET) % OUTPUT_BLOCK_SIZE == LOCK_MARK_BYTE;
        const int password = at - OUTPUT_OFFSET - LOCK_PASSWORD_BYTE;
        if (mark)
            EXPECT_EQ(after[at], '!') << at;
        else if (password >= 0 && password < LOCK_PASSWORD_SIZE)
            EXPECT_EQ(after[at], "123456"[password]) << at;
        else
            EXPECT_EQ(after[at], before[at]) << at;
    }
    EXPECT_EQ(NameFlags(), OUTPUT_COUNT);
    EXPECT_EQ(PageArea(), Area(false, false, false, false));
    EXPECT_TRUE(View()->m_btnLock.GetCheck());
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(DataLockTest, TheDialogSpeaksTheLanguageOfEachMode)
{
    m_fnAnswer = nullptr;
    for (const bool chinese : {false, true}) {
        g_bChinese = chinese;
        View()->ToggleDataLock(true);
        View()->ToggleDataLock(false);
    }
    const std::vector<Captions> expected{
        {QStringLiteral("Prompted"), QStringLiteral("OK"), QStringLiteral("Cancel")},
        {QStringLiteral("Prompted"), QStringLiteral("Unlock"), QStringLiteral("reset")},
        {QStringLiteral("提示"), QStringLiteral("确定"), QStringLiteral("取消")},
        {QStringLiteral("提示"), QStringLiteral("确定"), QStringLiteral("清除数据")},
    };
    EXPECT_EQ(m_captions, expected);
    // Cancelled both times: nothing changed.
    EXPECT_FALSE(g_bDataLocked);
}

TEST_F(DataLockTest, UnlockingNeedsTheRightPasswordAndLeavesItsBytes)
{
    ConnectWithoutDevice();
    Lock(QStringLiteral("abc123"));
    DrainQueue();
    const QByteArray locked = Image();

    // A wrong password: said, still locked.
    AnswerPassword(QStringLiteral("abc124"));
    ClickLock();
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, QString::fromLatin1(kLockWrongPassword));
    EXPECT_EQ(m_boxes.shown[0].helpId, 2000);
    EXPECT_TRUE(g_bDataLocked);
    EXPECT_EQ(Image(), locked);
    EXPECT_EQ(PageArea(), Area(false, false, false, false));

    // Escape: nothing.
    m_fnAnswer = [](CUnEncryption& d) { d.reject(); };
    ClickLock();
    EXPECT_TRUE(g_bDataLocked);
    EXPECT_EQ(Image(), locked);

    // The right one.
    ClearNameFlags();
    AnswerPassword(QStringLiteral("abc123"));
    ClickLock();
    EXPECT_FALSE(g_bDataLocked);
    EXPECT_TRUE(g_bClearLockMarker);
    EXPECT_EQ(g_strUnlockPassword, QStringLiteral("abc123"));
    EXPECT_EQ(NameFlags(), OUTPUT_COUNT);
    const QByteArray open = Image();
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_EQ(open[OutputBlockOffset(i) + LOCK_MARK_BYTE], ' ') << i;
    EXPECT_EQ(open.mid(OutputBlockOffset(0) + LOCK_PASSWORD_BYTE, LOCK_PASSWORD_SIZE), QByteArray("abc123"));
    EXPECT_EQ(PageArea(), Area(true, true, false, true));
    EXPECT_FALSE(View()->m_btnLock.GetCheck());

    // The next output-0 block carries a space in its lock flag.
    const std::unique_ptr<CSendData> frame = BuildBlockFrame(0, BLOCK_OUTPUT, 0, true, true);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->GetData()[FRAME_HEADER_SIZE + LOCK_FLAG_BYTE], ' ');
    EXPECT_EQ(m_boxes.shown.size(), 1u);
}

TEST_F(DataLockTest, TheResetRestoresTheFactoryOutputsAndSendsTheWholeSet)
{
    ConnectWithoutDevice();
    Set().GetOutput(5)->SetGain(100);
    Lock(QStringLiteral("654321"));
    DrainQueue();

    m_fnAnswer = [](CUnEncryption& d) { d.OnResetButton(); };
    ClickLock();
    EXPECT_FALSE(g_bDataLocked);
    EXPECT_FALSE(g_bClearLockMarker);
    CKTV_OutData factory;
    factory.LoadFromRaw(g_DefaultOutputBlocks[5].data());
    EXPECT_EQ(Set().GetOutput(5)->GetGain(), factory.GetGain());
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_NE(Image()[OutputBlockOffset(i) + LOCK_MARK_BYTE], '!') << i;
    const std::vector<QueuedFrame> frames = DrainQueue();
    int outputBlocks = 0;
    for (const QueuedFrame& f : frames)
        outputBlocks += f.Class() == FRAME_CLASS_WRITE && f.Type() == BLOCK_OUTPUT && f.Record() == 0 ? 1 : 0;
    EXPECT_EQ(outputBlocks, OUTPUT_COUNT);
    EXPECT_EQ(CountedOf(frames), 19);
    EXPECT_EQ(PageArea(), Area(true, true, false, true));
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(DataLockTest, TheResetButtonDoesNothingBeforeTheLockButtonWasPressed)
{
    // Locked by a file, the lock button never pressed.
    g_bDataLocked = true;
    m_fnAnswer = [](CUnEncryption& d) { d.OnResetButton(); };
    View()->ToggleDataLock(false);
    EXPECT_TRUE(g_bDataLocked);
}

TEST_F(DataLockTest, TheLockStateOfAFileOrAPresetShowsInThePageArea)
{
    struct Case {
        bool locked;
        bool mixer;
        std::vector<bool> area;
    };
    const Case cases[] = {
        {true, false, Area(false, false, false, false)},
        {false, false, Area(true, true, false, true)},
        {true, true, Area(false, false, false, false)},
        {false, true, Area(true, false, true, true)},
    };
    for (const Case& c : cases) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int i = 0; i < OUTPUT_COUNT; ++i)
                g_CurrentImage.bytes[OutputBlockOffset(i) + LOCK_MARK_BYTE] = ' ';
            if (c.locked) {
                g_CurrentImage.bytes[OutputBlockOffset(7) + LOCK_MARK_BYTE] = '!';
                std::memcpy(g_CurrentImage.bytes + OutputBlockOffset(0) + LOCK_PASSWORD_BYTE, "qwerty", 6);
            }
        }
        View()->m_btnMixer.SetCheck(c.mixer);
        View()->ReadLockState();
        EXPECT_EQ(bool(g_bDataLocked), c.locked);
        g_strLockPassword.clear();
        PostMessage(View(), WM_APPLY_LOCK_STATE, 0, 0);
        View()->DeliverPosted();
        EXPECT_EQ(PageArea(), c.area) << c.locked << c.mixer;
        EXPECT_EQ(View()->m_btnLock.GetCheck(), c.locked);
        EXPECT_EQ(g_strLockPassword, c.locked ? QStringLiteral("qwerty") : QString());
    }
}

TEST_F(DataLockTest, APasswordIsSixBytesOfTheImagesText)
{
    struct Case {
        const char* typed;
        bool taken;
    };
    const Case cases[] = {
        {"123456", true},
        {"!@#$%^", true},
        {"12345", false},
        {"", false},
        {"1234567", false},
        // Three Chinese characters are six bytes; six are twelve.
        {"密码锁", true},
        {"六个汉字密码", false},
        // A character the image's text has not: refused, not stored as '?'.
        {"12345\xE0\xB8\x81", false},
    };
    for (const Case& c : cases) {
        g_bDataLocked = false;
        m_boxes.shown.clear();
        const QString typed = QString::fromUtf8(c.typed);
        bool keptOpen = false;
        m_fnAnswer = [&](CUnEncryption& d) {
            d.m_editPassword->setText(typed);
            d.OnOK();
            keptOpen = d.result() != QDialog::Accepted && d.m_editPassword->text().isEmpty();
        };
        View()->ToggleDataLock(true);
        EXPECT_EQ(bool(g_bDataLocked), c.taken) << c.typed;
        if (c.taken) {
            EXPECT_TRUE(m_boxes.shown.empty()) << c.typed;
            // Read back from the image as a preset read would.
            ParameterSetGuard guard(g_ParameterSetLock);
            EXPECT_EQ(LockPasswordFromImage(g_CurrentImage), typed) << c.typed;
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(g_CurrentImage.bytes) + OutputBlockOffset(0) +
                                     LOCK_PASSWORD_BYTE,
                                 LOCK_PASSWORD_SIZE),
                      ToDeviceBytes(typed))
                << c.typed;
        } else {
            EXPECT_TRUE(keptOpen) << c.typed;
            ASSERT_EQ(m_boxes.shown.size(), 1u) << c.typed;
            EXPECT_EQ(m_boxes.shown[0].text, QString::fromLatin1(kLockBadLength));
            EXPECT_EQ(m_boxes.shown[0].helpId, 2000);
        }
    }
}

TEST_F(DataLockTest, TypingStopsAtSixBytes)
{
    QString typedAscii;
    m_fnAnswer = [&](CUnEncryption& d) {
        d.m_editPassword->setFocus();
        QTest::keyClicks(d.m_editPassword, QStringLiteral("1234567"));
        typedAscii = d.m_editPassword->text();
        EXPECT_EQ(d.m_editPassword->echoMode(), QLineEdit::Password);
    };
    View()->ToggleDataLock(true);
    EXPECT_EQ(typedAscii, QStringLiteral("123456"));
    EXPECT_FALSE(g_bDataLocked);
}

}  // namespace
