#pragma once
// A data set held in memory: one text value per record, in a list. Made for
// the tests of the data-aware controls; it counts refreshes so that a test
// can see one happen.

#include "DataSet.h"

#include <string>
#include <vector>

class TMemoryDataSet : public TDataSet {
public:
    // Appends a stored record (also while closed).
    void Add(const std::string& Value) { rows_.push_back(Value); }
    const std::vector<std::string>& Rows() const { return rows_; }
    // The cursor's record; while editing or inserting, its pending value.
    std::string Value() const;
    void SetValue(const std::string& Value);

    bool ReadOnly = false;
    bool CanModify() const override { return !ReadOnly; }
    int RefreshCount() const { return refreshes_; }

protected:
    int InternalRecordCount() const override { return static_cast<int>(rows_.size()); }
    void InternalInsert(int Index) override;
    void InternalDelete(int Index) override;
    void InternalEdit(int Index) override;
    void InternalPost(int Index) override;
    void InternalCancel(int Index) override;
    void InternalRefresh() override { ++refreshes_; }

private:
    std::vector<std::string> rows_;
    std::string pending_;
    int refreshes_ = 0;
};
