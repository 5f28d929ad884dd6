#include "SafeSave.h"

#include "BuilderFiles.h"
#include "Exceptions.h"
#include "FileStream.h"
#include "SysUtils.h"

namespace {

// A name beside FileName that no file has yet, so nothing of the user's is
// overwritten by the partial file either.
std::string PartialName(const std::string& FileName) {
    const std::string base = FileName + ".~partial";
    std::string name = base;
    for (int i = 1; TBuilderFiles::Exists(name) && i < 1000; ++i) name = base + IntToStr(i);
    return name;
}

}  // namespace

void SaveReplacing(TMemoryStream& Data, const std::string& FileName) {
    const std::string partial = PartialName(FileName);
    try {
        std::unique_ptr<TFileStream> file;
        try {
            file = std::make_unique<TFileStream>(partial, fmCreate);
        } catch (const EFCreateError&) {
            // The user named FileName; the helper file is ours to hide.
            throw EFCreateError(Format("Cannot create file %s", FileName));
        }
        Data.SaveToStream(file.get());
        file.reset();  // closed before it is moved
        TBuilderFiles::MoveIntoPlace(partial, FileName);
    } catch (...) {
        TBuilderFiles::Remove(partial);
        throw;
    }
}
