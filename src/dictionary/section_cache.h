#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

namespace lirabo {

// Decompressed section bytes kept within a byte budget, least recently used
// out first, so that going back to a section never decompresses it again.
// Lies below the store's decoded entries, whose lifecycle it does not change.
class TSectionCache {
public:
    using TBytes = std::shared_ptr<const std::vector<unsigned char>>;

    static constexpr size_t kDefaultBudget = 64u << 20;  // 64 MiB

    explicit TSectionCache(size_t Budget = kDefaultBudget) : FBudget(Budget) {}

    // The bytes of section Index, or null; a hit makes it the most recent.
    TBytes Find(int Index);
    // Keeps Bytes for section Index, evicting the least recent beyond the
    // budget. Data larger than the whole budget is not kept.
    void Insert(int Index, TBytes Bytes);
    void Clear();

    void SetBudget(size_t Budget);
    size_t Budget() const { return FBudget; }
    size_t Used() const { return FUsed; }

private:
    void Evict();

    struct Slot {
        int Index;
        TBytes Bytes;
    };

    size_t FBudget;
    size_t FUsed = 0;
    std::list<Slot> FOrder;  // most recent first
    std::unordered_map<int, std::list<Slot>::iterator> FSlots;
};

}  // namespace lirabo
