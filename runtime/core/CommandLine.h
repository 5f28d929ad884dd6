#pragma once
// What the screensaver does for the arguments the system starts it with.
// Only the second character of the first argument counts: "/s", "-S" and
// "/s anything" all play; "/c:1234" is setup; "/a 1234" changes the password
// for the window 1234.

#include <cstdint>
#include <string>
#include <vector>

enum class TStartAction { Setup, Playback, ChangePassword, Nothing };

struct TStartRequest {
    TStartAction Action = TStartAction::Nothing;
    // Parent window of the password change, from the second argument; 0 when
    // it is missing or not a decimal number.
    std::int64_t ParentWindow = 0;
};

// Args are the arguments after the program name.
TStartRequest ParseStartArguments(const std::vector<std::string>& Args);
