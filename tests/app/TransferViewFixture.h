#pragma once
// The whole program with a link that is up but has no device behind it and
// no worker taking frames off the queue, so every frame the view queues stays
// there for the test to read (DrainQueue). File dialogs are answered
// by the test (AnswerFileDialog); message boxes are recorded.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "app/BrelinDoc.h"
#include "app/DisplayDlg.h"
#include "link/KTVCommand.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/SendData.h"
#include "platform/core/SendLock.h"
#include "platform/gui/FileDialog.h"
#include "tests/app/AppStartFixture.h"
#include "tests/app/PresetFileFixture.h"

// One queued command as the test reads it.
struct QueuedFrame {
    std::vector<BYTE> bytes;
    bool counted = false;
    int pos = 0;
    bool lastWrite = false;
    bool lastRequest = false;

    int Class() const { return bytes[FRAME_CLASS_BYTE]; }
    int Slot() const { return bytes[FRAME_SLOT_BYTE]; }
    int Type() const { return bytes[FRAME_BLOCK_BYTE]; }
    int Item() const { return bytes[FRAME_ITEM_BYTE]; }
    int Record() const { return bytes[FRAME_RECORD_BYTE]; }
    bool IsSystemCommand(int item) const
    {
        return Class() == FRAME_CLASS_WRITE && Type() == BLOCK_SYSTEM && Item() == item;
    }
};

class TransferViewTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        ASSERT_TRUE(StartApp());
        ASSERT_TRUE(m_files.isValid());
    }

    void TearDown() override
    {
        SetFileDialogHook(nullptr);
        if (View() != nullptr && View()->DeviceLink().IsConnected())
            View()->DeviceLink().StopIoWorker(true);
        g_bTransferBusy = false;
        g_bDeviceSynced = false;
        AppStartTest::TearDown();
    }

    // The link is up; nothing takes the frames off the queue.
    void ConnectWithoutDevice()
    {
        View()->DeviceLink().StartIoWorker(true);
        // The worker ends; the link stays up.
        View()->DeviceLink().StopIoWorker(false);
        View()->Command().ClearQueue();
    }

    // Every queued command, oldest first; the queue is empty afterwards.
    std::vector<QueuedFrame> DrainQueue()
    {
        std::vector<QueuedFrame> frames;
        CKTVCommand& command = View()->Command();
        // The end flags read as set only with a link kind (no worker runs).
        const int kind = g_nLinkType.exchange(LINK_NETWORK);
        while (std::shared_ptr<CSendData> head = command.GetHead()) {
            QueuedFrame frame;
            frame.bytes.assign(head->GetData(), head->GetData() + head->GetLength());
            frame.counted = head->IsCounted();
            frame.pos = head->GetProgressPos();
            frame.lastWrite = head->IsLastWrite();
            frame.lastRequest = head->IsLastRequest();
            frames.push_back(std::move(frame));
            command.RemoveHead();
        }
        g_nLinkType = kind;
        return frames;
    }

    static int CountedOf(const std::vector<QueuedFrame>& frames)
    {
        int n = 0;
        for (const QueuedFrame& f : frames)
            n += f.counted ? 1 : 0;
        return n;
    }

    // The next file dialogs choose path (empty: cancelled); each request is
    // kept.
    void AnswerFileDialog(const QString& path)
    {
        SetFileDialogHook([this, path](const FileDialogRequest& request) {
            m_requests.push_back(request);
            FileDialogResult result;
            result.accepted = !path.isEmpty();
            if (result.accepted)
                result.urls = {QUrl::fromLocalFile(path)};
            return result;
        });
    }

    QString FilePath(const QString& name) const { return QDir(m_files.path()).filePath(name); }

    bool PopupShown() const { return g_pDisplayDlg != nullptr && g_pDisplayDlg->IsShown(); }

    QTemporaryDir m_files;
    std::vector<FileDialogRequest> m_requests;
};
