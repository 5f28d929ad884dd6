#pragma once
// Writing a whole file so that an existing one is never lost: the bytes go to
// a new file beside it, which replaces it only once it is complete.

#include "Streams.h"

#include <string>

// Saves the whole of Data as FileName. Raises "Cannot create file %s" (with
// FileName) when the file cannot be made or replaced, or the stream's write
// error when writing stops short; the old file is then untouched and no
// partial file is left behind.
void SaveReplacing(TMemoryStream& Data, const std::string& FileName);
