#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The bytes of a file, exactly as stored; empty when it cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>() };
}

// Every "\n" of `text` is preceded by exactly one "\r", and no "\r" stands anywhere else.
inline bool HasOnlyCrlfLineEnds(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}
