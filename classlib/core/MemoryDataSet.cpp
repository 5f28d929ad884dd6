#include "MemoryDataSet.h"

std::string TMemoryDataSet::Value() const {
    if (State() == dsEdit || State() == dsInsert) return pending_;
    const int i = RecNo();
    return i < 0 ? std::string() : rows_[static_cast<size_t>(i)];
}

void TMemoryDataSet::SetValue(const std::string& Value) {
    if (State() != dsEdit && State() != dsInsert) throw EDatabaseError("Dataset not in edit or insert mode");
    pending_ = Value;
}

void TMemoryDataSet::InternalInsert(int Index) {
    rows_.insert(rows_.begin() + Index, std::string());
    pending_.clear();
}

void TMemoryDataSet::InternalDelete(int Index) { rows_.erase(rows_.begin() + Index); }

void TMemoryDataSet::InternalEdit(int Index) { pending_ = rows_[static_cast<size_t>(Index)]; }

void TMemoryDataSet::InternalPost(int Index) { rows_[static_cast<size_t>(Index)] = pending_; }

void TMemoryDataSet::InternalCancel(int) { pending_.clear(); }
