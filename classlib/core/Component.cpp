#include "Component.h"

#include <algorithm>
#include <cctype>

bool SameName(const std::string& A, const std::string& B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(A[i])) != std::tolower(static_cast<unsigned char>(B[i])))
            return false;
    }
    return true;
}

TComponent::~TComponent() = default;

void TComponent::Construct(TComponent* Instance, TComponent* AOwner) {
    try {
        if (AOwner) AOwner->InsertComponent(Instance);
        Instance->Init();
        Instance->AfterConstruction();
    } catch (...) {
        Instance->Free();
        throw;
    }
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return components_[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameName(c->name_, AName)) return c;
    return nullptr;
}

void TComponent::SetName(const std::string& NewName) {
    if (NewName == name_) return;
    if (!NewName.empty()) {
        const bool valid = (std::isalpha(static_cast<unsigned char>(NewName[0])) || NewName[0] == '_') &&
                           std::all_of(NewName.begin(), NewName.end(), [](char ch) {
                               return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
                           });
        if (!valid) throw EComponentError("Component name \"" + NewName + "\" is not a valid identifier");
        if (owner_) {
            TComponent* other = owner_->FindComponent(NewName);
            if (other && other != this)
                throw EComponentError("A component named " + NewName + " already exists");
        }
    }
    name_ = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ == this) return;
    if (!AComponent->name_.empty() && FindComponent(AComponent->name_))
        throw EComponentError("A component named " + AComponent->name_ + " already exists");
    if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ != this) return;
    // While the owner itself is being freed its components go silently: the
    // siblings that would hear the notice may already be gone.
    if (!state_.Contains(csDestroying)) Notification(AComponent, opRemove);
    auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it != components_.end()) components_.erase(it);
    AComponent->owner_ = nullptr;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotify(AComponent);
    // A handler may free components; walk by index and re-check the bounds.
    for (size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(AComponent, Operation);
}

void TComponent::AddFreeNotify(TComponent* AComponent) {
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
        freeNotifies_.push_back(AComponent);
    state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotify(TComponent* AComponent) {
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
    if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    // Components of one owner already hear each other's removal.
    if (owner_ && AComponent->owner_ == owner_) return;
    AddFreeNotify(AComponent);
    AComponent->AddFreeNotify(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    RemoveFreeNotify(AComponent);
    AComponent->RemoveFreeNotify(this);
}

void TComponent::DestroyOwned() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        c->Free();
    }
}

void TComponent::Free() {
    if (state_.Contains(csDestroying)) return;
    state_.Include(csDestroying);
    BeforeDestruction();
    while (!freeNotifies_.empty()) {
        TComponent* c = freeNotifies_.back();
        freeNotifies_.pop_back();
        c->RemoveFreeNotify(this);
        c->Notification(this, opRemove);
    }
    if (owner_) owner_->RemoveComponent(this);
    DestroyOwned();
    delete this;
}
