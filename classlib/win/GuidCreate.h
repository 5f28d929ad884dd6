#pragma once
// A new GUID (CoCreateGuid) in its 38-character braced text form,
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in capitals.

#include <string>

std::string CreateGuidText();
