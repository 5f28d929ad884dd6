#include "List.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <algorithm>

void TList::Check(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", Index));
}

void* TList::Items(int Index) const {
    Check(Index);
    return items_[static_cast<std::size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
    Check(Index);
    items_[static_cast<std::size_t>(Index)] = Item;
}

int TList::Add(void* Item) {
    items_.push_back(Item);
    return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
    if (Index != Count()) Check(Index);
    items_.insert(items_.begin() + Index, Item);
}

void TList::Delete(int Index) {
    Check(Index);
    items_.erase(items_.begin() + Index);
}

int TList::Remove(void* Item) {
    const int i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    Check(NewIndex);
    void* item = Items(CurIndex);
    items_.erase(items_.begin() + CurIndex);
    items_.insert(items_.begin() + NewIndex, item);
}

void TList::Exchange(int Index1, int Index2) {
    Check(Index1);
    Check(Index2);
    std::swap(items_[static_cast<std::size_t>(Index1)], items_[static_cast<std::size_t>(Index2)]);
}

int TList::IndexOf(const void* Item) const {
    const auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Sort(TListSortCompare Compare) {
    std::stable_sort(items_.begin(), items_.end(), [Compare](void* a, void* b) { return Compare(a, b) < 0; });
}
