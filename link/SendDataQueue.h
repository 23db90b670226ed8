#pragma once
// The command queue's storage: commands in wire order, the head first.
// Shared pointers, so that the command in flight outlives its removal from
// the queue for as long as the worker still uses it. Not thread-safe by
// itself: CKTVCommand guards it.
#include <deque>
#include <memory>
#include <vector>

#include "model/SendData.h"

using CSendDataQueue = std::deque<std::shared_ptr<CSendData>>;
// Commands handed over together, in order.
using CSendDataList = std::vector<std::unique_ptr<CSendData>>;
