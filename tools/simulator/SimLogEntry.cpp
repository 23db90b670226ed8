#include "tools/simulator/SimLogEntry.h"

#include <cstdio>

std::string CSimLogEntry::Describe(bool withBytes) const
{
    char line[160];
    if (sync) {
        std::snprintf(line, sizeof line, "[%s#%d] sync pattern: update mode", SimPathName(path), session);
        return line;
    }
    std::snprintf(line, sizeof line, "%lld [%s#%d] %02X slot %d type %d item %d rec %02X len %zu%s -> %c",
                  number, SimPathName(path), session, frame.cls, frame.slot, frame.type, frame.item, frame.record,
                  frame.payload.size(), frame.valid ? "" : " BAD", reply ? char(reply) : '-');
    std::string out = line;
    for (CSimFault::Kind k : faults)
        out += std::string(" !") + CSimFault::Name(k);
    if (withBytes) {
        out += "\n   ";
        for (BYTE b : frame.bytes) {
            std::snprintf(line, sizeof line, " %02X", b);
            out += line;
        }
    }
    return out;
}
