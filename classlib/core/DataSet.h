#pragma once
// The small data-access layer the data-aware controls stand on: a data set
// (a cursor over records with browse, edit and insert states), a data source
// that joins a data set to any number of data links, and the data link a
// control holds to hear of activation, data changes and editing changes.
// A concrete data set supplies the record storage through the Internal
// operations; the cursor bookkeeping (BOF, EOF, states, notices) is here.

#include "Component.h"
#include "Exceptions.h"
#include "Set.h"

#include <vector>

// The buttons of a record navigator, in their row order.
enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
using TButtonSet = TSet<TNavigateBtn>;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class EDatabaseError : public Exception { using Exception::Exception; };

class TDataLink;
class TDataSource;

class TDataSet : public TComponent {
public:
    // What a data set tells its sources' links.
    enum class TNotice { Active, Data, Editing };

    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    // Classic flags: BOF after First or a move before the first record, EOF
    // after Last or a move past the last one; both on an empty set.
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    virtual bool CanModify() const { return true; }
    int RecordCount() const;
    // The cursor's record, from 0; -1 on an empty or closed set.
    int RecNo() const { return Active() && InternalRecordCount() > 0 ? recNo_ : -1; }

    // Moves post a pending edit or insert first.
    void First();
    void Prior() { MoveBy(-1); }
    void Next() { MoveBy(1); }
    void Last();
    void MoveBy(int Distance);
    // A new record before the cursor's one, in the insert state.
    void Insert();
    void Delete();
    void Edit();
    void Post();
    void Cancel();
    void Refresh();

protected:
    void BeforeDestruction() override;

    virtual int InternalRecordCount() const = 0;
    // The new record exists in storage at Index from Insert until Post or Cancel.
    virtual void InternalInsert(int Index) = 0;
    virtual void InternalDelete(int Index) = 0;
    // The record at Index starts being edited.
    virtual void InternalEdit(int Index) { (void)Index; }
    // Keeps the edited (or inserted) record's values.
    virtual void InternalPost(int Index) = 0;
    // Drops the edited record's pending values (an insert is deleted by the caller).
    virtual void InternalCancel(int Index) = 0;
    virtual void InternalRefresh() {}
    virtual void InternalOpen() {}
    virtual void InternalClose() {}

    void CheckActive() const;
    void CheckBrowseMode();

private:
    friend class TDataSource;
    void SetState(TDataSetState Value);
    void Notify(TNotice Notice);
    void PlaceCursorAfterChange();

    TDataSetState state_ = dsInactive;
    int recNo_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    std::vector<TDataSource*> sources_;
};

class TDataSource : public TComponent {
public:
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* Value);
    // The data set's state; inactive without one.
    TDataSetState State() const { return dataSet_ ? dataSet_->State() : dsInactive; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void BeforeDestruction() override;

private:
    friend class TDataSet;
    friend class TDataLink;
    void Broadcast(TDataSet::TNotice Notice);

    TDataSet* dataSet_ = nullptr;
    std::vector<TDataLink*> links_;
};

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* Value);
    TDataSet* DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }
    // Active while the source's data set is open; editing while it is also
    // in the edit or insert state.
    bool Active() const { return active_; }
    bool Editing() const { return editing_; }
    // Marks a link held by a control on the screen.
    bool VisualControl = false;

protected:
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void EditingChanged() {}

private:
    friend class TDataSource;
    void Hear(TDataSet::TNotice Notice);
    // Compares the source's state with the link's and sends the notices due.
    void UpdateState();

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
};
