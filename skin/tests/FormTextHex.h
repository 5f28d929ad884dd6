#pragma once
// Binary property values for form descriptions that tests write as text.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Bytes as hex pairs, 32 a line; every line after the first starts with
// Indent, the indentation of the lines of the value in the description.
inline std::string FormTextHex(const std::vector<std::uint8_t>& Bytes, const std::string& Indent) {
    std::string out;
    char pair[3];
    for (std::size_t i = 0; i < Bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02X", Bytes[i]);
        out += pair;
        if (i % 32 == 31) out += "\n" + Indent;
    }
    return out;
}
