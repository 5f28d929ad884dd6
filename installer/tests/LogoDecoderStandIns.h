#pragma once
// Stand-ins for the system's logo decoders, for builds that have none (the
// native tests, the fuzzer). Under them a logo is judged by its headers only;
// decoding for real is tested under Wine, through the installer itself.

#include "PackageContents.h"

#include <string>
#include <utility>
#include <vector>

namespace fixture {

// Decodes nothing: takes every JPEG file and icon whose headers the
// portable check walked.
class THeadersOnlyLogos final : public TLogoDecoder {
public:
    bool JpegDecodes(const void*, std::size_t) const override { return true; }
    bool IconDecodes(const void*, std::size_t) const override { return true; }
};

// Gives the answer the test chose, and keeps what it was asked: the format
// ('J' or 'I') and the bytes.
class TScriptedLogos final : public TLogoDecoder {
public:
    explicit TScriptedLogos(bool Answer) : answer_(Answer) {}
    bool JpegDecodes(const void* Data, std::size_t Size) const override { return Ask('J', Data, Size); }
    bool IconDecodes(const void* Data, std::size_t Size) const override { return Ask('I', Data, Size); }
    const std::vector<std::pair<char, std::string>>& Asked() const { return asked_; }

private:
    bool Ask(char Format, const void* Data, std::size_t Size) const {
        asked_.emplace_back(Format, std::string(static_cast<const char*>(Data), Size));
        return answer_;
    }
    bool answer_;
    mutable std::vector<std::pair<char, std::string>> asked_;
};

}  // namespace fixture
