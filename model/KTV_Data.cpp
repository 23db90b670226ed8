#include "model/KTV_Data.h"

#include "model/ChangeScanFlags.h"
#include "model/Filter.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/OutputLinkTable.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"

BYTE g_OutputMapCrossovers[OUTPUT_COUNT][RECORD_SIZE] = {};

namespace {
// The image's preset name field.
char* PresetNameField()
{
    return reinterpret_cast<char*>(g_CurrentImage.bytes + PRESET_NAME_OFFSET);
}

std::unique_ptr<CSendData> PresetNameFrame()
{
    return BuildSystemCommandFrame(SYSTEM_ITEM_PRESET_NAME, 0);
}

// The first parametric band whose mark is set moves its sent frequency one
// step and goes out; a band short of its frequency stays marked and comes
// back on a later scan.
template <class Channel>
std::unique_ptr<CSendData> ScanBands(Channel& channel, int count)
{
    for (int band = 0; band < count; ++band) {
        CFilter* filter = channel.GetBand(band);
        if (filter != nullptr && filter->IsChanged()) {
            filter->AdvanceSentFrequency(false);
            return channel.StoreBandRecord(band, filter->GetBandNumber());
        }
    }
    return nullptr;
}
}  // namespace

CKTV_Data::CKTV_Data()
{
    InitOutputLinkTable();
}

CKTV_Data::~CKTV_Data()
{
    // The link table must not name outputs that are gone.
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (g_pOutputData[i] == m_OutRoute.GetAt(i))
            g_pOutputData[i] = nullptr;
    }
}

void CKTV_Data::InitOutputLinkTable()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        g_nLinkGroup[i] = i;
        g_pOutputData[i] = m_OutRoute.GetAt(i);
    }
    g_bOutputLinkOn = false;
}

void CKTV_Data::ClearChangeFlags(bool sendItem5)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_Effect.SetAllChanged(false);
    m_MicRoute.SetAllDirty(false);
    m_MusicRoute.SetAllDirty(false);
    m_OutRoute.SetAllDirty(false);
    g_bSendSysItem5 = sendItem5;
    g_bSendSysItem2 = false;
}

void CKTV_Data::LoadFromRaw(const BYTE* set, int mode)
{
    if (set == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    if (mode == 0 || mode == 6)
        m_Effect.LoadFromImage(set + EFFECT_OFFSET);
    for (int i = 0; i < m_MicRoute.GetSize(); ++i)
        m_MicRoute.LoadChannel(set + MicBlockOffset(i), i);
    for (int i = 0; i < MUSIC_COUNT; ++i)
        m_MusicRoute.LoadChannel(set + MusicBlockOffset(i), i);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        m_OutRoute.LoadChannel(set + OutputBlockOffset(i), i);
}

void CKTV_Data::StoreToRaw()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    m_Effect.StoreToImage();
    m_MicRoute.StoreToRaw();
    m_MusicRoute.StoreToRaw();
    m_OutRoute.StoreToRaw();
}

void CKTV_Data::CopyCrossoversToMapTable()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        m_OutRoute.GetAt(i)->GetCrossoverRecord(g_OutputMapCrossovers[i]);
}

void CKTV_Data::Serialize(CArchive& ar)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    if (ar.IsStoring()) {
        m_Effect.Serialize(ar);
        m_MicRoute.Serialize(ar);
        m_MusicRoute.Serialize(ar);
        m_OutRoute.Serialize(ar);
        return;
    }
    CEffect_Data::Archived effect;
    CKTV_MicRoute::Archived mics;
    CKTV_MusicRoute::Archived music;
    CKTV_OutRoute::Archived outputs;
    if (!m_Effect.ReadArchive(ar, effect) || !m_MicRoute.ReadArchive(ar, mics)
        || !m_MusicRoute.ReadArchive(ar, music) || !m_OutRoute.ReadArchive(ar, outputs))
        return;
    m_Effect.ApplyArchive(effect);
    m_MicRoute.ApplyArchive(mics);
    m_MusicRoute.ApplyArchive(music);
    m_OutRoute.ApplyArchive(outputs);
}

void CKTV_Data::SetOutputGraphRect(const Rect& rc)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        m_OutRoute.GetAt(i)->SetGraphRect(rc);
}

void CKTV_Data::SetMusicGraphRect(const Rect& rc)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < MUSIC_COUNT; ++i)
        m_MusicRoute.GetAt(i)->SetGraphRect(rc);
}

// ---- The change scan -------------------------------------------------------------

std::unique_ptr<CSendData> CKTV_Data::NextChangedItem()
{
    bool postName = false;
    std::unique_ptr<CSendData> frame;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        frame = ScanLocked(postName);
    }
    // Posted, never sent: the worker does not wait for the UI thread.
    if (postName)
        PostMessage(g_pNotifyView.load(), WM_PRESET_NAME_CHANGED, 0, 0);
    return frame;
}

std::unique_ptr<CSendData> CKTV_Data::ScanLocked(bool& postName)
{
    if (g_bSendSysItem5.exchange(false))
        return BuildSystemCommandFrame(SYSTEM_ITEM_LEVEL, 0);
    if (g_bSendSysItem2.exchange(false))
        return BuildSystemCommandFrame(SYSTEM_ITEM_INPUT, 0);
    if (g_bSendPresetName.load()) {
        g_byCurrentPreset = 0;
        g_bSendPresetName = false;
        return PresetNameFrame();
    }
    if (g_bTrackPresetName.load()) {
        if (auto frame = TrackPresetName(postName))
            return frame;
    }
    // A parameter of a channel goes out: the live preset is no longer the
    // stored one, and the next scans track its name.
    for (int i = 0; i < MUSIC_COUNT; ++i) {
        if (auto frame = ScanMusic(*m_MusicRoute.GetAt(i))) {
            g_bTrackPresetName = true;
            return frame;
        }
    }
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (auto frame = ScanOutput(*m_OutRoute.GetAt(i))) {
            g_bTrackPresetName = true;
            return frame;
        }
    }
    return BuildParameterFrame(PARAM_TYPE_STATUS_POLL, 0, 0);
}

// Parameters of the live set went out: the live preset becomes "Custom".
// The name goes out again on every scan until the view has taken the change
// (it clears the preset number through g_bSendPresetName) and the empty
// name reads "Custom" too; the flag itself stays set.
std::unique_ptr<CSendData> CKTV_Data::TrackPresetName(bool& postName)
{
    m_strName = FixedFieldToString(PresetNameField(), PRESET_NAME_SIZE);
    if (m_strName != g_strCustomName) {
        StringToFixedField(PresetNameField(), PRESET_NAME_SIZE, g_strCustomName);
        postName = true;
        return PresetNameFrame();
    }
    if (g_byCurrentPreset != 0) {
        postName = true;
        return PresetNameFrame();
    }
    if (g_strEmptyName != g_strCustomName) {
        g_strEmptyName = g_strCustomName;
        StringToFixedField(PresetNameField(), PRESET_NAME_SIZE, g_strCustomName);
        postName = true;
        return PresetNameFrame();
    }
    return nullptr;
}

std::unique_ptr<CSendData> CKTV_Data::ScanMusic(CMusic_InData& music)
{
    if (music.IsBasicDirty()) {
        music.SetBasicDirty(false);
        return music.StoreBasicRecord(true);
    }
    if (music.IsNoiseGateDirty()) {
        music.SetNoiseGateDirty(false);
        return music.StoreNoiseGateRecord(true);
    }
    return ScanBands(music, MUSIC_PEQ_BANDS);
}

std::unique_ptr<CSendData> CKTV_Data::ScanOutput(CKTV_OutData& output)
{
    if (output.IsNameDirty()) {
        output.SetNameDirty(false);
        return output.SendName();
    }
    if (output.IsBasicDirty()) {
        output.SetBasicDirty(false);
        return output.StoreBasicRecord(true);
    }
    if (output.IsCrossoverChanged())
        return output.StoreCrossoverRecord(true);
    if (output.IsMixHighDirty()) {
        output.SetMixHighDirty(false);
        return output.StoreMixHighRecord(true);
    }
    if (output.IsLimiterDirty()) {
        output.SetLimiterDirty(false);
        return output.StoreLimiterRecord(true);
    }
    if (output.IsMixLowDirty()) {
        output.SetMixLowDirty(false);
        return output.StoreMixLowRecord(true);
    }
    return ScanBands(output, OUTPUT_PEQ_BANDS);
}
