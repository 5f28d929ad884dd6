#pragma once
// Reading back what the window wrote: the streams of a container file and
// the lines of a project text.

#include "DecompileUnit.h"
#include "Streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::string Bytes(TMemoryStream& Stream) {
    return std::string(static_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.Size()));
}

// The streams of a container, each inflated, except a first stream stored
// raw when RawFirst.
inline std::vector<std::string> InflatedStreams(const std::string& Container, bool RawFirst = false) {
    TMemoryStream source;
    source.WriteBuffer(Container.data(), static_cast<std::int64_t>(Container.size()));
    TDecompileStream reader;
    reader.Decompile(&source);
    std::vector<std::string> streams;
    for (int i = 0; i < reader.Count(); ++i) streams.push_back(Bytes(*reader.GetStream(i, i > 0 || !RawFirst)));
    return streams;
}

inline std::vector<std::string> SplitLines(const std::string& Text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = Text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(Text.substr(start, end - start));
    EXPECT_EQ(start, Text.size()) << "the text must end with CR LF";
    return lines;
}
