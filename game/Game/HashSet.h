#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// A set of 64-bit hashes with open addressing: the solver records millions
// of boards, one word each, without an allocation per board.
class cHashSet
{
public:
    // True when `hash` was not in the set yet (it is now).
    bool Insert(uint64_t hash)
    {
        if (hash == kEmpty)
            hash = 1; // the empty marker stands for itself elsewhere
        if ((m_size + 1) * 4 > m_slots.size() * 3)
            Grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t i = Spread(hash) & mask;; i = (i + 1) & mask)
        {
            if (m_slots[i] == hash)
                return false;
            if (m_slots[i] == kEmpty)
            {
                m_slots[i] = hash;
                ++m_size;
                return true;
            }
        }
    }
    size_t Size() const { return m_size; }
    // Empties the set and keeps its slots for the next search.
    void Clear()
    {
        std::fill(m_slots.begin(), m_slots.end(), kEmpty);
        m_size = 0;
    }

private:
    static constexpr uint64_t kEmpty = 0;
    static size_t Spread(uint64_t hash) { return static_cast<size_t>(hash ^ (hash >> 32)); }
    void Grow()
    {
        std::vector<uint64_t> old;
        old.swap(m_slots);
        m_slots.assign(old.empty() ? 1024 : old.size() * 2, kEmpty);
        m_size = 0;
        for (uint64_t hash : old)
            if (hash != kEmpty)
                Insert(hash);
    }

    std::vector<uint64_t> m_slots;
    size_t m_size = 0;
};
