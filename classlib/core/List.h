#pragma once
// A list of untyped pointers in insertion order; the list owns none of them.

#include "Object.h"

#include <vector>

using TListSortCompare = int (*)(void* Item1, void* Item2);

class TList : public TObject {
public:
    std::string ClassName() const override { return "TList"; }

    int Count() const { return static_cast<int>(items_.size()); }
    // Index checks raise EListError "List index out of bounds (%d)".
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* Item);
    void Clear() { items_.clear(); }
    void Move(int CurIndex, int NewIndex);
    void Exchange(int Index1, int Index2);
    int IndexOf(const void* Item) const;
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    // Stable, so equal items keep their order.
    void Sort(TListSortCompare Compare);

private:
    void Check(int Index) const;
    std::vector<void*> items_;
};
