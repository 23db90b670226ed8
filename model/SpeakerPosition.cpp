#include "model/SpeakerPosition.h"

#include <cstring>

#include "model/DataDefine.h"

BYTE g_SpeakerPositionTable[POSITION_TABLE_SIZE] = {};
SpeakerPair g_MirroredPairs[SPEAKER_PAIR_COUNT] = {};
SpeakerPair g_LeftRightPairs[SPEAKER_PAIR_COUNT] = {};

namespace {
BYTE* const s = g_SpeakerPositionTable;

bool Taken(int code) { return s[code] == POSITION_TAKEN; }
// Neither code nor its mirror on the other side is taken.
bool NoneTaken(int a, int b) { return !Taken(a) && !Taken(b); }
// Unblocks a code: taken stays taken, anything else becomes free.
BYTE Unblock(int code) { return Taken(code) ? POSITION_TAKEN : POSITION_FREE; }

// The other side copies this side's states, a taken code showing as free,
// except where the other side's own code is taken.
void FollowSide(int from, int to, int count)
{
    for (int k = 0; k < count; ++k) {
        if (!Taken(to + k))
            s[to + k] = Taken(from + k) ? POSITION_FREE : s[from + k];
    }
}

// Takes front kind t (1-6) on the side whose codes start at base + 1
// (base 0 left, 6 right); each column reads the table as it is by then.
void TakeFront(int t, int base)
{
    auto c = [base](int k) { return base + k; };
    const BYTE B = POSITION_BLOCKED, T = POSITION_TAKEN;
    switch (t) {
    case 1:
        s[c(1)] = T;
        s[c(2)] = NoneTaken(5, 11) ? Unblock(c(2)) : B;
        s[c(3)] = NoneTaken(5, 11) ? Unblock(c(3)) : B;
        s[c(4)] = B;
        s[c(5)] = (NoneTaken(2, 8) && NoneTaken(3, 9)) ? Unblock(c(5)) : B;
        s[c(6)] = B;
        break;
    case 2:
        s[c(1)] = Unblock(c(1));
        s[c(2)] = T;
        s[c(3)] = Unblock(c(3));
        s[c(4)] = B;
        s[c(5)] = B;
        s[c(6)] = B;
        break;
    case 3:
        s[c(1)] = NoneTaken(4, 10) ? Unblock(c(1)) : B;
        s[c(2)] = NoneTaken(4, 10) ? Unblock(c(2)) : B;
        s[c(3)] = T;
        s[c(4)] = (NoneTaken(2, 8) && NoneTaken(1, 7)) ? Unblock(c(4)) : B;
        s[c(5)] = B;
        s[c(6)] = B;
        break;
    case 4:
        s[c(1)] = B;
        s[c(2)] = B;
        s[c(3)] = Unblock(c(3));
        s[c(4)] = T;
        s[c(5)] = B;
        s[c(6)] = B;
        break;
    case 5:
        s[c(1)] = Unblock(c(1));
        s[c(2)] = B;
        s[c(3)] = B;
        s[c(4)] = B;
        s[c(5)] = T;
        s[c(6)] = B;
        break;
    default:  // 6, full range
        for (int k = 1; k <= 5; ++k)
            s[c(k)] = B;
        s[c(6)] = T;
        break;
    }
}

// Takes rear kind t (0 tweeter, 1 woofer, 2 full) on codes base..base+2.
// The centre and the subs follow the same pattern with no side to follow.
void TakeTriple(int t, int base)
{
    const BYTE B = POSITION_BLOCKED, T = POSITION_TAKEN;
    switch (t) {
    case 0:
        s[base] = T;
        s[base + 1] = Unblock(base + 1);
        s[base + 2] = B;
        break;
    case 1:
        s[base] = Unblock(base);
        s[base + 1] = T;
        s[base + 2] = B;
        break;
    default:
        s[base] = B;
        s[base + 1] = B;
        s[base + 2] = T;
        break;
    }
}

// State of the full-range code after a release of a front code: free when
// no other front code of either side is taken.
BYTE FrontFullAfterRelease()
{
    for (int k = 1; k <= 11; ++k) {
        if (k != 6 && Taken(k))
            return POSITION_BLOCKED;
    }
    return POSITION_FREE;
}

void ReleaseFront(int t, int base)
{
    auto c = [base](int k) { return base + k; };
    const BYTE F = POSITION_FREE;
    switch (t) {
    case 1:
        s[c(1)] = F;
        if (NoneTaken(2, 8) && NoneTaken(1, 7) && NoneTaken(5, 11))
            s[c(4)] = F;
        s[c(6)] = FrontFullAfterRelease();
        break;
    case 2:
        s[c(2)] = F;
        if (NoneTaken(2, 8)) {
            if (s[c(1)] == F)
                s[c(4)] = F;
            if (s[c(3)] == F)
                s[c(5)] = F;
        }
        s[c(6)] = FrontFullAfterRelease();
        break;
    case 3:
        s[c(3)] = F;
        if (NoneTaken(2, 8) && NoneTaken(3, 9) && NoneTaken(4, 10))
            s[c(5)] = F;
        s[c(6)] = FrontFullAfterRelease();
        break;
    case 4:
        s[c(4)] = F;
        if (NoneTaken(4, 10)) {
            s[c(1)] = F;
            s[c(2)] = F;
        }
        if (NoneTaken(4, 10) && NoneTaken(3, 9))
            s[c(5)] = F;
        s[c(6)] = FrontFullAfterRelease();
        break;
    case 5:
        s[c(5)] = F;
        if (NoneTaken(5, 11)) {
            s[c(2)] = F;
            s[c(3)] = F;
        }
        if (NoneTaken(5, 11) && NoneTaken(1, 7))
            s[c(4)] = F;
        s[c(6)] = FrontFullAfterRelease();
        break;
    default: {  // 6: the other side's full range keeps this side blocked
        int otherFull = base == 0 ? 12 : 6;
        if (!Taken(otherFull)) {
            for (int k = 1; k <= 5; ++k)
                s[c(k)] = F;
        }
        s[c(6)] = F;
        break;
    }
    }
}

void ReleaseRear(int t, int base, int otherBase)
{
    const BYTE F = POSITION_FREE;
    if (t == 2) {
        if (!Taken(otherBase + 2)) {
            s[base] = F;
            s[base + 1] = F;
        }
        s[base + 2] = F;
        return;
    }
    s[base + t] = F;
    bool any = Taken(13) || Taken(14) || Taken(16) || Taken(17);
    s[base + 2] = any ? POSITION_BLOCKED : F;
}

void ReleaseTriple(int t, int base)
{
    const BYTE F = POSITION_FREE;
    if (t == 2) {
        s[base] = F;
        s[base + 1] = F;
        s[base + 2] = F;
        return;
    }
    s[base + t] = F;
    int partner = base + (1 - t);
    s[base + 2] = Taken(partner) ? POSITION_BLOCKED : F;
}
}  // namespace

bool IsTweeterPosition(int code)
{
    return code == 1 || code == 7 || code == 13 || code == 16 || code == 19;
}

int MirrorPositionCode(int code)
{
    if (code >= 1 && code <= 6)
        return code + 6;
    if (code >= 7 && code <= 12)
        return code - 6;
    if (code >= 13 && code <= 15)
        return code + 3;
    if (code >= 16 && code <= 18)
        return code - 3;
    if (code == 22)
        return 23;
    if (code == 23)
        return 22;
    return -1;
}

void ResetSpeakerPositions()
{
    std::memset(g_SpeakerPositionTable, POSITION_FREE, sizeof g_SpeakerPositionTable);
}

void ApplyOutputPositions()
{
    for (int output = 0; output < OUTPUT_COUNT; ++output) {
        int code = g_byOutputPosition[output];
        if (code <= 24)
            TakeSpeakerPosition(code, output);
    }
}

void TakeSpeakerPosition(int code, int /*output*/)
{
    if (code < 0 || code > 24)
        return;
    if (code == 0) {
        s[0] = POSITION_TAKEN;
    } else if (code <= 6) {
        TakeFront(code, 0);
        FollowSide(1, 7, 6);
    } else if (code <= 12) {
        TakeFront(code - 6, 6);
        FollowSide(7, 1, 6);
    } else if (code <= 15) {
        TakeTriple(code - 13, 13);
        FollowSide(13, 16, 3);
    } else if (code <= 18) {
        TakeTriple(code - 16, 16);
        FollowSide(16, 13, 3);
    } else if (code <= 21) {
        TakeTriple(code - 19, 19);
    } else {
        TakeTriple(code - 22, 22);
    }
}

void ReleaseSpeakerPosition(int code, int output)
{
    if (code < 0 || code > 24)
        return;
    if (code == 0) {
        bool othersAtNone = false;
        for (int k = 0; k < OUTPUT_COUNT; ++k) {
            if (k != output && g_byOutputPosition[k] == 0)
                othersAtNone = true;
        }
        s[0] = othersAtNone ? POSITION_TAKEN : POSITION_FREE;
    } else if (code <= 6) {
        ReleaseFront(code, 0);
        FollowSide(1, 7, 6);
    } else if (code <= 12) {
        ReleaseFront(code - 6, 6);
        FollowSide(7, 1, 6);
    } else if (code <= 15) {
        ReleaseRear(code - 13, 13, 16);
        FollowSide(13, 16, 3);
    } else if (code <= 18) {
        ReleaseRear(code - 16, 16, 13);
        FollowSide(16, 13, 3);
    } else if (code <= 21) {
        ReleaseTriple(code - 19, 19);
    } else {
        ReleaseTriple(code - 22, 22);
    }
}

namespace {
bool FindPairs(SpeakerPair* pairs)
{
    for (int k = 0; k < SPEAKER_PAIR_COUNT; ++k)
        pairs[k].bUsed = 0;
    bool found = false;
    for (int i = 0; i < OUTPUT_COUNT - 1; ++i) {
        int mirror = MirrorPositionCode(PositionCodeOrNone(g_byOutputPosition[i]));
        if (mirror < 0)
            continue;
        for (int j = i + 1; j < OUTPUT_COUNT; ++j) {
            if (g_byOutputPosition[j] != mirror)
                continue;
            for (int k = 0; k < SPEAKER_PAIR_COUNT; ++k) {
                if (!pairs[k].bUsed) {
                    pairs[k] = {i, j, 1};
                    found = true;
                    break;
                }
            }
            break;
        }
    }
    return found;
}

bool IsRightSideCode(int code)
{
    return (code >= 7 && code <= 12) || (code >= 16 && code <= 18) || code == 23;
}
}  // namespace

bool FindMirroredPairs()
{
    return FindPairs(g_MirroredPairs);
}

bool BuildLeftRightPairs()
{
    bool found = FindPairs(g_LeftRightPairs);
    for (SpeakerPair& pair : g_LeftRightPairs) {
        if (pair.bUsed && IsRightSideCode(g_byOutputPosition[pair.nFirst])) {
            int first = pair.nFirst;
            pair.nFirst = pair.nSecond;
            pair.nSecond = first;
        }
    }
    return found;
}

bool ClearDuplicatePositions()
{
    bool cleared = false;
    for (int i = 0; i < OUTPUT_COUNT - 1; ++i) {
        BYTE code = g_byOutputPosition[i];
        if (code == 0)
            continue;
        for (int j = i + 1; j < OUTPUT_COUNT; ++j) {
            if (g_byOutputPosition[j] == code) {
                g_byOutputPosition[j] = 0;
                cleared = true;
            }
        }
    }
    return cleared;
}

bool AnyOfOutputs1To8Positioned()
{
    for (int i = 0; i < 8; ++i) {
        if (PositionCodeOrNone(g_byOutputPosition[i]) != 0)
            return true;
    }
    return false;
}
