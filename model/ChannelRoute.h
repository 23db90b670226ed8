#pragma once
// An ordered set of channel objects of one kind that owns them: the mic,
// music and output routes of the parameter set. Each route creates its
// channels once, in its constructor, and keeps them for its whole life.
#include <memory>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/Types.h"

template <class T>
class CChannelRoute {
public:
    CChannelRoute() = default;
    CChannelRoute(const CChannelRoute&) = delete;
    CChannelRoute& operator=(const CChannelRoute&) = delete;

    int GetSize() const { return int(m_Channels.size()); }
    // Channel i; null outside the route.
    T* GetAt(int i) const { return (i < 0 || i >= GetSize()) ? nullptr : m_Channels[size_t(i)].get(); }

    // Channel i's loader on its block; nothing for an index outside.
    void LoadChannel(const BYTE* block, int i)
    {
        if (T* channel = GetAt(i))
            channel->LoadFromRaw(block);
    }
    // Every channel's set-all-changed.
    void SetAllDirty(bool v)
    {
        for (const auto& channel : m_Channels)
            channel->SetAllDirty(v);
    }
    // Every channel in index order, without a count.
    void Serialize(CArchive& ar)
    {
        for (const auto& channel : m_Channels)
            channel->Serialize(ar);
    }
    // Every channel packs itself into the live image.
    void StoreToRaw()
    {
        for (const auto& channel : m_Channels)
            channel->StoreToRaw();
    }

protected:
    T* Append()
    {
        m_Channels.push_back(std::make_unique<T>());
        return m_Channels.back().get();
    }

private:
    std::vector<std::unique_ptr<T>> m_Channels;
};
