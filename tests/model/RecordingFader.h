#pragma once
#include <vector>

#include "model/BandFader.h"

// Records what a band tells its fader.
class CRecordingFader : public CBandFader {
public:
    void SetValue(int value) override { values.push_back(value); }
    void SetFrequency(int hz) override { frequencies.push_back(hz); }

    std::vector<int> values;
    std::vector<int> frequencies;
};
