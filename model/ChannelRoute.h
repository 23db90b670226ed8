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
    // Every channel's archived fields, in index order.
    using Archived = std::vector<typename T::Archived>;
    // Every channel in index order, without a count. Loading takes the
    // channels only when every one of them was read and accepted.
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring()) {
            for (const auto& channel : m_Channels)
                channel->Serialize(ar);
            return;
        }
        Archived channels;
        if (ReadArchive(ar, channels))
            ApplyArchive(channels);
    }
    // False, with the archive's error flag set, as soon as one channel is
    // short or refused.
    bool ReadArchive(CArchive& ar, Archived& out) const
    {
        out.resize(m_Channels.size());
        for (size_t i = 0; i < m_Channels.size(); ++i) {
            if (!m_Channels[i]->ReadArchive(ar, out[i]))
                return false;
        }
        return true;
    }
    void ApplyArchive(const Archived& channels)
    {
        for (size_t i = 0; i < m_Channels.size() && i < channels.size(); ++i)
            m_Channels[i]->ApplyArchive(channels[i]);
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
