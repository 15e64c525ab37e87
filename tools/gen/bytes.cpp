#include "bytes.h"

#include <fstream>
#include <stdexcept>

namespace vk::gen {

void appendU16LE(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendU32LE(Bytes& out, std::uint32_t value) {
    appendU16LE(out, static_cast<std::uint16_t>(value & 0xFFFF));
    appendU16LE(out, static_cast<std::uint16_t>(value >> 16));
}

void appendU16BE(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void appendU32BE(Bytes& out, std::uint32_t value) {
    appendU16BE(out, static_cast<std::uint16_t>(value >> 16));
    appendU16BE(out, static_cast<std::uint16_t>(value & 0xFFFF));
}

void appendText(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

void appendBytes(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace vk::gen
