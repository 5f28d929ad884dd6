#pragma once
// Which addresses a link may hand to the shell.

#include <optional>
#include <string>

// The address to hand to the shell for a link, or nothing when it must not be
// opened. A link's address can come from a file anyone can send, so only web
// and mail addresses are opened; an address without a scheme is taken for a
// web site.
std::optional<std::string> LinkToOpen(const std::string& URL);
