#pragma once
// The machine's network adapters as the subnet test sees them: for each
// adapter, in the system's order, its first IPv4 address and mask as dotted
// text. The test reads them through an AdapterLister, so tests give their
// own table instead of the machine's.
#include <functional>
#include <vector>

#include <QString>

struct LocalAdapter {
    QString address;
    QString mask;
};

// Fills *out; false when the list cannot be read.
using AdapterLister = std::function<bool(std::vector<LocalAdapter>* out)>;

// The machine's own list (loopback included, so a device on 127.0.0.1 is
// on a local subnet).
bool ReadLocalAdapters(std::vector<LocalAdapter>* out);
