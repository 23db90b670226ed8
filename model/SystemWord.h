#pragma once
// A 16-bit word of the system bytes, stored little-endian at a fixed byte
// offset. Reads and writes take the parameter-set lock, since the I/O
// worker builds system items from the same bytes.
#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"

class CSystemWord {
public:
    explicit constexpr CSystemWord(int offset) : m_nOffset(offset) {}

    operator WORD() const
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        return GetWord(g_SystemBytes + m_nOffset);
    }
    const CSystemWord& operator=(int value) const
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        PutWord(g_SystemBytes + m_nOffset, value);
        return *this;
    }

private:
    int m_nOffset;
};
