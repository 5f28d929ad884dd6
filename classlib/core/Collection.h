#pragma once
// Collections: ordered lists of persistent items that belong to a component
// property (title bar buttons, sections). Items are created by the collection.

#include "ClassInfo.h"

#include <memory>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
public:
    TCollectionItem() = default;
    std::string ClassName() const override { return ClassInfoOf(this)->Name(); }
    static const TClassInfo& StaticClassInfo();

    TCollection* Collection() const { return collection_; }
    int Index() const;
    // Moves the item to NewIndex within its collection.
    void SetIndex(int NewIndex);

protected:
    // Tells the collection that this item (or, with AllItems, all) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
public:
    explicit TCollection(TPersistent* Owner = nullptr) : owner_(Owner) {}
    ~TCollection() override;
    std::string ClassName() const override { return "TCollection"; }

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Add();
    TCollectionItem* Items(int Index) const;
    void Delete(int Index);
    void Clear();
    // Clears, then adds one item per source item and assigns it.
    void Assign(TPersistent* Source) override;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // The persistent that holds this collection (for property paths).
    TPersistent* Owner() const { return owner_; }

protected:
    // Makes a new item of the collection's item class.
    virtual std::unique_ptr<TCollectionItem> NewItem();
    // Called after changes when no update is pending; Item is null when the
    // whole collection changed.
    virtual void Update(TCollectionItem* Item) { (void)Item; }
    void Changed();

private:
    friend class TCollectionItem;
    void ItemChanged(TCollectionItem* Item);

    TPersistent* owner_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    int updateCount_ = 0;
};

// A collection of items of class Item with typed access.
template <class Item>
class TCollectionOf : public TCollection {
public:
    explicit TCollectionOf(TPersistent* Owner = nullptr) : TCollection(Owner) { Item::StaticClassInfo(); }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
    Item* Items(int Index) const { return static_cast<Item*>(TCollection::Items(Index)); }

protected:
    std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<Item>(); }
};
