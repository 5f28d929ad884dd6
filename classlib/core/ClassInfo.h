#pragma once
// Run-time type information: per class an ordered table of published
// properties and of the methods that stored descriptions may bind to events
// by name, plus creation by class name.
//
// A class describes itself once, in its .cpp file:
//
//   const TClassInfo& TPanel::StaticClassInfo() {
//       static const TClassInfo info = DescribeClass<TPanel, TCustomPanel>("TPanel", [](auto& c) {
//           c.Enum("Alignment", &TPanel::Alignment, &TPanel::SetAlignment, AlignmentNames);
//       });
//       return info;
//   }
//
// Components answer with their table through the virtual ClassInfo(), which a
// described class overrides (returning StaticClassInfo()); a class that does
// not answers with its nearest described ancestor's table. Other persistent
// classes (fonts, string lists) are found through the registry by their
// dynamic type, again the nearest described one.

#include "Component.h"

#include <cstdint>
#include <functional>  // std::function, std::invoke
#include <string>
#include <type_traits>
#include <utility>
#include <typeindex>
#include <vector>

enum TTypeKind {
    tkInteger,
    tkBoolean,
    tkEnumeration,
    tkSet,
    tkColor,
    tkString,
    tkChar,
    tkFloat,
    tkComponent,  // a reference to another component, fixed up by name
    tkClass,      // an owned sub-object with properties of its own (Font, Constraints, Lines)
    tkEvent,
};

// Names for integer values (colour identifiers, cursor identifiers).
struct TIdentEntry {
    const char* Name;
    std::int64_t Value;
};
using TIdentTable = std::vector<TIdentEntry>;
// clBlack, clBtnFace, ... with their TColor values.
const TIdentTable& ColorIdentTable();

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkInteger;
    std::vector<std::string> Names;      // enumeration and set element identifiers
    const TIdentTable* Idents = nullptr;  // optional identifiers of integer and colour values

    std::function<std::int64_t(TObject*)> GetOrd;
    std::function<void(TObject*, std::int64_t)> SetOrd;
    std::function<std::string(TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<TObject*(TObject*)> GetObj;
    std::function<void(TObject*, TObject*)> SetObj;  // component references; sub-objects Assign
    std::function<bool(const TObject*)> AcceptsObj;  // component references: the class the property takes
    std::type_index EventType = typeid(void);
    std::function<void*(TObject*)> EventField;
    std::function<void(void*)> ClearEvent;

    bool Writable() const { return SetOrd || SetStr || SetFloat || SetObj || EventField; }
};

// A method that an event can be bound to by name ("BuildBtnClick").
struct TMethodInfo {
    std::string Name;
    std::type_index EventType = typeid(void);
    // Stores an event bound to Target's method into *EventField (which has EventType).
    std::function<void(TObject* Target, void* EventField)> Bind;
};

class TClassInfo {
public:
    using Factory = TComponent* (*)(TComponent* Owner);

    // Registers itself under its name; lives in a function-local static.
    TClassInfo(std::string Name, const TClassInfo* Parent, bool (*IsInstance)(const TObject*), Factory Make,
               const std::function<void(TClassInfo&)>& Fill);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    int Depth() const { return depth_; }
    bool IsInstance(const TObject* Obj) const { return isInstance_(Obj); }
    bool InheritsFrom(const TClassInfo* Other) const;
    // Creates an instance owned by Owner (two-phase); null for classes that are not components.
    TComponent* CreateInstance(TComponent* Owner) const { return make_ ? make_(Owner) : nullptr; }

    // The most-derived declaration of a property (case-insensitive), or null.
    const TPropInfo* FindProperty(const std::string& PropName) const;
    const TMethodInfo* FindMethod(const std::string& MethodName) const;
    // All published properties in type-information order: the ancestors'
    // first; a property published again by a descendant is listed at the
    // descendant's place.
    std::vector<const TPropInfo*> Properties() const;

    std::vector<TPropInfo> OwnProperties;
    std::vector<TMethodInfo> OwnMethods;

private:
    std::string name_;
    const TClassInfo* parent_;
    bool (*isInstance_)(const TObject*);
    Factory make_;
    int depth_;
};

// The table of an object's class (its nearest described ancestor's), or null.
const TClassInfo* ClassInfoOf(const TObject* Obj);
// Class registry: every described class is known by name from the moment
// its description is built; RegisterClass<T>() makes sure it is.
const TClassInfo* FindClassInfo(const std::string& ClassName);
// Creates a component by registered class name; raises EClassNotFound.
TComponent* CreateComponentByClassName(const std::string& ClassName, TComponent* Owner);

class EClassNotFound : public Exception { using Exception::Exception; };

template <class T>
void RegisterClass() {
    T::StaticClassInfo();
}

// Helper handed to the description callback of DescribeClass.
template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& Info) : info_(Info) {}

    // Integer-like properties through getter and setter (int, bool, char, Int64...).
    template <class V, class G, class S>
    TClassBuilder& Property(const std::string& Name, G Getter, S Setter) {
        if constexpr (std::is_same_v<V, std::string>) {
            auto& p = Add(Name, tkString);
            p.GetStr = [Getter](TObject* o) { return std::string(std::invoke(Getter, Self(o))); };
            if constexpr (!std::is_same_v<S, std::nullptr_t>)
                p.SetStr = [Setter](TObject* o, const std::string& v) { std::invoke(Setter, Self(o), v); };
        } else if constexpr (std::is_floating_point_v<V>) {
            auto& p = Add(Name, tkFloat);
            p.GetFloat = [Getter](TObject* o) { return static_cast<double>(std::invoke(Getter, Self(o))); };
            if constexpr (!std::is_same_v<S, std::nullptr_t>)
                p.SetFloat = [Setter](TObject* o, double v) { std::invoke(Setter, Self(o), static_cast<V>(v)); };
        } else {
            auto& p = Add(Name, std::is_same_v<V, bool> ? tkBoolean : std::is_same_v<V, char> ? tkChar : tkInteger);
            Ordinal<V>(p, Getter, Setter);
        }
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Int(const std::string& Name, G Getter, S Setter) { return Property<int>(Name, Getter, Setter); }
    template <class G, class S>
    TClassBuilder& Bool(const std::string& Name, G Getter, S Setter) { return Property<bool>(Name, Getter, Setter); }
    template <class G, class S>
    TClassBuilder& String(const std::string& Name, G Getter, S Setter) { return Property<std::string>(Name, Getter, Setter); }
    template <class G, class S>
    TClassBuilder& Char(const std::string& Name, G Getter, S Setter) { return Property<char>(Name, Getter, Setter); }
    template <class G, class S>
    TClassBuilder& Float(const std::string& Name, G Getter, S Setter) { return Property<double>(Name, Getter, Setter); }

    // A plain public data member published as it is (Tag, Hint...).
    template <class V, class K>
    TClassBuilder& Field(const std::string& Name, V K::*Member) {
        if constexpr (std::is_same_v<V, std::string>) {
            auto& p = Add(Name, tkString);
            p.GetStr = [Member](TObject* o) { return static_cast<K*>(Self(o))->*Member; };
            p.SetStr = [Member](TObject* o, const std::string& v) { static_cast<K*>(Self(o))->*Member = v; };
        } else {
            auto& p = Add(Name, std::is_same_v<V, bool> ? tkBoolean : tkInteger);
            p.GetOrd = [Member](TObject* o) { return static_cast<std::int64_t>(static_cast<K*>(Self(o))->*Member); };
            p.SetOrd = [Member](TObject* o, std::int64_t v) { static_cast<K*>(Self(o))->*Member = static_cast<V>(v); };
        }
        return *this;
    }

    // An integer with named values (cursor, modal result).
    template <class V, class G, class S>
    TClassBuilder& IdentInt(const std::string& Name, G Getter, S Setter, const TIdentTable& Idents) {
        auto& p = Add(Name, tkInteger);
        p.Idents = &Idents;
        Ordinal<V>(p, Getter, Setter);
        return *this;
    }
    // A colour, settable by identifier (clBtnFace) or value.
    template <class V, class G, class S>
    TClassBuilder& Color(const std::string& Name, G Getter, S Setter) {
        auto& p = Add(Name, tkColor);
        p.Idents = &ColorIdentTable();
        Ordinal<V>(p, Getter, Setter);
        return *this;
    }
    // An enumeration stored by identifier; Names in declaration order.
    template <class E, class G, class S>
    TClassBuilder& Enum(const std::string& Name, G Getter, S Setter, std::vector<std::string> Names) {
        auto& p = Add(Name, tkEnumeration);
        p.Names = std::move(Names);
        Ordinal<E>(p, Getter, Setter);
        return *this;
    }
    // A set (TSet<E>) stored as [a, b]; Names in element order.
    template <class E, class G, class S>
    TClassBuilder& Set(const std::string& Name, G Getter, S Setter, std::vector<std::string> Names) {
        auto& p = Add(Name, tkSet);
        p.Names = std::move(Names);
        p.GetOrd = [Getter](TObject* o) { return static_cast<std::int64_t>(std::invoke(Getter, Self(o)).Bits()); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetOrd = [Setter](TObject* o, std::int64_t v) {
                std::invoke(Setter, Self(o), TSet<E>::FromBits(static_cast<std::uint32_t>(v)));
            };
        return *this;
    }
    // A reference to another component of class T (or a descendant).
    template <class T, class G, class S>
    TClassBuilder& Reference(const std::string& Name, G Getter, S Setter) {
        auto& p = Add(Name, tkComponent);
        p.GetObj = [Getter](TObject* o) -> TObject* { return std::invoke(Getter, Self(o)); };
        p.SetObj = [Setter](TObject* o, TObject* v) { std::invoke(Setter, Self(o), dynamic_cast<T*>(v)); };
        p.AcceptsObj = [](const TObject* v) { return v == nullptr || dynamic_cast<const T*>(v) != nullptr; };
        return *this;
    }
    // An owned sub-object (Font, Constraints, Lines, a collection); its own
    // properties are reached by path ("Font.Name"). Setting it assigns.
    // The sub-object's class table is made known here: its own
    // StaticClassInfo(), or Describe for a class described from outside.
    template <class G>
    TClassBuilder& Object(const std::string& Name, G Getter, const TClassInfo& (*Describe)() = nullptr) {
        using T = std::remove_pointer_t<std::remove_cvref_t<decltype(std::invoke(Getter, std::declval<C*>()))>>;
        if (Describe)
            Describe();
        else if constexpr (requires { T::StaticClassInfo(); })
            T::StaticClassInfo();
        auto& p = Add(Name, tkClass);
        p.GetObj = [Getter](TObject* o) -> TObject* { return std::invoke(Getter, Self(o)); };
        p.SetObj = [Getter](TObject* o, TObject* v) {
            auto* target = dynamic_cast<TPersistent*>(static_cast<TObject*>(std::invoke(Getter, Self(o))));
            auto* source = dynamic_cast<TPersistent*>(v);
            if (target) target->Assign(source);
        };
        return *this;
    }
    // An event: a public TEvent<...> member.
    template <class Ev, class K>
    TClassBuilder& Event(const std::string& Name, Ev K::*Member) {
        auto& p = Add(Name, tkEvent);
        p.EventType = typeid(Ev);
        p.EventField = [Member](TObject* o) -> void* { return &(static_cast<K*>(Self(o))->*Member); };
        p.ClearEvent = [](void* field) { *static_cast<Ev*>(field) = Ev(); };
        return *this;
    }
    // An event kept by a part of the object (a child control's event that
    // the whole control publishes as its own); FieldOf gives the part's member.
    template <class Ev, class F>
    TClassBuilder& EventAt(const std::string& Name, F FieldOf) {
        auto& p = Add(Name, tkEvent);
        p.EventType = typeid(Ev);
        p.EventField = [FieldOf](TObject* o) -> void* { return &static_cast<Ev&>(FieldOf(Self(o))); };
        p.ClearEvent = [](void* field) { *static_cast<Ev*>(field) = Ev(); };
        return *this;
    }
    // A handler that stored descriptions bind by name (OnClick = BuildBtnClick).
    template <auto Method>
    TClassBuilder& Handler(const std::string& Name) {
        info_.OwnMethods.push_back(MakeMethod<Method>(Name, Method));
        return *this;
    }

private:
    static C* Self(TObject* o) { return static_cast<C*>(o); }

    TPropInfo& Add(const std::string& Name, TTypeKind Kind) {
        info_.OwnProperties.push_back(TPropInfo{});
        auto& p = info_.OwnProperties.back();
        p.Name = Name;
        p.Kind = Kind;
        return p;
    }

    template <class V, class G, class S>
    static void Ordinal(TPropInfo& p, G Getter, S Setter) {
        p.GetOrd = [Getter](TObject* o) { return static_cast<std::int64_t>(std::invoke(Getter, Self(o))); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetOrd = [Setter](TObject* o, std::int64_t v) { std::invoke(Setter, Self(o), static_cast<V>(v)); };
    }

    template <auto Method, class K, class... Args>
    static TMethodInfo MakeMethod(const std::string& Name, void (K::*)(Args...)) {
        TMethodInfo m;
        m.Name = Name;
        m.EventType = typeid(TEvent<Args...>);
        m.Bind = [](TObject* Target, void* Field) {
            *static_cast<TEvent<Args...>*>(Field) = TEvent<Args...>::template Bind<Method>(static_cast<K*>(Target));
        };
        return m;
    }

    TClassInfo& info_;
};

template <class C>
bool IsInstanceOf(const TObject* Obj) {
    return dynamic_cast<const C*>(Obj) != nullptr;
}

template <class C>
TComponent* MakeInstanceOf(TComponent* Owner) {
    if constexpr (std::is_base_of_v<TComponent, C> && std::is_default_constructible_v<C> && !std::is_abstract_v<C>)
        return Create<C>(Owner);
    else
        return nullptr;
}

// Builds and registers the table of class C whose parent class is P (void for a root).
template <class C, class P, class F>
TClassInfo DescribeClass(const std::string& Name, F Describe) {
    const TClassInfo* parent = nullptr;
    if constexpr (!std::is_void_v<P>) parent = &P::StaticClassInfo();
    return TClassInfo(Name, parent, &IsInstanceOf<C>, &MakeInstanceOf<C>, [&](TClassInfo& info) {
        TClassBuilder<C> builder(info);
        Describe(builder);
    });
}
