#include "Strings.h"

#include "Exceptions.h"
#include "FileStream.h"
#include "Streams.h"
#include "SysUtils.h"

#include <utility>

void TStrings::Error(int Index) {
    throw EListError(Format("List index out of bounds (%d)", Index));
}

void TStrings::SetStrings(int Index, const std::string& S) {
    TObject* object = Objects(Index);
    BeginUpdate();
    try {
        Delete(Index);
        InsertObject(Index, S, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TObject* TStrings::Objects(int Index) const {
    if (Index < 0 || Index >= Count()) Error(Index);
    return nullptr;
}

void TStrings::SetObjects(int Index, TObject*) {
    if (Index < 0 || Index >= Count()) Error(Index);
}

int TStrings::Add(const std::string& S) {
    const int index = Count();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const std::string& S, TObject* Object) {
    const int index = Count();
    InsertObject(index, S, Object);
    return index;
}

void TStrings::AddStrings(TStrings* Strings) {
    BeginUpdate();
    try {
        for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Strings(i), Strings->Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* Object) {
    Insert(Index, S);
    SetObjects(Index, Object);
}

void TStrings::Exchange(int Index1, int Index2) {
    const std::string s1 = Strings(Index1), s2 = Strings(Index2);
    TObject* o1 = Objects(Index1);
    TObject* o2 = Objects(Index2);
    BeginUpdate();
    SetStrings(Index1, s2);
    SetObjects(Index1, o2);
    SetStrings(Index2, s1);
    SetObjects(Index2, o1);
    EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Strings(i), S)) return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* Object) const {
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == Object) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Strings(i);
        const std::size_t eq = s.find('=');
        if (eq != std::string::npos && SameText(std::string_view(s).substr(0, eq), Name)) return i;
    }
    return -1;
}

std::string TStrings::Names(int Index) const {
    const std::string s = Strings(Index);
    const std::size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::Values(const std::string& Name) const {
    const int i = IndexOfName(Name);
    if (i < 0) return {};
    const std::string s = Strings(i);
    return s.substr(s.find('=') + 1);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
    int i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    if (i < 0) Add(Name + "=" + Value);
    else SetStrings(i, Name + "=" + Value);
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& Text) {
    BeginUpdate();
    try {
        Clear();
        std::size_t p = 0;
        while (p < Text.size()) {
            std::size_t e = Text.find_first_of("\r\n", p);
            if (e == std::string::npos) e = Text.size();
            Add(Text.substr(p, e - p));
            p = e;
            if (p < Text.size() && Text[p] == '\r') ++p;
            if (p < Text.size() && Text[p] == '\n') ++p;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromStream(TStream* Stream) {
    const std::int64_t left = Stream->Size() - Stream->Position();
    std::string text;
    if (left > 0) {
        text.resize(static_cast<std::size_t>(left));
        Stream->ReadBuffer(text.data(), left);
    }
    SetText(text);
}

void TStrings::SaveToStream(TStream* Stream) const {
    const std::string text = Text();
    Stream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TStrings::SaveToFile(const std::string& FileName) const {
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TStrings*>(Source)) {
        if (source == this) return;
        BeginUpdate();
        try {
            Clear();
            AddStrings(source);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

TStringList::~TStringList() {
    if (ownsObjects_)
        for (Item& item : items_) Release(std::exchange(item.Object, nullptr));
}

void TStringList::Check(int Index, bool AllowEnd) const {
    if (Index < 0 || Index > Count() || (Index == Count() && !AllowEnd)) Error(Index);
}

void TStringList::Release(TObject* Object) {
    // The list was made the owner of these objects; it is the one place that
    // ends their lifetime.
    if (ownsObjects_) std::unique_ptr<TObject> owned(Object);
}

std::string TStringList::Strings(int Index) const {
    Check(Index);
    return items_[static_cast<std::size_t>(Index)].Text;
}

void TStringList::SetStrings(int Index, const std::string& S) {
    Check(Index);
    Changing();
    items_[static_cast<std::size_t>(Index)].Text = S;
    Changed();
}

TObject* TStringList::Objects(int Index) const {
    Check(Index);
    return items_[static_cast<std::size_t>(Index)].Object;
}

void TStringList::SetObjects(int Index, TObject* Object) {
    Check(Index);
    Changing();
    items_[static_cast<std::size_t>(Index)].Object = Object;
    Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
    Check(Index, true);
    Changing();
    items_.insert(items_.begin() + Index, Item{S, nullptr});
    Changed();
}

void TStringList::InsertObject(int Index, const std::string& S, TObject* Object) {
    Check(Index, true);
    Changing();
    items_.insert(items_.begin() + Index, Item{S, Object});
    Changed();
}

void TStringList::Delete(int Index) {
    Check(Index);
    Changing();
    TObject* object = items_[static_cast<std::size_t>(Index)].Object;
    items_.erase(items_.begin() + Index);
    Release(object);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    std::vector<Item> old = std::move(items_);
    items_.clear();
    for (Item& item : old) Release(item.Object);
    Changed();
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating) Changing();
    else Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0) OnChange(this);
}
