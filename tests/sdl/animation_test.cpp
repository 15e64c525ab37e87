// The generator's animations as SDL_image plays them: frames, delays, the endless loop and
// the ladder clip in the data folder.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>

#include "gif_encoder.h"
#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"

namespace vk::gen {
namespace {

struct Animation {
    int width = 0, height = 0;
    std::vector<int> delaysMs;
    std::vector<std::vector<Color>> frames;
    bool loops = false;
};

// Decodes a GIF file with SDL_image; the loop count (0: for ever) SDL_image does not
// report, so it is read from the looping extension's bytes.
Animation play(const Bytes& file) {
    Animation out;
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    out.loops = text.find(std::string_view("NETSCAPE2.0\x03\x01\x00\x00", 15)) != text.npos;
    std::unique_ptr<IMG_Animation, void (*)(IMG_Animation*)> animation(
        IMG_LoadAnimation_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1),
        IMG_FreeAnimation);
    if (!animation) {
        ADD_FAILURE() << "SDL_image cannot read the animation: " << IMG_GetError();
        return out;
    }
    out.width = animation->w;
    out.height = animation->h;
    for (int f = 0; f < animation->count; ++f) {
        out.delaysMs.push_back(animation->delays[f]);
        SDL_Surface* frame =
            SDL_ConvertSurfaceFormat(animation->frames[f], SDL_PIXELFORMAT_RGBA32, 0);
        std::vector<Color> pixels;
        for (int y = 0; y < frame->h; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(frame->pixels) + y * frame->pitch;
            for (int x = 0; x < frame->w; ++x)
                pixels.push_back(rgba(row[4 * x], row[4 * x + 1], row[4 * x + 2]));
        }
        SDL_FreeSurface(frame);
        out.frames.push_back(std::move(pixels));
    }
    return out;
}

TEST(GifEncoder, FramesPlayWithTheirColoursAndDelaysForEver) {
    std::vector<GifFrame> frames;
    for (int f = 0; f < 3; ++f) {
        Canvas c(23, 17, rgba(10, 20, 30));
        c.fillRect(f * 5, 2, 8, 8, rgba(250, 0, 0));
        c.fillCircle({15, 11}, 4, rgba(0, 200, 100));
        frames.push_back({c, 7 + f});
    }
    const Animation played = play(encodeGif(frames));
    EXPECT_TRUE(played.loops);
    EXPECT_EQ(played.width, 23);
    EXPECT_EQ(played.height, 17);
    ASSERT_EQ(played.frames.size(), 3u);
    for (std::size_t f = 0; f < 3; ++f) {
        EXPECT_EQ(played.delaysMs[f], static_cast<int>(70 + 10 * f));
        EXPECT_EQ(played.frames[f], frames[f].picture.pixels());
    }
}

TEST(GifEncoder, ManyColoursAreReducedToACube) {
    Canvas c(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) c.set(x, y, rgba(x * 6, y * 6, (x + y) * 3));
    const Animation played = play(encodeGif({{c, 10}}));
    ASSERT_EQ(played.frames.size(), 1u);
    const auto& pixels = played.frames[0];
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        EXPECT_NEAR(redOf(pixels[i]), redOf(c.pixels()[i]), 26) << i;
        EXPECT_NEAR(greenOf(pixels[i]), greenOf(c.pixels()[i]), 22) << i;
    }
}

TEST(FightData, LadderClipIsAShortAnimationFillingTheVideoArea) {
    const auto path = DataFiles(defaultProgramFolder()).resolve("\\data\\video\\1.old");
    ASSERT_TRUE(path);
    std::ifstream in(*path, std::ios::binary);
    const Animation played = play(Bytes(std::istreambuf_iterator<char>(in), {}));
    EXPECT_EQ(played.width * 15, 2085);
    EXPECT_EQ(played.height * 15, 1680);
    EXPECT_TRUE(played.loops);
    int milliseconds = 0;
    for (const int delay : played.delaysMs) milliseconds += delay;
    EXPECT_NEAR(milliseconds, 2000, 500);
    ASSERT_GE(played.frames.size(), 2u);
    EXPECT_NE(played.frames.front(), played.frames.back());
}

}  // namespace
}  // namespace vk::gen
