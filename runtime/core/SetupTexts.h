#pragma once
// What the setup dialog shows of the project, and which of its links may be
// opened.

#include "ProjectUnit.h"

#include <optional>
#include <string>

struct TSetupTexts {
    std::string Title;
    std::string Publisher;  // "by " and the name, or empty for a blank name
    std::string HomepageCaption;
    std::string HomepageURL;
    std::string EmailCaption;
    std::string EmailURL;  // "mailto:" and the address, even an empty one
    std::string Copyright;
    std::string WindowCaption;  // also the frame's caption and the application title
};

TSetupTexts SetupTextsFor(const TProject& Project);

// The address to hand to the shell for a link, or nothing when it must not be
// opened. The project comes from a file anyone can send, so only web and mail
// addresses are opened; an address without a scheme is taken for a web site.
std::optional<std::string> LinkToOpen(const std::string& URL);
