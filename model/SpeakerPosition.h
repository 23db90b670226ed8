#pragma once
// Speaker-position rules: which position codes may be chosen while the
// outputs hold the codes they hold, left/right pairs and duplicate codes.
//
// Codes 0 to 24: 0 none; 1-6 front left tweeter, midrange, woofer,
// midrange tweeter, midrange woofer, full; 7-12 the same front right;
// 13-15 rear left tweeter, woofer, full; 16-18 rear right; 19-21 centre
// tweeter, woofer, full; 22 left sub, 23 right sub, 24 sub.
#include "platform/core/Types.h"

constexpr BYTE POSITION_BLOCKED = 1;
constexpr BYTE POSITION_TAKEN = 2;
constexpr BYTE POSITION_FREE = 3;

enum : int {
    POSITION_CODE_COUNT = 25,
    POSITION_TABLE_SIZE = 38,
    POSITION_OUTPUTS_AT = 26,
    SPEAKER_PAIR_COUNT = 6,
};

// Entries 0-24: state of each code; 25 unused; 26-37 the code of each output.
extern BYTE g_SpeakerPositionTable[POSITION_TABLE_SIZE];
inline BYTE* const g_byOutputPosition = g_SpeakerPositionTable + POSITION_OUTPUTS_AT;

struct SpeakerPair {
    int nFirst;
    int nSecond;
    int bUsed;
};
extern SpeakerPair g_MirroredPairs[SPEAKER_PAIR_COUNT];
extern SpeakerPair g_LeftRightPairs[SPEAKER_PAIR_COUNT];

// The mirror of a code (front left and right of one kind, rear, the two
// subs), or -1 when it has none.
int MirrorPositionCode(int code);
// The tweeter positions: front left and right, rear left and right, centre.
bool IsTweeterPosition(int code);

void ResetSpeakerPositions();
void ApplyOutputPositions();
void TakeSpeakerPosition(int code, int output);
void ReleaseSpeakerPosition(int code, int output);
bool FindMirroredPairs();
bool BuildLeftRightPairs();
bool ClearDuplicatePositions();
bool AnyOfOutputs1To8Positioned();
