#include "DataSet.h"

#include <algorithm>

namespace {
const char* const kClosed = "Cannot perform this operation on a closed dataset";
const char* const kEmpty = "Cannot perform this operation on an empty dataset";
const char* const kReadOnly = "Cannot modify a read-only dataset";
}  // namespace

// ---- TDataSet

void TDataSet::SetActive(bool Value) {
    if (Value == Active()) return;
    if (Value) {
        InternalOpen();
        recNo_ = 0;
        bof_ = true;
        eof_ = InternalRecordCount() == 0;
        state_ = dsBrowse;
    } else {
        if (state_ == dsEdit || state_ == dsInsert) Cancel();
        InternalClose();
        state_ = dsInactive;
        recNo_ = 0;
        bof_ = eof_ = true;
    }
    Notify(TNotice::Active);
}

int TDataSet::RecordCount() const { return Active() ? InternalRecordCount() : 0; }

void TDataSet::CheckActive() const {
    if (!Active()) throw EDatabaseError(kClosed);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (state_ == dsEdit || state_ == dsInsert) Post();
}

void TDataSet::First() {
    CheckBrowseMode();
    recNo_ = 0;
    bof_ = true;
    eof_ = InternalRecordCount() == 0;
    Notify(TNotice::Data);
}

void TDataSet::Last() {
    CheckBrowseMode();
    const int n = InternalRecordCount();
    recNo_ = std::max(n - 1, 0);
    eof_ = true;
    bof_ = n == 0;
    Notify(TNotice::Data);
}

void TDataSet::MoveBy(int Distance) {
    CheckBrowseMode();
    const int n = InternalRecordCount();
    const int target = recNo_ + Distance;
    if (n == 0) {
        bof_ = eof_ = true;
    } else if (target < 0) {
        // A move that runs off either end stops on the end record and says so.
        recNo_ = 0;
        bof_ = true;
        eof_ = false;
    } else if (target >= n) {
        recNo_ = n - 1;
        bof_ = false;
        eof_ = true;
    } else {
        recNo_ = target;
        bof_ = eof_ = false;
    }
    Notify(TNotice::Data);
}

void TDataSet::Insert() {
    CheckBrowseMode();
    if (!CanModify()) throw EDatabaseError(kReadOnly);
    const int at = InternalRecordCount() == 0 ? 0 : recNo_;
    InternalInsert(at);
    recNo_ = at;
    bof_ = eof_ = false;
    SetState(dsInsert);
    Notify(TNotice::Data);
}

void TDataSet::Edit() {
    CheckActive();
    if (state_ == dsEdit || state_ == dsInsert) return;
    if (!CanModify()) throw EDatabaseError(kReadOnly);
    // Nothing to edit: editing an empty set starts a new record.
    if (InternalRecordCount() == 0) {
        Insert();
        return;
    }
    InternalEdit(recNo_);
    SetState(dsEdit);
}

void TDataSet::Post() {
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert) return;
    InternalPost(recNo_);
    SetState(dsBrowse);
    Notify(TNotice::Data);
}

void TDataSet::Cancel() {
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert) return;
    InternalCancel(recNo_);
    if (state_ == dsInsert) {
        InternalDelete(recNo_);
        PlaceCursorAfterChange();
    }
    SetState(dsBrowse);
    Notify(TNotice::Data);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        // The record being inserted was never stored: deleting it is cancelling it.
        Cancel();
        return;
    }
    if (!CanModify()) throw EDatabaseError(kReadOnly);
    if (InternalRecordCount() == 0) throw EDatabaseError(kEmpty);
    if (state_ == dsEdit) {
        InternalCancel(recNo_);
        SetState(dsBrowse);
    }
    InternalDelete(recNo_);
    PlaceCursorAfterChange();
    Notify(TNotice::Data);
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    InternalRefresh();
    PlaceCursorAfterChange();
    Notify(TNotice::Data);
}

void TDataSet::PlaceCursorAfterChange() {
    const int n = InternalRecordCount();
    if (n == 0) {
        recNo_ = 0;
        bof_ = eof_ = true;
    } else {
        recNo_ = std::clamp(recNo_, 0, n - 1);
        bof_ = eof_ = false;
    }
}

void TDataSet::SetState(TDataSetState Value) {
    if (state_ == Value) return;
    state_ = Value;
    Notify(TNotice::Editing);
}

void TDataSet::Notify(TNotice Notice) {
    // A listener may detach a source while hearing the notice.
    const auto sources = sources_;
    for (TDataSource* s : sources)
        if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->Broadcast(Notice);
}

void TDataSet::BeforeDestruction() {
    // The sources hear of it through their free notification; closing first
    // lets every link see the set go inactive while it still exists.
    if (Active()) {
        state_ = dsInactive;
        Notify(TNotice::Active);
    }
    TComponent::BeforeDestruction();
}

// ---- TDataSource

void TDataSource::SetDataSet(TDataSet* Value) {
    if (Value == dataSet_) return;
    if (dataSet_) {
        std::erase(dataSet_->sources_, this);
        dataSet_->RemoveFreeNotification(this);
    }
    dataSet_ = Value;
    if (Value) {
        Value->sources_.push_back(this);
        Value->FreeNotification(this);
    }
    const auto links = links_;
    for (TDataLink* l : links) l->UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == dataSet_) SetDataSet(nullptr);
}

void TDataSource::BeforeDestruction() {
    const auto links = links_;
    links_.clear();
    for (TDataLink* l : links) {
        l->dataSource_ = nullptr;
        l->UpdateState();
    }
    if (dataSet_) std::erase(dataSet_->sources_, this);
    TComponent::BeforeDestruction();
}

void TDataSource::Broadcast(TDataSet::TNotice Notice) {
    const auto links = links_;
    for (TDataLink* l : links)
        if (std::find(links_.begin(), links_.end(), l) != links_.end()) l->Hear(Notice);
}

// ---- TDataLink

TDataLink::~TDataLink() {
    if (dataSource_) std::erase(dataSource_->links_, this);
}

void TDataLink::SetDataSource(TDataSource* Value) {
    if (Value == dataSource_) return;
    if (dataSource_) std::erase(dataSource_->links_, this);
    dataSource_ = Value;
    if (Value) Value->links_.push_back(this);
    UpdateState();
}

void TDataLink::Hear(TDataSet::TNotice Notice) {
    if (Notice == TDataSet::TNotice::Data) {
        if (active_) DataSetChanged();
    } else {
        UpdateState();
    }
}

void TDataLink::UpdateState() {
    const TDataSetState state = dataSource_ ? dataSource_->State() : dsInactive;
    const bool active = state != dsInactive;
    const bool editing = state == dsEdit || state == dsInsert;
    if (active != active_) {
        active_ = active;
        ActiveChanged();
    }
    if (editing != editing_) {
        editing_ = editing;
        EditingChanged();
    }
}
