#include "TypInfo.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

[[noreturn]] void NotFound(const std::string& Name) { throw EPropertyError("Property " + Name + " does not exist"); }
[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }
[[noreturn]] void ReadOnly(const std::string& Name) { throw EPropertyError("Property " + Name + " is read-only"); }

const TPropInfo* Find(const TObject* Instance, const std::string& Name) {
    const TClassInfo* info = ClassInfoOf(Instance);
    return info ? info->FindProperty(Name) : nullptr;
}

bool IsOrdinal(TTypeKind k) {
    return k == tkInteger || k == tkBoolean || k == tkEnumeration || k == tkSet || k == tkColor || k == tkChar;
}

std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

int EnumIndex(const TPropInfo& p, const std::string& Ident) {
    for (size_t i = 0; i < p.Names.size(); ++i)
        if (SameName(p.Names[i], Ident)) return static_cast<int>(i);
    return -1;
}

bool ParseInteger(const std::string& Text, std::int64_t& Value) {
    std::string t = TrimBlanks(Text);
    if (t.empty()) return false;
    bool neg = false;
    size_t i = 0;
    if (t[i] == '-' || t[i] == '+') neg = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) return false;
    std::uint64_t v = 0;
    for (; i < t.size(); ++i) {
        const int d = std::isdigit(static_cast<unsigned char>(t[i])) ? t[i] - '0'
                      : std::isxdigit(static_cast<unsigned char>(t[i])) && base == 16
                          ? std::tolower(static_cast<unsigned char>(t[i])) - 'a' + 10
                          : -1;
        if (d < 0 || d >= base) return false;
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFFFFFull) return false;
    }
    // "$FF000000" is a 32-bit pattern (a system colour), not a large number.
    if (base == 16 && v <= 0xFFFFFFFFull) v = static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(v)));
    Value = neg ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
    return true;
}

}  // namespace

bool IdentToInt(const std::string& Ident, std::int64_t& Value, const TIdentTable& Table) {
    for (const auto& e : Table)
        if (SameName(e.Name, Ident)) {
            Value = e.Value;
            return true;
        }
    return false;
}

bool IntToIdent(std::int64_t Value, std::string& Ident, const TIdentTable& Table) {
    for (const auto& e : Table)
        if (e.Value == Value) {
            Ident = e.Name;
            return true;
        }
    return false;
}

TPropRef GetPropInfo(TObject* Instance, const std::string& Path) {
    TObject* obj = Instance;
    size_t start = 0;
    for (;;) {
        const size_t dot = Path.find('.', start);
        const std::string part = Path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        const TPropInfo* p = obj ? Find(obj, part) : nullptr;
        if (!p) NotFound(Path);
        if (dot == std::string::npos) return {obj, p};
        if (p->Kind != tkClass) NotFound(Path);
        obj = p->GetObj(obj);
        start = dot + 1;
    }
}

bool IsPublishedProp(const TObject* Instance, const std::string& Path) {
    try {
        GetPropInfo(const_cast<TObject*>(Instance), Path);
        return true;
    } catch (const EPropertyError&) {
        return false;
    }
}

TTypeKind PropType(TObject* Instance, const std::string& Path) { return GetPropInfo(Instance, Path).Info->Kind; }

std::int64_t GetOrdProp(TObject* Instance, const std::string& Path) {
    auto r = GetPropInfo(Instance, Path);
    if (!r.Info->GetOrd) InvalidValue();
    return r.Info->GetOrd(r.Instance);
}

void SetOrdProp(TObject* Instance, const std::string& Path, std::int64_t Value) {
    auto r = GetPropInfo(Instance, Path);
    if (!IsOrdinal(r.Info->Kind)) InvalidValue();
    if (!r.Info->SetOrd) ReadOnly(Path);
    if (r.Info->Kind == tkEnumeration && (Value < 0 || Value >= static_cast<std::int64_t>(r.Info->Names.size())))
        InvalidValue();
    r.Info->SetOrd(r.Instance, Value);
}

std::string GetStrProp(TObject* Instance, const std::string& Path) {
    auto r = GetPropInfo(Instance, Path);
    if (!r.Info->GetStr) InvalidValue();
    return r.Info->GetStr(r.Instance);
}

void SetStrProp(TObject* Instance, const std::string& Path, const std::string& Value) {
    auto r = GetPropInfo(Instance, Path);
    if (r.Info->Kind != tkString) InvalidValue();
    if (!r.Info->SetStr) ReadOnly(Path);
    r.Info->SetStr(r.Instance, Value);
}

double GetFloatProp(TObject* Instance, const std::string& Path) {
    auto r = GetPropInfo(Instance, Path);
    if (!r.Info->GetFloat) InvalidValue();
    return r.Info->GetFloat(r.Instance);
}

void SetFloatProp(TObject* Instance, const std::string& Path, double Value) {
    auto r = GetPropInfo(Instance, Path);
    if (r.Info->Kind != tkFloat) InvalidValue();
    if (!r.Info->SetFloat) ReadOnly(Path);
    r.Info->SetFloat(r.Instance, Value);
}

TObject* GetObjectProp(TObject* Instance, const std::string& Path) {
    auto r = GetPropInfo(Instance, Path);
    if (!r.Info->GetObj) InvalidValue();
    return r.Info->GetObj(r.Instance);
}

void SetObjectProp(TObject* Instance, const std::string& Path, TObject* Value) {
    auto r = GetPropInfo(Instance, Path);
    if (r.Info->Kind != tkComponent && r.Info->Kind != tkClass) InvalidValue();
    if (!r.Info->SetObj) ReadOnly(Path);
    if (r.Info->AcceptsObj && !r.Info->AcceptsObj(Value)) InvalidValue();
    r.Info->SetObj(r.Instance, Value);
}

std::string GetEnumProp(TObject* Instance, const std::string& Path) {
    auto r = GetPropInfo(Instance, Path);
    if (r.Info->Kind == tkBoolean) return r.Info->GetOrd(r.Instance) ? "True" : "False";
    if (r.Info->Kind != tkEnumeration) InvalidValue();
    const std::int64_t v = r.Info->GetOrd(r.Instance);
    if (v < 0 || v >= static_cast<std::int64_t>(r.Info->Names.size())) return std::to_string(v);
    return r.Info->Names[static_cast<size_t>(v)];
}

void SetEnumProp(TObject* Instance, const std::string& Path, const std::string& Ident) {
    auto r = GetPropInfo(Instance, Path);
    int index = -1;
    if (r.Info->Kind == tkBoolean)
        index = SameName(Ident, "True") ? 1 : SameName(Ident, "False") ? 0 : -1;
    else if (r.Info->Kind == tkEnumeration)
        index = EnumIndex(*r.Info, TrimBlanks(Ident));
    if (index < 0) InvalidValue();
    if (!r.Info->SetOrd) ReadOnly(Path);
    r.Info->SetOrd(r.Instance, index);
}

std::string GetSetProp(TObject* Instance, const std::string& Path) {
    auto r = GetPropInfo(Instance, Path);
    if (r.Info->Kind != tkSet) InvalidValue();
    const std::int64_t bits = r.Info->GetOrd(r.Instance);
    std::string out = "[";
    for (size_t i = 0; i < r.Info->Names.size(); ++i)
        if (bits & (std::int64_t{1} << i)) {
            if (out.size() > 1) out += ',';
            out += r.Info->Names[i];
        }
    return out + "]";
}

void SetSetProp(TObject* Instance, const std::string& Path, const std::string& Text) {
    auto r = GetPropInfo(Instance, Path);
    if (r.Info->Kind != tkSet) InvalidValue();
    std::string t = TrimBlanks(Text);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') InvalidValue();
    t = t.substr(1, t.size() - 2);
    std::int64_t bits = 0;
    std::stringstream in(t);
    std::string item;
    while (std::getline(in, item, ',')) {
        item = TrimBlanks(item);
        if (item.empty()) {
            if (!TrimBlanks(t).empty()) InvalidValue();
            continue;
        }
        const int i = EnumIndex(*r.Info, item);
        if (i < 0) InvalidValue();
        bits |= std::int64_t{1} << i;
    }
    if (!r.Info->SetOrd) ReadOnly(Path);
    r.Info->SetOrd(r.Instance, bits);
}

std::string GetPropText(TObject* Instance, const std::string& Path) {
    auto r = GetPropInfo(Instance, Path);
    const TPropInfo& p = *r.Info;
    switch (p.Kind) {
        case tkBoolean:
        case tkEnumeration: return GetEnumProp(Instance, Path);
        case tkSet: return GetSetProp(Instance, Path);
        case tkString: return p.GetStr(r.Instance);
        case tkChar: return std::string(1, static_cast<char>(p.GetOrd(r.Instance)));
        case tkFloat: {
            std::ostringstream out;
            out << p.GetFloat(r.Instance);
            return out.str();
        }
        case tkInteger:
        case tkColor: {
            const std::int64_t v = p.GetOrd(r.Instance);
            std::string ident;
            if (p.Idents && IntToIdent(v, ident, *p.Idents)) return ident;
            if (p.Kind == tkColor) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(v)));
                return buf;
            }
            return std::to_string(v);
        }
        case tkComponent: {
            auto* c = dynamic_cast<TComponent*>(p.GetObj(r.Instance));
            return c ? c->Name() : std::string();
        }
        default: InvalidValue();
    }
}

void SetPropText(TObject* Instance, const std::string& Path, const std::string& Text) {
    auto r = GetPropInfo(Instance, Path);
    const TPropInfo& p = *r.Info;
    switch (p.Kind) {
        case tkBoolean:
        case tkEnumeration: SetEnumProp(Instance, Path, Text); return;
        case tkSet: SetSetProp(Instance, Path, Text); return;
        case tkString: SetStrProp(Instance, Path, Text); return;
        case tkChar:
            if (Text.size() != 1) InvalidValue();
            SetOrdProp(Instance, Path, static_cast<unsigned char>(Text[0]));
            return;
        case tkFloat: {
            const std::string t = TrimBlanks(Text);
            char* end = nullptr;
            const double v = std::strtod(t.c_str(), &end);
            if (t.empty() || *end) InvalidValue();
            SetFloatProp(Instance, Path, v);
            return;
        }
        case tkInteger:
        case tkColor: {
            std::int64_t v = 0;
            if (!(p.Idents && IdentToInt(TrimBlanks(Text), v, *p.Idents)) && !ParseInteger(Text, v)) InvalidValue();
            SetOrdProp(Instance, Path, v);
            return;
        }
        default: InvalidValue();
    }
}

void BindEventByName(TObject* Instance, const std::string& Path, TObject* Root, const std::string& MethodName) {
    auto r = GetPropInfo(Instance, Path);
    if (r.Info->Kind != tkEvent) InvalidValue();
    void* field = r.Info->EventField(r.Instance);
    const TClassInfo* rootInfo = ClassInfoOf(Root);
    const TMethodInfo* m = rootInfo && !MethodName.empty() ? rootInfo->FindMethod(MethodName) : nullptr;
    if (!MethodName.empty() && !m) throw EPropertyError("Method " + MethodName + " not found");
    if (m && m->EventType != r.Info->EventType)
        throw EPropertyError("Method " + MethodName + " does not match the event " + r.Info->Name);
    if (m)
        m->Bind(Root, field);
    else if (r.Info->ClearEvent)
        r.Info->ClearEvent(field);
}
