#include "gif_encoder.h"

#include <gif_lib.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace vk::gen {
namespace {

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
    std::map<Rgb, GifPixelType> index;
    bool reduced = false;

    GifPixelType of(Color c) const { return index.at(reduced ? cubeColour(rgbOf(c)) : rgbOf(c)); }
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
                palette.index[rgb] = static_cast<GifPixelType>(palette.colours.size());
                palette.colours.push_back(rgb);
            }
            if (!fits) break;
        }
        if (fits) return palette;
    }
    throw std::logic_error("colour cube exceeds a GIF palette");
}

// giflib wants a colour table of a power of two entries; the unused ones stay black.
std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> colourMap(const Palette& palette) {
    int size = 2;
    while (size < static_cast<int>(palette.colours.size())) size *= 2;
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.colours.size(); ++i) {
        const Rgb c = palette.colours[i];
        colours[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                      static_cast<GifByteType>(c)};
    }
    return {GifMakeMapObject(size, colours.data()), GifFreeMapObject};
}

int appendToBytes(GifFileType* gif, const GifByteType* data, int size) {
    auto& out = *static_cast<Bytes*>(gif->UserData);
    out.insert(out.end(), data, data + size);
    return size;
}

// giflib's writer into `out`: close() writes the trailer; an error throws, naming it.
class GifWriter {
  public:
    explicit GifWriter(Bytes& out) {
        int error = 0;
        gif_ = EGifOpen(&out, appendToBytes, &error);
        if (!gif_) fail(error);
        EGifSetGifVersion(gif_, true);
    }
    ~GifWriter() {
        if (gif_) EGifCloseFile(gif_, nullptr);
    }
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    GifFileType* get() const { return gif_; }
    void check(int result) const {
        if (result == GIF_ERROR) fail(gif_->Error);
    }
    void close() {
        int error = 0;
        const int result = EGifCloseFile(gif_, &error);
        gif_ = nullptr;
        if (result == GIF_ERROR) fail(error);
    }

  private:
    [[noreturn]] static void fail(int error) {
        throw std::runtime_error(std::string("giflib cannot write an animation: ") +
                                 GifErrorString(error));
    }

    GifFileType* gif_ = nullptr;
};

void putLoopForever(const GifWriter& gif) {
    static constexpr GifByteType kLoopCount[] = {1, 0, 0};  // sub-block 1, count 0: for ever
    gif.check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE));
    gif.check(EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0"));
    gif.check(EGifPutExtensionBlock(gif.get(), sizeof kLoopCount, kLoopCount));
    gif.check(EGifPutExtensionTrailer(gif.get()));
}

void putFrame(const GifWriter& gif, const GifFrame& frame, const Palette& palette) {
    // Each frame stays until the next one covers it.
    const GraphicsControlBlock control{.DisposalMode = DISPOSE_DO_NOT,
                                       .UserInputFlag = false,
                                       .DelayTime = frame.delayCentiseconds,
                                       .TransparentColor = NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const auto size = static_cast<int>(EGifGCBToExtension(&control, extension));
    gif.check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, size, extension));
    const int width = frame.picture.width();
    gif.check(EGifPutImageDesc(gif.get(), 0, 0, width, frame.picture.height(), false, nullptr));
    std::vector<GifPixelType> row(static_cast<std::size_t>(width));
    for (int y = 0; y < frame.picture.height(); ++y) {
        for (int x = 0; x < width; ++x)
            row[static_cast<std::size_t>(x)] = palette.of(frame.picture.at(x, y));
        gif.check(EGifPutLine(gif.get(), row.data(), width));
    }
}

}  // namespace

Bytes encodeGif(const std::vector<GifFrame>& frames) {
    if (frames.empty()) throw std::invalid_argument("an animation needs a frame");
    const int width = frames.front().picture.width();
    const int height = frames.front().picture.height();
    for (const GifFrame& frame : frames)
        if (frame.picture.width() != width || frame.picture.height() != height)
            throw std::invalid_argument("animation frames differ in size");
    const Palette palette = paletteOf(frames);

    Bytes out;
    GifWriter gif(out);
    gif.check(EGifPutScreenDesc(gif.get(), width, height, 8, 0, colourMap(palette).get()));
    putLoopForever(gif);
    for (const GifFrame& frame : frames) putFrame(gif, frame, palette);
    gif.close();
    return out;
}

}  // namespace vk::gen
