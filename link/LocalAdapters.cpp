#include "link/LocalAdapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <algorithm>
#include <string>

namespace {
QString DottedText(const sockaddr* address)
{
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) == nullptr)
        return QString();
    return QString::fromLatin1(text);
}
}  // namespace

bool ReadLocalAdapters(std::vector<LocalAdapter>* out)
{
    if (out == nullptr)
        return false;
    out->clear();
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return false;
    // The system lists one entry per address; an adapter counts once, with
    // the first IPv4 address it shows.
    std::vector<std::string> seen;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET || entry->ifa_name == nullptr)
            continue;
        const std::string name(entry->ifa_name);
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            continue;
        seen.push_back(name);
        LocalAdapter adapter;
        adapter.address = DottedText(entry->ifa_addr);
        adapter.mask = entry->ifa_netmask != nullptr && entry->ifa_netmask->sa_family == AF_INET
                           ? DottedText(entry->ifa_netmask)
                           : QStringLiteral("0.0.0.0");
        out->push_back(adapter);
    }
    freeifaddrs(list);
    return true;
}
