#pragma once
// What the setup dialog shows of the project.

#include "ProjectUnit.h"

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
