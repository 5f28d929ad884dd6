// Any text either parses into a tree that the loader can walk, or is refused
// with EFormDescError; nothing else may happen.

#include "FormDesc.h"
#include "FormDescError.h"
#include "RecordingSink.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        TFormDescription d = ParseFormDescription(text, "Fuzz");
        TRecordingSink sink;
        try {
            LoadFormDescription(d, sink);
        } catch (const EFormDescError&) {
            // unresolved references and the like
        }
    } catch (const EFormDescError& e) {
        if (e.Line() < 1 || e.Column() < 1) __builtin_trap();
    }
    return 0;
}
