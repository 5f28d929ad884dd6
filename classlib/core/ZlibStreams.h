#pragma once
// zlib in the RFC 1950 format (2-byte header, deflate data, Adler-32 trailer).

#include <cstdint>

class TStream;

// Deflates the whole of Source, from its start, at Level (9 is the best
// compression) and appends the complete zlib stream at Dest's position.
// Returns the number of bytes written to Dest.
std::int64_t ZCompressStream(TStream* Source, TStream* Dest, int Level = 9);

// Inflates one zlib stream held in Data[0 .. Size) and writes its output at
// Dest's position. The output must be exactly OutSize bytes: data that is not
// zlib raises EDecompressionError "error"; a stream that ends early, is cut
// off, or yields more than OutSize bytes raises EReadError "Stream read error".
// Memory use follows the output actually produced, never OutSize alone.
void ZDecompressBuffer(const void* Data, std::int64_t Size, std::int64_t OutSize, TStream* Dest);
