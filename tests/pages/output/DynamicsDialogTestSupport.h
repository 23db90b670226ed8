#pragma once
// What the dynamics and phase dialog tests share: the default set, synced,
// with nothing pending and the live preset already "Custom" (so the change
// scan yields only what a dialog changed); the frames the scan yields; a
// frame written as hex after the common head; and a window shown active.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>
#include <QWidget>

#include <vector>

#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"

using DynamicsFrame = std::vector<BYTE>;

// The default set of the model, the device synced, every flag clear.
inline void PrepareSyncedCustomSet(CKTV_Data& data)
{
    ResetParameterSetState();
    ParameterSetGuard guard(g_ParameterSetLock);
    StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, g_strCustomName);
    g_byCurrentPreset = 0;
    g_strEmptyName = g_strCustomName;
    g_bTrackPresetName = true;
    g_bDeviceSynced = true;
    data.ClearChangeFlags(false);
    for (int k = 0; k < MUSIC_COUNT; ++k)
        data.GetMusic(k)->SetAllDirty(false);
}

// Every frame the change scan yields before it falls back to the status
// poll.
inline std::vector<DynamicsFrame> ScanFrames(CKTV_Data& data)
{
    std::vector<DynamicsFrame> frames;
    for (int k = 0; k < 64; ++k) {
        const auto frame = data.NextChangedItem();
        if (frame == nullptr || HeadOf(*frame) == kStatusPoll)
            break;
        frames.emplace_back(frame->GetData(), frame->GetData() + frame->GetLength());
    }
    return frames;
}

// "82 82 82 EE A1 01 00" followed by the bytes given in hex.
inline DynamicsFrame WriteFrame(const char* tail)
{
    DynamicsFrame bytes = {0x82, 0x82, 0x82, 0xEE, 0xA1, 0x01, 0x00};
    for (const QString& byte : QString::fromLatin1(tail).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        bytes.push_back(BYTE(byte.toUInt(nullptr, 16)));
    return bytes;
}

inline void ShowDialogActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Gives the widget the focus as the Tab key does (a field selects all).
inline void FocusByTab(QWidget& widget)
{
    widget.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitFor([&] { return widget.hasFocus(); }));
}
