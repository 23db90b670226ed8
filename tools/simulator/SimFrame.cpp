#include "tools/simulator/SimFrame.h"

std::vector<BYTE> CSimFrame::Encode() const
{
    const size_t n = payload.size();
    std::vector<BYTE> out;
    out.reserve(n + kOverhead);
    out.insert(out.end(), {kPreambleByte, kPreambleByte, kPreambleByte, kStartByte});
    out.insert(out.end(), {cls, address, slot, type, item, record, link, spare});
    out.push_back(BYTE(n & 0xFF));
    out.push_back(BYTE((n >> 8) & 0xFF));
    out.insert(out.end(), payload.begin(), payload.end());
    out.push_back(Checksum(out.data() + 4, out.size() - 4));
    out.push_back(kEndByte);
    return out;
}

CSimFrame CSimFrame::ReplyWith(BYTE replyClass, std::vector<BYTE> replyPayload) const
{
    CSimFrame reply;
    reply.cls = replyClass;
    reply.address = address;
    reply.slot = slot;
    reply.type = type;
    reply.item = item;
    reply.record = record;
    reply.payload = std::move(replyPayload);
    return reply;
}

BYTE CSimFrame::Checksum(const BYTE* data, size_t n)
{
    BYTE x = 0;
    for (size_t k = 0; k < n; ++k)
        x ^= data[k];
    return x;
}
