// Any bytes as a project text: loading fails with the conversion or list
// error or succeeds; what it loaded saves and loads back to the same fields.

#include "Exceptions.h"
#include "ProjectUnit.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool SameLines(const TStrings& a, const TStrings& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i)
        if (a.Strings(i) != b.Strings(i)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TProject p;
    p.ProjectStream->WriteBuffer(Data, static_cast<std::int64_t>(Size));
    try {
        p.LoadFromStream();
    } catch (const EConvertError&) {
        return 0;
    } catch (const EListError&) {
        return 0;
    }
    TProject q;
    p.ProjectStream->Clear();  // saving writes at the position, after the loaded text
    p.SaveToStream();
    q.ProjectStream->LoadFromStream(p.ProjectStream.get());
    q.LoadFromStream();
    const bool same = p.Title == q.Title && p.LogoFile == q.LogoFile && p.Publisher == q.Publisher &&
                      p.Homepage == q.Homepage && p.Email == q.Email && p.Copyright == q.Copyright &&
                      p.RandomPlay == q.RandomPlay && p.ShowLicense == q.ShowLicense &&
                      p.OutputFile == q.OutputFile && p.BuildId == q.BuildId &&
                      SameLines(*p.FlashList, *q.FlashList) && SameLines(*p.LicenseText, *q.LicenseText);
    if (!same) std::abort();
    return 0;
}
