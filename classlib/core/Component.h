#pragma once
// Components: objects with an owner, a name and notification of insertions and
// removals. Creation runs in two phases (Create<T>) so that the steps a class
// performs "while being constructed" reach overrides of the most-derived class;
// Free() runs the removal notices while the object is still whole.

#include "Exceptions.h"
#include "Object.h"
#include "Set.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TComponent;
class TClassInfo;

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading,
    csDesigning,  // kept for faithful code paths; there is no designer, so never set
    csDestroying,
    csFreeNotification,
};
using TComponentState = TSet<TComponentStateItem>;

class EComponentError : public Exception { using Exception::Exception; };

class TComponent : public TPersistent {
public:
    TComponent() = default;
    // The class name comes from the class's run-time type information.
    std::string ClassName() const override;
    virtual const TClassInfo& ClassInfo() const;
    static const TClassInfo& StaticClassInfo();

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& NewName);
    std::intptr_t Tag = 0;

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    // Case-insensitive; an empty name finds nothing.
    TComponent* FindComponent(const std::string& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    // Asks to be told (Notification opRemove) when AComponent is freed, even
    // when it belongs to another owner. Both sides forget each other on free.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState ComponentState() const { return state_; }
    // The stored-description reader marks components it is filling in;
    // Loaded() clears the mark again.
    void Loading() { state_.Include(csLoading); }
    virtual void Loaded() { state_.Exclude(csLoading); }

    // Called by the description reader with the component that encloses this
    // one in the description, before any of its properties is set: a control
    // takes it as its window parent, a menu item as its parent item. The
    // default ignores it (a timer, a dialog has no parent).
    virtual void SetParentComponent(TComponent* Value) { (void)Value; }

    // Runs the construction steps that may call virtual functions. Each
    // override calls its base first. Called once by Create<T>.
    virtual void Init() {}
    virtual void AfterConstruction() {}
    // Destruction steps that need the whole object; each override calls its
    // base last. Called by Free() before any notice goes out.
    virtual void BeforeDestruction() {}

    // Destroys the component: sets csDestroying, runs BeforeDestruction, tells
    // free-notification subscribers, leaves the owner (the owner broadcasts
    // opRemove to all its components, this one included), frees the owned
    // components, and only then deletes the C++ object.
    void Free();

    // Used by Create<T>; inserts into the owner and runs Init and AfterConstruction.
    static void Construct(TComponent* Instance, TComponent* AOwner);

protected:
    ~TComponent() override;
    // Broadcast: the default passes the notice on to every owned component.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetComponentState(TComponentState State) { state_ = State; }
    // Step 4 of Free(): frees what this component holds. The base frees the
    // owned components, last first; windowed controls add their children and
    // their window, then call the base.
    virtual void DestroyOwned();

private:
    void AddFreeNotify(TComponent* AComponent);
    void RemoveFreeNotify(TComponent* AComponent);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    TComponentState state_;
};

// Two-phase creation: the C++ constructor only initialises fields; then the
// component joins its owner and its Init/AfterConstruction chain runs. A
// component with an owner is freed by the owner; one without an owner is freed
// by Free() (or held in a TOwned<T>).
template <class T, class... Args>
T* Create(TComponent* AOwner, Args&&... args) {
    static_assert(std::is_base_of_v<TComponent, T>);
    T* instance = new T(std::forward<Args>(args)...);
    TComponent::Construct(instance, AOwner);
    return instance;
}

struct TFreeComponent {
    void operator()(TComponent* c) const {
        if (c) c->Free();
    }
};
// Holds a component that has no owner and frees it when it goes out of scope.
template <class T>
using TOwned = std::unique_ptr<T, TFreeComponent>;

template <class T, class... Args>
TOwned<T> CreateOwned(Args&&... args) {
    return TOwned<T>(Create<T>(nullptr, std::forward<Args>(args)...));
}

// ASCII case-insensitive name comparison, as component and property names use.
bool SameName(const std::string& A, const std::string& B);
