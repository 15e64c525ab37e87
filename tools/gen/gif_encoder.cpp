#include "gif_encoder.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace vk::gen {
namespace {

constexpr int kMaxCodeSize = 12;
constexpr int kMaxCodes = 1 << kMaxCodeSize;

class BitWriter {
  public:
    void put(int code, int size) {
        buffer_ |= static_cast<std::uint32_t>(code) << filled_;
        filled_ += size;
        while (filled_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }
    Bytes finish() {
        if (filled_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
        buffer_ = 0;
        filled_ = 0;
        return std::move(bytes_);
    }

  private:
    Bytes bytes_;
    std::uint32_t buffer_ = 0;
    int filled_ = 0;
};

using Rgb = std::uint32_t;  // 0xRRGGBB
Rgb rgbOf(Color c) { return c >> 8; }

// Reduces a colour to a 6 x 7 x 6 cube (252 colours).
Rgb cubeColour(Rgb c) {
    auto level = [](int v, int steps) {
        const int index = (v * (steps - 1) + 127) / 255;
        return index * 255 / (steps - 1);
    };
    return static_cast<Rgb>(level((c >> 16) & 0xFF, 6) << 16 | level((c >> 8) & 0xFF, 7) << 8 |
                            level(c & 0xFF, 6));
}

struct Palette {
    std::vector<Rgb> colours;
    std::map<Rgb, std::uint8_t> index;
    bool reduced = false;

    std::uint8_t of(Color c) const { return index.at(reduced ? cubeColour(rgbOf(c)) : rgbOf(c)); }
};

Palette paletteOf(const std::vector<GifFrame>& frames) {
    for (const bool reduced : {false, true}) {
        Palette palette;
        palette.reduced = reduced;
        bool fits = true;
        for (const GifFrame& frame : frames) {
            for (const Color c : frame.picture.pixels()) {
                const Rgb rgb = reduced ? cubeColour(rgbOf(c)) : rgbOf(c);
                if (palette.index.count(rgb)) continue;
                if (palette.colours.size() == 256) {
                    fits = false;
                    break;
                }
                palette.index[rgb] = static_cast<std::uint8_t>(palette.colours.size());
                palette.colours.push_back(rgb);
            }
            if (!fits) break;
        }
        if (fits) return palette;
    }
    throw std::logic_error("colour cube exceeds a GIF palette");
}

void appendSubBlocks(Bytes& out, const Bytes& data) {
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t size = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(size));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + size));
    }
    out.push_back(0);
}

}  // namespace

Bytes lzwCompress(const std::vector<std::uint8_t>& indices, int minCodeSize) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    BitWriter bits;
    std::unordered_map<std::uint32_t, int> table;  // (prefix code << 8 | index) -> code
    int next = 0;
    int codeSize = 0;
    auto reset = [&] {
        table.clear();
        next = end + 1;
        codeSize = minCodeSize + 1;
    };
    reset();
    bits.put(clear, codeSize);
    if (indices.empty()) {
        bits.put(end, codeSize);
        return bits.finish();
    }
    // The reader adds a table entry for every code after the first, one code behind the
    // writer, and widens its codes once the table reaches the next power of two.
    auto emitAndGrow = [&](int code, std::uint32_t key) {
        bits.put(code, codeSize);
        if (next < kMaxCodes) {
            table[key] = next;
            ++next;
            if (next > (1 << codeSize) && codeSize < kMaxCodeSize) ++codeSize;
        } else {
            bits.put(clear, codeSize);
            reset();
        }
    };
    int prefix = indices.front();
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | indices[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        emitAndGrow(prefix, key);
        prefix = indices[i];
    }
    bits.put(prefix, codeSize);
    // The reader still adds an entry on the last code, which may widen the end code.
    if (next < kMaxCodes && next + 1 > (1 << codeSize) && codeSize < kMaxCodeSize) ++codeSize;
    bits.put(end, codeSize);
    return bits.finish();
}

Bytes encodeGif(const std::vector<GifFrame>& frames) {
    if (frames.empty()) throw std::invalid_argument("an animation needs a frame");
    const int width = frames.front().picture.width();
    const int height = frames.front().picture.height();
    const Palette palette = paletteOf(frames);
    int tableBits = 1;
    while ((1 << tableBits) < static_cast<int>(palette.colours.size())) ++tableBits;
    const int minCodeSize = std::max(2, tableBits);

    Bytes out;
    appendText(out, "GIF89a");
    appendU16LE(out, static_cast<std::uint16_t>(width));
    appendU16LE(out, static_cast<std::uint16_t>(height));
    out.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (tableBits - 1)));  // global table
    out.push_back(0);  // background colour index
    out.push_back(0);  // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const Rgb c = i < static_cast<int>(palette.colours.size())
                          ? palette.colours[static_cast<std::size_t>(i)]
                          : 0;
        out.push_back(static_cast<std::uint8_t>(c >> 16));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
    // Loop forever.
    out.insert(out.end(), {0x21, 0xFF, 0x0B});
    appendText(out, "NETSCAPE2.0");
    out.insert(out.end(), {0x03, 0x01, 0x00, 0x00, 0x00});

    for (const GifFrame& frame : frames) {
        if (frame.picture.width() != width || frame.picture.height() != height)
            throw std::invalid_argument("animation frames differ in size");
        out.insert(out.end(), {0x21, 0xF9, 0x04, 0x04});  // keep the frame until the next
        appendU16LE(out, static_cast<std::uint16_t>(frame.delayCentiseconds));
        out.insert(out.end(), {0x00, 0x00});
        out.push_back(0x2C);
        appendU16LE(out, 0);
        appendU16LE(out, 0);
        appendU16LE(out, static_cast<std::uint16_t>(width));
        appendU16LE(out, static_cast<std::uint16_t>(height));
        out.push_back(0);  // no local table, not interlaced
        std::vector<std::uint8_t> indices;
        indices.reserve(frame.picture.pixels().size());
        for (const Color c : frame.picture.pixels()) indices.push_back(palette.of(c));
        out.push_back(static_cast<std::uint8_t>(minCodeSize));
        appendSubBlocks(out, lzwCompress(indices, minCodeSize));
    }
    out.push_back(0x3B);
    return out;
}

}  // namespace vk::gen
