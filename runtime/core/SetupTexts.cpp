#include "SetupTexts.h"

#include "SysUtils.h"

TSetupTexts SetupTextsFor(const TProject& Project) {
    TSetupTexts t;
    t.Title = Project.Title;
    if (!Trim(Project.Publisher).empty()) t.Publisher = "by " + Project.Publisher;
    t.HomepageCaption = Project.Homepage;
    t.HomepageURL = Project.Homepage;
    t.EmailCaption = Project.Email;
    t.EmailURL = "mailto:" + Project.Email;
    t.Copyright = Project.Copyright;
    t.WindowCaption = Project.Title + " Setup Window";
    return t;
}
