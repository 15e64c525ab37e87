#include "png_encoder.h"

#include <zlib.h>

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

Bytes rawRow(const Canvas& canvas, int y) {
    Bytes row;
    row.reserve(static_cast<std::size_t>(canvas.width()) * kBytesPerPixel);
    for (int x = 0; x < canvas.width(); ++x) {
        const Color c = canvas.at(x, y);
        row.push_back(static_cast<std::uint8_t>(redOf(c)));
        row.push_back(static_cast<std::uint8_t>(greenOf(c)));
        row.push_back(static_cast<std::uint8_t>(blueOf(c)));
        row.push_back(static_cast<std::uint8_t>(alphaOf(c)));
    }
    return row;
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

Bytes filterRow(Filter filter, const Bytes& row, const Bytes& previous) {
    Bytes out(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
        const int up = previous[i];
        const int upLeft = i >= kBytesPerPixel ? previous[i - kBytesPerPixel] : 0;
        int predicted = 0;
        switch (filter) {
            case kNone:
                predicted = 0;
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
                predicted = paethPredictor(left, up, upLeft);
                break;
        }
        out[i] = static_cast<std::uint8_t>(row[i] - predicted);
    }
    return out;
}

// Rows whose filtered bytes stay near zero (as signed values) deflate best.
long filterCost(const Bytes& filtered) {
    long cost = 0;
    for (const std::uint8_t byte : filtered) cost += byte < 128 ? byte : 256 - byte;
    return cost;
}

Bytes filteredImage(const Canvas& canvas) {
    Bytes out;
    Bytes previous(static_cast<std::size_t>(canvas.width()) * kBytesPerPixel, 0);
    for (int y = 0; y < canvas.height(); ++y) {
        const Bytes row = rawRow(canvas, y);
        Filter best = kNone;
        Bytes bestBytes = filterRow(kNone, row, previous);
        long bestCost = filterCost(bestBytes);
        for (const Filter filter : {kSub, kUp, kAverage, kPaeth}) {
            Bytes candidate = filterRow(filter, row, previous);
            const long cost = filterCost(candidate);
            if (cost < bestCost) {
                best = filter;
                bestCost = cost;
                bestBytes = std::move(candidate);
            }
        }
        out.push_back(best);
        appendBytes(out, bestBytes);
        previous = row;
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
