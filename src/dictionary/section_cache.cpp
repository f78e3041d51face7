#include "dictionary/section_cache.h"

namespace lirabo {

TSectionCache::TBytes TSectionCache::Find(int Index)
{
    const auto it = FSlots.find(Index);
    if (it == FSlots.end())
        return nullptr;
    FOrder.splice(FOrder.begin(), FOrder, it->second);
    return it->second->Bytes;
}

void TSectionCache::Insert(int Index, TBytes Bytes)
{
    if (!Bytes || Bytes->size() > FBudget)
        return;
    if (const auto it = FSlots.find(Index); it != FSlots.end()) {
        FUsed -= it->second->Bytes->size();
        FOrder.erase(it->second);
        FSlots.erase(it);
    }
    FUsed += Bytes->size();
    FOrder.push_front({Index, std::move(Bytes)});
    FSlots[Index] = FOrder.begin();
    Evict();
}

void TSectionCache::Clear()
{
    FOrder.clear();
    FSlots.clear();
    FUsed = 0;
}

void TSectionCache::SetBudget(size_t Budget)
{
    FBudget = Budget;
    Evict();
}

void TSectionCache::Evict()
{
    while (FUsed > FBudget && !FOrder.empty()) {
        FUsed -= FOrder.back().Bytes->size();
        FSlots.erase(FOrder.back().Index);
        FOrder.pop_back();
    }
}

}  // namespace lirabo
