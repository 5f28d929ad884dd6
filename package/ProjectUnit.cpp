#include "ProjectUnit.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <cstdint>

namespace {

const char* YesNo(bool Value) { return Value ? "YES" : "NO"; }

// Line access with positions computed in 64 bits: counts from the file may be
// anything, and a position outside the text is the list's bounds error.
std::string Line(const TStrings& Lines, std::int64_t Index) {
    if (Index < 0 || Index >= Lines.Count())
        throw EListError(Format("List index out of bounds (%d)", Index));
    return Lines.Strings(static_cast<int>(Index));
}

}  // namespace

TProject::TProject()
    : FlashList(std::make_unique<TStringList>()),
      LicenseText(std::make_unique<TStringList>()),
      ProjectStream(std::make_unique<TMemoryStream>()) {}

void TProject::SaveToStream() {
    TStringList lines;
    for (const std::string* s : {&Title, &LogoFile, &Publisher, &Homepage, &Email, &Copyright}) lines.Add(*s);
    lines.Add(IntToStr(FlashList->Count()));
    lines.AddStrings(FlashList.get());
    lines.Add(YesNo(RandomPlay));
    lines.Add(YesNo(ShowLicense));
    lines.Add("NO");
    lines.Add(IntToStr(LicenseText->Count()));
    lines.AddStrings(LicenseText.get());
    lines.Add("0");
    lines.Add("");
    lines.Add("");
    lines.Add(OutputFile);
    lines.Add(BuildId);
    lines.Add("NO");
    lines.SaveToStream(ProjectStream.get());
}

void TProject::LoadFromStream() {
    TStringList lines;
    ProjectStream->SetPosition(0);
    lines.LoadFromStream(ProjectStream.get());

    Title = Line(lines, 0);
    LogoFile = Line(lines, 1);
    Publisher = Line(lines, 2);
    Homepage = Line(lines, 3);
    Email = Line(lines, 4);
    Copyright = Line(lines, 5);

    // A count of 0 or less adds nothing; later lines are still found with it.
    const std::int64_t n = StrToInt(Line(lines, 6));
    FlashList->Clear();
    for (std::int64_t i = 1; i <= n; ++i) FlashList->Add(Line(lines, 6 + i));
    RandomPlay = Line(lines, 7 + n) == "YES";
    ShowLicense = Line(lines, 8 + n) == "YES";

    const std::int64_t m = StrToInt(Line(lines, 10 + n));
    LicenseText->Clear();
    for (std::int64_t i = 1; i <= m; ++i) LicenseText->Add(Line(lines, 10 + n + i));
    OutputFile = Line(lines, 14 + n + m);
    BuildId = Line(lines, 15 + n + m);
}
