#pragma once
// Commands for the queue tests, told apart by their progress position.
#include <memory>
#include <vector>

#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/SendData.h"

inline std::unique_ptr<CSendData> Tagged(int tag, int length = 24)
{
    auto command = std::make_unique<CSendData>();
    command->SetData(std::vector<BYTE>(static_cast<size_t>(length), BYTE(tag)));
    command->SetProgressPos(tag);
    return command;
}

// A firmware-update command as the update engine builds it, with the
// progress position it counts.
inline std::unique_ptr<CSendData> UpdateCommand(int code, int progressPos = 0)
{
    const BYTE payload[16] = {};
    std::unique_ptr<CSendData> command =
        BuildFrame({FRAME_CLASS_WRITE, 0, BLOCK_SYSTEM, code, 0, 0}, payload, sizeof payload);
    command->SetCommandCode(code);
    command->SetProgressPos(progressPos);
    return command;
}
