#include "CommandLine.h"

#include <charconv>

namespace {

std::int64_t DecimalOrZero(const std::string& Text) {
    std::int64_t value = 0;
    const char* first = Text.data();
    const char* last = first + Text.size();
    const auto [end, error] = std::from_chars(first, last, value, 10);
    if (error != std::errc() || end != last || Text.empty()) return 0;
    return value;
}

char AsciiUpper(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

}  // namespace

TStartRequest ParseStartArguments(const std::vector<std::string>& Args) {
    TStartRequest request;
    if (Args.empty()) {
        request.Action = TStartAction::Setup;
        return request;
    }
    const std::string& first = Args[0];
    if (first.size() < 2) return request;
    switch (AsciiUpper(first[1])) {
    case 'C':
        request.Action = TStartAction::Setup;
        break;
    case 'S':
        request.Action = TStartAction::Playback;
        break;
    case 'A':
        request.Action = TStartAction::ChangePassword;
        if (Args.size() > 1) request.ParentWindow = DecimalOrZero(Args[1]);
        break;
    default:
        break;
    }
    return request;
}
