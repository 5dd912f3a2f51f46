#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

// The bytes of a file, exactly as stored; empty when it cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>() };
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of a file once `done` says they are complete, or as they are when `patience` has
// passed: for a file that another thread writes.
template <typename Done>
std::string FileBytesOnce(const std::filesystem::path& path, Done done,
    std::chrono::milliseconds patience = std::chrono::seconds(10))
{
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    std::string bytes = ReadFileBytes(path);
    while (!done(bytes) && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        bytes = ReadFileBytes(path);
    }
    return bytes;
}

inline std::string FileBytesOnceThey(const std::filesystem::path& path, const std::string& expected)
{
    return FileBytesOnce(path, [&expected](const std::string& bytes) { return bytes == expected; });
}
