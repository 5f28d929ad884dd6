#include "Collection.h"

#include <algorithm>

const TClassInfo& TCollectionItem::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCollectionItem, void>("TCollectionItem", [](auto&) {});
    return info;
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    auto& items = collection_->items_;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this) return static_cast<int>(i);
    return -1;
}

void TCollectionItem::SetIndex(int NewIndex) {
    const int old = Index();
    if (old < 0 || NewIndex == old) return;
    auto& items = collection_->items_;
    NewIndex = std::clamp(NewIndex, 0, static_cast<int>(items.size()) - 1);
    auto holder = std::move(items[static_cast<size_t>(old)]);
    items.erase(items.begin() + old);
    items.insert(items.begin() + NewIndex, std::move(holder));
    Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
    if (collection_) collection_->ItemChanged(AllItems ? nullptr : this);
}

TCollection::~TCollection() {
    // Items must not report changes while the collection goes away.
    updateCount_ = 1;
    items_.clear();
}

TCollectionItem* TCollection::Add() {
    auto item = NewItem();
    item->collection_ = this;
    items_.push_back(std::move(item));
    Changed();
    return items_.back().get();
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return items_[static_cast<size_t>(Index)].get();
}

void TCollection::Delete(int Index) {
    Items(Index);
    items_.erase(items_.begin() + Index);
    Changed();
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    items_.clear();
    EndUpdate();
}

void TCollection::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        items_.clear();
        for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::ItemChanged(TCollectionItem* Item) {
    if (updateCount_ == 0) Update(Item);
}

std::unique_ptr<TCollectionItem> TCollection::NewItem() { return std::make_unique<TCollectionItem>(); }
