#pragma once
// Commands for the queue tests, told apart by their progress position.
#include <memory>
#include <vector>

#include "model/SendData.h"

inline std::unique_ptr<CSendData> Tagged(int tag, int length = 24)
{
    auto command = std::make_unique<CSendData>();
    command->SetData(std::vector<BYTE>(static_cast<size_t>(length), BYTE(tag)));
    command->SetProgressPos(tag);
    return command;
}
