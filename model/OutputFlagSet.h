#pragma once
// One int and twelve per-output ints, reset by the defaults and by preset
// loads; nothing reads them.
class COutputFlagSet {
public:
    void Reset();

    int m_nFlag;
    int m_anOutputFlags[12];
};

extern COutputFlagSet g_OutputFlagSet;
