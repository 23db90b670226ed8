#pragma once
// Helpers of the frame tests: hex literals, the bytes and the payload of a
// built command, whether it is whole, and a clean parameter image.
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "model/DataDefine.h"
#include "model/DataLockState.h"
#include "model/FrameBuilder.h"
#include "model/SendData.h"

inline std::vector<BYTE> Hex(const std::string& text)
{
    std::vector<BYTE> bytes;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        bytes.push_back(BYTE(std::stoul(token, nullptr, 16)));
    return bytes;
}

inline std::vector<BYTE> BytesOf(const CSendData& command)
{
    const BYTE* data = command.GetData();
    return data ? std::vector<BYTE>(data, data + command.GetLength()) : std::vector<BYTE>();
}

// The payload bytes, as many as the frame's length field names.
inline std::vector<BYTE> PayloadOf(const CSendData& frame)
{
    const BYTE* d = frame.GetData();
    const int length = GetWord(d + FRAME_LENGTH_BYTE);
    return std::vector<BYTE>(d + FRAME_HEADER_SIZE, d + FRAME_HEADER_SIZE + length);
}

// The frame is whole: finishing a copy of it changes no byte.
inline bool IsWholeFrame(const CSendData& frame)
{
    const std::vector<BYTE> bytes = BytesOf(frame);
    std::vector<BYTE> finished = bytes;
    return FinishFrame(finished.data(), int(finished.size())) && finished == bytes;
}

// A zero image and system bytes, every output in its own link group, no
// data lock, device address 1.
inline void ResetFrameState()
{
    std::memset(&g_CurrentImage, 0, sizeof g_CurrentImage);
    std::memset(g_MachinePresets, 0, sizeof g_MachinePresets);
    std::memset(g_SystemBytes, 0, sizeof g_SystemBytes);
    std::memset(g_ModeGains, 0, sizeof g_ModeGains);
    for (int k = 0; k < OUTPUT_COUNT; ++k)
        g_nLinkGroup[k] = k;
    g_bDataLocked = false;
    g_bClearLockMarker = false;
    g_strLockPassword.clear();
    g_bTrackPresetName = false;
    g_nDeviceAddress = 1;
}
