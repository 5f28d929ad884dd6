#include "ClassInfo.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace {

struct Registry {
    std::vector<const TClassInfo*> all;
    std::map<std::string, const TClassInfo*> byUpperName;
};

Registry& TheRegistry() {
    static Registry r;
    return r;
}

std::string Upper(std::string s) {
    for (char& ch : s)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return s;
}

}  // namespace

TClassInfo::TClassInfo(std::string Name, const TClassInfo* Parent, bool (*IsInstance)(const TObject*), Factory Make,
                       const std::function<void(TClassInfo&)>& Fill)
    : name_(std::move(Name)), parent_(Parent), isInstance_(IsInstance), make_(Make),
      depth_(Parent ? Parent->depth_ + 1 : 0) {
    Fill(*this);
    auto& r = TheRegistry();
    r.all.push_back(this);
    r.byUpperName[Upper(name_)] = this;
}

bool TClassInfo::InheritsFrom(const TClassInfo* Other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == Other) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& PropName) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TPropInfo& p : c->OwnProperties)
            if (SameName(p.Name, PropName)) return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& MethodName) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TMethodInfo& m : c->OwnMethods)
            if (SameName(m.Name, MethodName)) return &m;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent_) chain.push_back(c);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        for (const TPropInfo& p : (*it)->OwnProperties) {
            result.erase(std::remove_if(result.begin(), result.end(),
                                        [&](const TPropInfo* q) { return SameName(q->Name, p.Name); }),
                         result.end());
            result.push_back(&p);
        }
    }
    return result;
}

const TClassInfo* ClassInfoOf(const TObject* Obj) {
    if (!Obj) return nullptr;
    if (auto* c = dynamic_cast<const TComponent*>(Obj)) return &c->ClassInfo();
    const TClassInfo* best = nullptr;
    for (const TClassInfo* info : TheRegistry().all)
        if (info->IsInstance(Obj) && (!best || info->Depth() > best->Depth())) best = info;
    return best;
}

const TClassInfo* FindClassInfo(const std::string& ClassName) {
    auto& map = TheRegistry().byUpperName;
    auto it = map.find(Upper(ClassName));
    return it == map.end() ? nullptr : it->second;
}

TComponent* CreateComponentByClassName(const std::string& ClassName, TComponent* Owner) {
    const TClassInfo* info = FindClassInfo(ClassName);
    TComponent* c = info ? info->CreateInstance(Owner) : nullptr;
    if (!c) throw EClassNotFound("Class " + ClassName + " not found");
    return c;
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TComponent, void>("TComponent", [](auto& c) {
        c.String("Name", &TComponent::Name, &TComponent::SetName);
        c.Field("Tag", &TComponent::Tag);
    });
    return info;
}

const TClassInfo& TComponent::ClassInfo() const { return StaticClassInfo(); }

std::string TComponent::ClassName() const { return ClassInfo().Name(); }
