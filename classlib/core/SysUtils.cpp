#include "SysUtils.h"

#include "Exceptions.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <random>

namespace {

bool IsDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

bool ParseInt(const std::string& S, int& Value) {
    std::size_t i = 0;
    const std::size_t n = S.size();
    while (i < n && S[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
    bool hex = false;
    if (i < n && S[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == n) return false;
    std::uint64_t v = 0;
    for (; i < n; ++i) {
        const char c = S[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        // Hexadecimal spells the 32-bit pattern: $FFFFFFFF is -1.
        const auto bits = static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
        if (negative && bits == INT_MIN) return false;
        Value = static_cast<int>(negative ? -bits : bits);
        return true;
    }
    const std::int64_t s = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
    if (s < INT_MIN || s > INT_MAX) return false;
    Value = static_cast<int>(s);
    return true;
}

std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}

}  // namespace

bool TryStrToInt(const std::string& S, int& Value) {
    int v;
    if (!ParseInt(S, v)) return false;
    Value = v;
    return true;
}

int StrToInt(const std::string& S) {
    int v;
    if (!ParseInt(S, v)) throw EConvertError(Format("'%s' is not a valid integer value", S));
    return v;
}

int StrToIntDef(const std::string& S, int Default) {
    int v;
    return ParseInt(S, v) ? v : Default;
}

std::string IntToStr(std::int64_t Value) { return std::to_string(Value); }

std::string TrimLeft(const std::string& S) {
    std::size_t b = 0;
    while (b < S.size() && static_cast<unsigned char>(S[b]) <= ' ') ++b;
    return S.substr(b);
}

std::string TrimRight(const std::string& S) {
    std::size_t e = S.size();
    while (e > 0 && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
    return S.substr(0, e);
}

std::string Trim(const std::string& S) { return TrimLeft(TrimRight(S)); }

std::string UpperCase(std::string S) {
    for (char& c : S)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return S;
}

std::string LowerCase(std::string S) {
    for (char& c : S)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return S;
}

int CompareText(std::string_view A, std::string_view B) {
    const std::size_t n = std::min(A.size(), B.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto a = static_cast<unsigned char>(A[i]), b = static_cast<unsigned char>(B[i]);
        if (a >= 'a' && a <= 'z') a = static_cast<unsigned char>(a - 32);
        if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 32);
        if (a != b) return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

bool SameText(std::string_view A, std::string_view B) { return A.size() == B.size() && CompareText(A, B) == 0; }

std::string ExtractFilePath(const std::string& FileName) {
    std::size_t i = FileName.size();
    while (i > 0 && !IsDelimiter(FileName[i - 1])) --i;
    return FileName.substr(0, i);
}

std::string ExtractFileName(const std::string& FileName) {
    return FileName.substr(ExtractFilePath(FileName).size());
}

std::string ExtractFileExt(const std::string& FileName) {
    for (std::size_t i = FileName.size(); i > 0; --i) {
        const char c = FileName[i - 1];
        if (IsDelimiter(c)) break;
        if (c == '.') return FileName.substr(i - 1);
    }
    return {};
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
    return FileName.substr(0, FileName.size() - ExtractFileExt(FileName).size()) + Extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& Path) {
    if (!Path.empty() && (Path.back() == '\\' || Path.back() == '/')) return Path;
    return Path + '\\';
}

std::string ExcludeTrailingPathDelimiter(const std::string& Path) {
    if (!Path.empty() && (Path.back() == '\\' || Path.back() == '/')) return Path.substr(0, Path.size() - 1);
    return Path;
}

std::string GUIDToString(const std::array<std::uint8_t, 16>& B) {
    // Data1, Data2 and Data3 are stored little-endian; Data4 byte by byte.
    static constexpr int order[16] = {3, 2, 1, 0, -1, 5, 4, -1, 7, 6, -1, 8, 9, -1, 10, 11};
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string s = "{";
    auto put = [&](std::uint8_t v) {
        s += digits[v >> 4];
        s += digits[v & 15];
    };
    for (int k : order) {
        if (k < 0) s += '-';
        else put(B[static_cast<std::size_t>(k)]);
    }
    for (int k = 12; k < 16; ++k) put(B[static_cast<std::size_t>(k)]);
    return s + "}";
}

int Random(int Range) {
    if (Range <= 0) return 0;
    return std::uniform_int_distribution<int>(0, Range - 1)(Generator());
}

void Randomize() {
    const auto t = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::mt19937::result_type>(t ^ (t >> 32)));
}

namespace sysutils_detail {

namespace {
[[noreturn]] void BadFormat(std::string_view Fmt) {
    throw EConvertError("Format '" + std::string(Fmt) + "' invalid or incompatible with argument");
}

template <class T>
std::string Printf(const std::string& Spec, T Value) {
    const int n = std::snprintf(nullptr, 0, Spec.c_str(), Value);
    if (n < 0) return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), Spec.c_str(), Value);
    out.resize(static_cast<std::size_t>(n));
    return out;
}
}  // namespace

std::string FormatArgs(std::string_view Fmt, const std::vector<FormatArg>& Args) {
    std::string out;
    std::size_t next = 0;
    auto take = [&]() -> const FormatArg& {
        if (next >= Args.size()) BadFormat(Fmt);
        return Args[next++];
    };
    auto takeInt = [&]() -> std::int64_t {
        const FormatArg& a = take();
        if (auto p = std::get_if<std::int64_t>(&a)) return *p;
        if (auto p = std::get_if<std::uint64_t>(&a)) return static_cast<std::int64_t>(*p);
        BadFormat(Fmt);
    };
    for (std::size_t i = 0; i < Fmt.size(); ++i) {
        if (Fmt[i] != '%') {
            out += Fmt[i];
            continue;
        }
        std::string spec = "%";
        ++i;
        while (i < Fmt.size() && std::string_view("-+ #0").find(Fmt[i]) != std::string_view::npos) spec += Fmt[i++];
        for (int part = 0; part < 2 && i < Fmt.size(); ++part) {
            if (part == 1) {
                if (Fmt[i] != '.') break;
                spec += Fmt[i++];
            }
            if (i < Fmt.size() && Fmt[i] == '*') {
                const std::int64_t v = takeInt();
                if (v < -100000 || v > 100000) BadFormat(Fmt);
                spec += std::to_string(v);
                ++i;
            } else {
                std::size_t digits = 0;
                while (i < Fmt.size() && Fmt[i] >= '0' && Fmt[i] <= '9') {
                    if (++digits > 5) BadFormat(Fmt);
                    spec += Fmt[i++];
                }
            }
        }
        if (i >= Fmt.size()) BadFormat(Fmt);
        const char c = Fmt[i];
        switch (c) {
        case '%': out += '%'; break;
        case 'd': case 'i': out += Printf(spec + "lld", static_cast<long long>(takeInt())); break;
        case 'u': case 'x': case 'X':
            out += Printf(spec + "ll" + c, static_cast<unsigned long long>(takeInt()));
            break;
        case 'c': out += Printf(spec + 'c', static_cast<int>(static_cast<unsigned char>(takeInt()))); break;
        case 'f': case 'e': case 'g': case 'E': case 'G': {
            const FormatArg& a = take();
            double v;
            if (auto p = std::get_if<double>(&a)) v = *p;
            else if (auto q = std::get_if<std::int64_t>(&a)) v = static_cast<double>(*q);
            else if (auto r = std::get_if<std::uint64_t>(&a)) v = static_cast<double>(*r);
            else BadFormat(Fmt);
            out += Printf(spec + c, v);
            break;
        }
        case 's': {
            const FormatArg& a = take();
            std::string v;
            if (auto p = std::get_if<std::string>(&a)) v = *p;
            else BadFormat(Fmt);
            if (spec == "%") out += v;  // keeps embedded NULs and avoids a copy through printf
            else out += Printf(spec + 's', v.c_str());
            break;
        }
        default: BadFormat(Fmt);
        }
    }
    return out;
}

}  // namespace sysutils_detail
