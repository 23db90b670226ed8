#pragma once
// The whole parameter set: the effect block, the mic, the four music
// channels and the twelve outputs, and the live preset name as the change
// scan last read it. It creates every channel with its defaults, loads them
// from and packs them into an image, archives them, clears every change
// flag when a link opens or closes, and runs the change scan that the I/O
// worker calls whenever its command queue is empty.
//
// Threads: everything here takes g_ParameterSetLock for the call itself
// (it is recursive, so callers holding it already may call in). The change
// scan holds it for one call and posts its notice to the view after letting
// it go.
#include <memory>

#include <QString>

#include "model/DataDefine.h"
#include "model/Effect_Data.h"
#include "model/Geometry.h"
#include "model/KTV_MicRoute.h"
#include "model/KTV_MusicRoute.h"
#include "model/KTV_OutRoute.h"
#include "platform/core/Types.h"

class CArchive;

// Crossover record of each output for the output-map file: high-pass
// frequency (16-bit LE), family, slope, low-pass frequency (16-bit LE),
// family, slope. Filled by CKTV_Data::CopyCrossoversToMapTable; UI thread.
extern BYTE g_OutputMapCrossovers[OUTPUT_COUNT][RECORD_SIZE];

class CKTV_Data {
public:
    // Builds every channel (outputs take their positions from
    // g_byOutputPosition) and makes this set the one the link table names.
    CKTV_Data();
    ~CKTV_Data();
    CKTV_Data(const CKTV_Data&) = delete;
    CKTV_Data& operator=(const CKTV_Data&) = delete;

    // Every output its own link group; the link table names this set's
    // outputs.
    void InitOutputLinkTable();
    // Clears every change flag (a band still on its way to its frequency
    // stays marked); then system item 5 is asked for or not, and item 2 not.
    void ClearChangeFlags(bool sendItem5);

    // Unpacks a 5000-byte image: the effect block only with mode 0 or 6,
    // then the mic, the music channels and the outputs.
    void LoadFromRaw(const BYTE* set, int mode);
    // Packs every channel into g_CurrentImage (output names stay as the
    // image holds them).
    void StoreToRaw();
    // The next frame the device must get: the first pending change, written
    // into the live image, or the status poll. Never null.
    std::unique_ptr<CSendData> NextChangedItem();
    // Each output's crossover record into g_OutputMapCrossovers.
    void CopyCrossoversToMapTable();

    // Effect, mic route, music route, output route, in that order. Loading
    // reads and checks the whole set before it changes anything: a short or
    // refused archive leaves every channel as it was, with the archive's
    // error flag set.
    void Serialize(CArchive& ar);

    CEffect_Data* GetEffect() { return &m_Effect; }
    // Null outside the route.
    CMIC_InData* GetMic(int i) const { return m_MicRoute.GetAt(i); }
    CMusic_InData* GetMusic(int i) const { return m_MusicRoute.GetAt(i); }
    CKTV_OutData* GetOutput(int i) const { return m_OutRoute.GetAt(i); }

    // The response graph's rectangle for every output or music channel.
    void SetOutputGraphRect(const Rect& rc);
    void SetMusicGraphRect(const Rect& rc);

private:
    // One scan step with the lock held; sets postName when the view must
    // hear of a preset-name change.
    std::unique_ptr<CSendData> ScanLocked(bool& postName);
    std::unique_ptr<CSendData> TrackPresetName(bool& postName);
    std::unique_ptr<CSendData> ScanMusic(CMusic_InData& music);
    std::unique_ptr<CSendData> ScanOutput(CKTV_OutData& output);

    CEffect_Data m_Effect;
    CKTV_MicRoute m_MicRoute;
    CKTV_MusicRoute m_MusicRoute;
    CKTV_OutRoute m_OutRoute;
    QString m_strName;
};
