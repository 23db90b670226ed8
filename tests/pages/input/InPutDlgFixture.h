#pragma once
// The input page as its tests host it: the whole program started, the real
// view connected without a worker (every queued frame stays in the queue),
// the default set synced with nothing pending, and the page created on a
// shown, active offscreen host the way an owner creates it. Backgrounds are
// flat, of a different colour per language. Every global the page writes is
// put back afterwards.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/FrameBuilder.h"
#include "model/InputSourceTable.h"
#include "model/Music_InData.h"
#include "pages/InputKindPeer.h"
#include "pages/LevelDelayLinks.h"
#include "pages/input/InPutDlg.h"
#include "platform/core/Language.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/model/ChannelTestSupport.h"
#include "tests/model/FrameTestSupport.h"
#include "tests/pages/input/DialogTestSupport.h"

class InPutDlgTest : public DialogAppTest {
protected:
    static inline const QColor kBackEn{0x20, 0x50, 0x70};
    static inline const QColor kBackCn{0x70, 0x30, 0x20};

    void SetUp() override
    {
        DialogAppTest::SetUp();
        std::memcpy(m_savedSystem, g_SystemBytes, sizeof m_savedSystem);
        m_savedSource = g_InputSourceTable;
        m_savedKind = g_nInputMode;
        m_savedTable = g_nSourceTable;
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), CInPutDlg::IDB_BACK_EN, QSize(1280, 665), kBackEn);
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), CInPutDlg::IDB_BACK_CN, QSize(1280, 665), kBackCn);
        // The link is up; no worker takes the frames off the queue.
        m_pView->DeviceLink().StartIoWorker(true);
        m_pView->DeviceLink().StopIoWorker(false);
        m_pView->m_command.ClearQueue();
        host.resize(1300, 700);
    }
    void TearDown() override
    {
        SetPopupMenuHandler(nullptr);
        page.reset();
        CResourceStore::ClearOverrides();
        std::memcpy(g_SystemBytes, m_savedSystem, sizeof m_savedSystem);
        g_InputSourceTable = m_savedSource;
        g_nInputMode = m_savedKind;
        g_nSourceTable = m_savedTable;
        g_bChinese = false;
        DialogAppTest::TearDown();
    }

    // The input kind and AUX mode in force, in the globals and the bytes.
    static void SetKind(int kind, int table = 0)
    {
        g_nInputMode = kind;
        g_byInputMode = BYTE(kind);
        g_nSourceTable = table;
        g_SystemBytes[1] = BYTE(table);
        g_InputSourceTable.SelectMode(kind, table);
    }

    // The music channels start in GEQ mode; these tests want channel's
    // parametric layout.
    void SetPeq(int channel)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Music(channel).SetEqMode(0);
    }

    // The page created as an owner creates it, shown and active; nothing
    // queued, nothing pending.
    CInPutDlg& Open()
    {
        page = std::make_unique<CInPutDlg>();
        page->AttachData(m_pData);
        page->m_pView = m_pView;
        page->Create(&host);
        page->ApplyLanguage();
        page->ResetModeLayout();
        page->RefreshModeButtons();
        page->show();
        host.show();
        QApplication::setActiveWindow(&host);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
        Pump();
        Settle();
        return *page;
    }

    // Whatever is queued or pending now is forgotten.
    void Settle()
    {
        Scan();
        TakeQueued();
    }

    // Qt's posted events and the page's, the bar's and the view's posted
    // messages until quiet.
    void Pump()
    {
        for (int round = 0; round < 10; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            int delivered = page->DeliverPosted() + page->ModeBar().DeliverPosted();
            if (delivered == 0 && round > 1)
                break;
        }
    }

    // Every frame the change scan yields now, up to the status poll; the
    // live preset's name, which follows a channel's first change, left out.
    std::vector<std::vector<BYTE>> Scan()
    {
        std::vector<std::vector<BYTE>> frames;
        for (int n = 0; n < 200; ++n) {
            std::unique_ptr<CSendData> frame = m_pData->NextChangedItem();
            if (!frame || HeadOf(*frame) == kStatusPoll)
                break;
            const FrameHead head = HeadOf(*frame);
            if (head.block == BLOCK_SYSTEM && head.item == SYSTEM_ITEM_PRESET_NAME)
                continue;
            frames.push_back(BytesOf(*frame));
        }
        return frames;
    }

    static std::vector<BYTE> Frame(const std::string& rest) { return DialogFrame(rest); }
    // The first n bytes of a frame.
    static std::vector<BYTE> Head(const std::vector<BYTE>& frame, size_t n)
    {
        return std::vector<BYTE>(frame.begin(), frame.begin() + std::min(n, frame.size()));
    }

    void Command(int id) { SendMessage(page.get(), WM_COMMAND, MAKEWPARAM(UINT(id), 0), 0); }
    // Text typed into a field that takes the focus, then a key.
    void Type(QWidget& field, const QString& text)
    {
        field.setFocus(Qt::OtherFocusReason);
        Pump();
        auto& edit = static_cast<QLineEdit&>(field);
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    }
    void Key(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key);
        Pump();
    }
    static int FocusId()
    {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? GetDlgCtrlID(focus) : -1;
    }
    // The highlighted label's band, -1 for none.
    int RedBand() const
    {
        const CFontStatic* label = page->HighlightedLabel();
        return label != nullptr ? GetDlgCtrlID(label) - CInPutDlg::IDC_LABEL0 : -1;
    }
    CMusic_InData& Music(int i) { return *m_pData->GetMusic(i); }
    CFilter& Band(int channel, int band) { return *Music(channel).GetBand(band); }

    QWidget host;
    std::unique_ptr<CInPutDlg> page;
    BYTE m_savedSystem[SYSTEM_BYTE_COUNT] = {};
    CInputSourceTable m_savedSource = {};
    int m_savedKind = 0;
    int m_savedTable = 0;
};
