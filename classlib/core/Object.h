#pragma once
// Root of the class library: run-time class names, "is a" tests, Assign, and
// events as comparable method pointers (object + member).

#include <string>
#include <typeinfo>

class TFiler;


class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class name as the library and the window classes know it ("TMainForm").
    virtual std::string ClassName() const { return "TObject"; }

    template <class T>
    bool Is() const { return dynamic_cast<const T*>(this) != nullptr; }
};

class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }
    // Copies Source into this object; falls back to Source->AssignTo(this) and
    // raises the library's conversion error when neither side knows the other.
    virtual void Assign(TPersistent* Source);
    // Lists the data this object stores in a description beside its
    // published properties (Filer.h); each override calls its base first.
    virtual void DefineProperties(TFiler* Filer) { (void)Filer; }

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// An event: a handler method bound to its object. Two events are equal when
// they call the same method of the same object, so a component can tell
// whether a hook it installed is still the one in place.
template <class... Args>
class TEvent {
public:
    TEvent() = default;

    template <auto Method, class C>
    static TEvent Bind(C* Target) {
        TEvent e;
        e.target_ = Target;
        e.thunk_ = [](void* t, Args... a) { (static_cast<C*>(t)->*Method)(a...); };
        return e;
    }

    explicit operator bool() const { return thunk_ != nullptr; }
    bool operator==(const TEvent& o) const { return target_ == o.target_ && thunk_ == o.thunk_; }

    void operator()(Args... a) const {
        if (thunk_) thunk_(target_, a...);
    }
    void* Target() const { return target_; }

private:
    using Thunk = void (*)(void*, Args...);
    void* target_ = nullptr;
    Thunk thunk_ = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;


