#pragma once
// The input page as the level-and-delay page's tests stand it in: the
// source-button calls recorded, the posted kind messages kept by a
// recording target.
#include <utility>
#include <vector>

#include "pages/InputKindPeer.h"
#include "tests/common/RecordingTarget.h"

class CRecordingInputKindPeer : public IInputKindPeer {
public:
    void UpdateSourceButton(int kind, int table) override { m_sourceButtons.emplace_back(kind, table); }
    CMsgTarget* KindMessageTarget() override { return &m_target; }

    std::vector<std::pair<int, int>> m_sourceButtons;
    CRecordingTarget m_target;
};
