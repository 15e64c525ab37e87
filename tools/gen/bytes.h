// Byte buffers for the file encoders: little- and big-endian appends and file output.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vk::gen {

using Bytes = std::vector<std::uint8_t>;

void appendU16LE(Bytes& out, std::uint16_t value);
void appendU32LE(Bytes& out, std::uint32_t value);
void appendU16BE(Bytes& out, std::uint16_t value);
void appendU32BE(Bytes& out, std::uint32_t value);
// Appends the characters without a terminator (chunk tags, meta texts).
void appendText(Bytes& out, std::string_view text);
void appendBytes(Bytes& out, const Bytes& more);

// Writes the whole buffer, creating missing parent folders; throws on failure.
void writeFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace vk::gen
