#include "model/SpeakerGroups.h"

#include "model/SpeakerPosition.h"

#include <QMetaObject>
#include <QObject>

CSpeakerGroups g_SpeakerGroups = {};

namespace {
void ResetMembers(int* members)
{
    for (int k = 0; k < CSpeakerGroups::OUTPUTS; ++k)
        members[k] = -1;
}

// A side group of 2 or 3 members is formed; more than three members is no
// combination the position rules allow, and forms nothing.
int SimpleState(int count)
{
    return (count == 2 || count == 3) ? 0 : -1;
}

void FrontState(int count, const int* codes, int tweeter, int woofer, int& state, int& type)
{
    state = -1;
    type = -1;
    if (count == 2) {
        bool hasTweeter = codes[0] == tweeter || codes[1] == tweeter;
        bool hasWoofer = codes[0] == woofer || codes[1] == woofer;
        state = 0;
        if (!hasTweeter)
            type = 3;
        else
            type = hasWoofer ? 2 : 1;
    } else if (count == 3) {
        state = 0;
        type = 4;
    }
}
}  // namespace

void CSpeakerGroups::Update(QObject* hide)
{
    m_nCenterState = m_nFrontLeftState = m_nFrontRightState = -1;
    m_nRearLeftState = m_nRearRightState = m_nSubState = -1;
    m_nFrontLeftType = m_nFrontRightType = -1;
    for (int k = 0; k < MAX_FRONT_MEMBERS; ++k)
        m_anFrontLeftCodes[k] = m_anFrontRightCodes[k] = -1;
    ResetMembers(m_anCenterMembers);
    ResetMembers(m_anFrontLeftMembers);
    ResetMembers(m_anFrontRightMembers);
    ResetMembers(m_anRearLeftMembers);
    ResetMembers(m_anRearRightMembers);
    ResetMembers(m_anSubMembers);

    int frontLeft = 0, frontRight = 0, rearLeft = 0, rearRight = 0, center = 0, sub = 0;
    for (int k = 0; k < OUTPUTS; ++k) {
        int c = g_byOutputPosition[k];
        if (c >= 1 && c <= 5) {
            m_anFrontLeftMembers[k] = k;
            if (frontLeft < MAX_FRONT_MEMBERS)
                m_anFrontLeftCodes[frontLeft] = c;
            ++frontLeft;
        } else if (c >= 7 && c <= 11) {
            m_anFrontRightMembers[k] = k;
            if (frontRight < MAX_FRONT_MEMBERS)
                m_anFrontRightCodes[frontRight] = c;
            ++frontRight;
        } else if (c == 13 || c == 14) {
            m_anRearLeftMembers[k] = k;
            ++rearLeft;
        } else if (c == 16 || c == 17) {
            m_anRearRightMembers[k] = k;
            ++rearRight;
        } else if (c == 19 || c == 20) {
            m_anCenterMembers[k] = k;
            ++center;
        } else if (c == 22 || c == 23) {
            m_anSubMembers[k] = k;
            ++sub;
        }
    }
    m_nCenterState = SimpleState(center);
    m_nRearLeftState = SimpleState(rearLeft);
    m_nRearRightState = SimpleState(rearRight);
    m_nSubState = SimpleState(sub);
    FrontState(frontLeft, m_anFrontLeftCodes, 1, 3, m_nFrontLeftState, m_nFrontLeftType);
    FrontState(frontRight, m_anFrontRightCodes, 7, 9, m_nFrontRightState, m_nFrontRightType);

    if (hide != nullptr)
        QMetaObject::invokeMethod(hide, "hide", Qt::DirectConnection);
}
