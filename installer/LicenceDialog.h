#pragma once
// The licence window: the agreement text in a read-only box and the choice to
// accept it ("I Agree") or not ("Cancel", Escape or closing the window).

#include <string>

// True when the user accepts. Caption names the screensaver.
bool AskLicenceAcceptance(const std::string& Caption, const std::string& Title, const std::string& Text);
