#include "png_encoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace vk::gen {
namespace {

constexpr int kBytesPerPixel = 4;

enum Filter : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

void appendChunk(Bytes& out, std::string_view type, const Bytes& data) {
    appendU32BE(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    appendText(out, type);
    appendBytes(out, data);
    // The CRC covers the chunk type and its data, not the length.
    const uLong crc = crc32(0L, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
    appendU32BE(out, static_cast<std::uint32_t>(crc));
}

Bytes headerChunk(const Canvas& canvas) {
    Bytes data;
    appendU32BE(data, static_cast<std::uint32_t>(canvas.width()));
    appendU32BE(data, static_cast<std::uint32_t>(canvas.height()));
    data.push_back(8);  // bit depth
    data.push_back(6);  // colour type: RGBA
    data.push_back(0);  // deflate
    data.push_back(0);  // adaptive filtering
    data.push_back(0);  // no interlace
    return data;
}

// The canvas as RGBA bytes, row after row.
Bytes rawImage(const Canvas& canvas) {
    const std::vector<Color>& pixels = canvas.pixels();
    Bytes raw(pixels.size() * kBytesPerPixel);
    std::uint8_t* out = raw.data();
    for (const Color c : pixels) {
        *out++ = static_cast<std::uint8_t>(redOf(c));
        *out++ = static_cast<std::uint8_t>(greenOf(c));
        *out++ = static_cast<std::uint8_t>(blueOf(c));
        *out++ = static_cast<std::uint8_t>(alphaOf(c));
    }
    return raw;
}

std::uint8_t paethPredictor(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
    if (toUp <= toUpLeft) return static_cast<std::uint8_t>(up);
    return static_cast<std::uint8_t>(upLeft);
}

// Writes the row filtered with `filter` to `out` and returns its cost: rows whose filtered
// bytes stay near zero (as signed values) deflate best. Plain pointers keep this loop, the
// encoder's hottest, quick in unoptimised builds too.
long filterRow(Filter filter, const std::uint8_t* row, const std::uint8_t* previous,
               std::size_t size, std::uint8_t* out) {
    long cost = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
        const int up = previous[i];
        int predicted = 0;
        switch (filter) {
            case kNone:
                break;
            case kSub:
                predicted = left;
                break;
            case kUp:
                predicted = up;
                break;
            case kAverage:
                predicted = (left + up) / 2;
                break;
            case kPaeth:
                predicted = paethPredictor(left, up,
                                           i >= kBytesPerPixel ? previous[i - kBytesPerPixel] : 0);
                break;
        }
        const auto byte = static_cast<std::uint8_t>(row[i] - predicted);
        out[i] = byte;
        cost += byte < 128 ? byte : 256 - byte;
    }
    return cost;
}

Bytes filteredImage(const Canvas& canvas) {
    const Bytes raw = rawImage(canvas);
    const std::size_t rowSize = static_cast<std::size_t>(canvas.width()) * kBytesPerPixel;
    const Bytes zeros(rowSize, 0);
    Bytes out(raw.size() + static_cast<std::size_t>(canvas.height()));
    Bytes candidate(rowSize);
    for (int y = 0; y < canvas.height(); ++y) {
        const std::uint8_t* row = raw.data() + y * rowSize;
        const std::uint8_t* previous = y > 0 ? row - rowSize : zeros.data();
        std::uint8_t* best = out.data() + y * (rowSize + 1);
        best[0] = kNone;
        long bestCost = filterRow(kNone, row, previous, rowSize, best + 1);
        for (const Filter filter : {kSub, kUp, kAverage, kPaeth}) {
            const long cost = filterRow(filter, row, previous, rowSize, candidate.data());
            if (cost < bestCost) {
                bestCost = cost;
                best[0] = filter;
                std::copy(candidate.begin(), candidate.end(), best + 1);
            }
        }
    }
    return out;
}

Bytes deflate(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
        throw std::runtime_error("zlib failed to compress picture data");
    }
    out.resize(size);
    return out;
}

}  // namespace

Bytes encodePng(const Canvas& canvas) {
    static constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P',  'N',  'G',
                                                               '\r', '\n', 0x1A, '\n'};
    Bytes out(kSignature.begin(), kSignature.end());
    appendChunk(out, "IHDR", headerChunk(canvas));
    appendChunk(out, "IDAT", deflate(filteredImage(canvas)));
    appendChunk(out, "IEND", {});
    return out;
}

}  // namespace vk::gen
