#pragma once
// Text, number and file-name helpers shared by the programs. Text is
// single-byte ANSI; case rules are ASCII only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// Decimal with an optional sign, or hexadecimal after "$" or "0x"; leading
// blanks are skipped, anything else (trailing blanks included) is refused.
// Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
bool TryStrToInt(const std::string& S, int& Value);
std::string IntToStr(std::int64_t Value);

// Removes blanks and control characters (every char <= ' ').
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);
std::string UpperCase(std::string S);
std::string LowerCase(std::string S);
// ASCII comparison without regard to case; <0, 0, >0 like strcmp.
int CompareText(std::string_view A, std::string_view B);
bool SameText(std::string_view A, std::string_view B);

// File names: "\" and "/" separate folders, a drive ends with ":".
std::string ExtractFilePath(const std::string& FileName);  // with the trailing separator
std::string ExtractFileName(const std::string& FileName);
std::string ExtractFileExt(const std::string& FileName);   // with the dot, or empty
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
std::string IncludeTrailingPathDelimiter(const std::string& Path);
std::string ExcludeTrailingPathDelimiter(const std::string& Path);

// The 38-character brace form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" of a GUID
// given as its 16 bytes in memory order (first three fields little-endian, as
// CoCreateGuid fills them).
std::string GUIDToString(const std::array<std::uint8_t, 16>& Bytes);

// 0 <= Random(Range) < Range; 0 when Range <= 0. Randomize seeds from the clock.
int Random(int Range);
void Randomize();

// printf-style formatting into a std::string. Conversions: d i u x X c s f e g
// and %%, with flags, width and precision (also "*"). Strings may be passed
// as std::string or const char*. A conversion that does not match its
// argument, or a missing argument, raises EConvertError.
namespace sysutils_detail {
using FormatArg = std::variant<std::int64_t, std::uint64_t, double, std::string>;
std::string FormatArgs(std::string_view Fmt, const std::vector<FormatArg>& Args);

template <class T>
FormatArg MakeArg(const T& Value) {
    using U = std::decay_t<T>;
    if constexpr (std::is_same_v<U, bool>) return std::int64_t{Value ? 1 : 0};
    else if constexpr (std::is_same_v<U, char>) return std::int64_t{static_cast<unsigned char>(Value)};
    else if constexpr (std::is_integral_v<U> && std::is_signed_v<U>) return std::int64_t{Value};
    else if constexpr (std::is_integral_v<U>) return std::uint64_t{Value};
    else if constexpr (std::is_enum_v<U>) return static_cast<std::int64_t>(Value);
    else if constexpr (std::is_floating_point_v<U>) return double{Value};
    else return std::string(Value);  // std::string, string_view, const char*
}
}  // namespace sysutils_detail

template <class... Args>
std::string Format(std::string_view Fmt, const Args&... A) {
    return sysutils_detail::FormatArgs(Fmt, {sysutils_detail::MakeArg(A)...});
}
