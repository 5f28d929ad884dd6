#include "GuidCreate.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <windows.h>
#include <objbase.h>

#include <array>
#include <cstring>

std::string CreateGuidText() {
    GUID g{};
    if (FAILED(CoCreateGuid(&g))) throw EOSError("Cannot create a GUID");
    std::array<std::uint8_t, 16> bytes;
    static_assert(sizeof g == bytes.size());
    std::memcpy(bytes.data(), &g, bytes.size());
    return GUIDToString(bytes);
}
