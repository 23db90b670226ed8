#include "model/OutputFlagSet.h"

COutputFlagSet g_OutputFlagSet = {};

void COutputFlagSet::Reset()
{
    m_nFlag = -1;
    for (int& flag : m_anOutputFlags)
        flag = 0;
}
