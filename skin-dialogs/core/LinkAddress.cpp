#include "LinkAddress.h"

#include "SysUtils.h"

namespace {

bool IsAsciiLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }
bool IsSchemeChar(char C) { return IsAsciiLetter(C) || (C >= '0' && C <= '9') || C == '+' || C == '-'; }

// The scheme of URL when it starts with one ("mailto" of "mailto:x@y").
// "www.example.com:8080" and "C:\x" are not taken for schemes of web
// addresses: a dot ends the test, and a drive letter is a scheme nobody opens.
std::optional<std::string> SchemeOf(const std::string& URL) {
    if (URL.empty() || !IsAsciiLetter(URL[0])) return std::nullopt;
    std::size_t i = 1;
    while (i < URL.size() && IsSchemeChar(URL[i])) ++i;
    if (i >= URL.size() || URL[i] != ':') return std::nullopt;
    return LowerCase(URL.substr(0, i));
}

}  // namespace

std::optional<std::string> LinkToOpen(const std::string& URL) {
    const std::string address = Trim(URL);
    if (address.empty()) return std::nullopt;
    const auto scheme = SchemeOf(address);
    if (!scheme) return "http://" + address;
    if (*scheme == "http" || *scheme == "https" || *scheme == "mailto") return address;
    return std::nullopt;
}
