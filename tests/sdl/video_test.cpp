// The SDL video service: an animated GIF's frames at their own delays on the clock, round
// and round, from a play until "Close"; a file it cannot read shows nothing.
#include "runtime/sdl/sdl_video.h"

#include <gtest/gtest.h>

#include <array>

#include "gif_encoder.h"
#include "runtime/headless/headless_platform.h"
#include "runtime_test_support.h"
#include "sdl/sdl_test_support.h"

namespace vk::sdl {
namespace {

using Action = ChannelRequest::Action;

TEST(SdlVideoTest, FramesTurnAtTheirDelaysRoundAndRoundUntilClosed) {
    testing::SdlSession sdl(SDL_INIT_VIDEO);
    ASSERT_TRUE(sdl.ok());
    rttest::TempFolder folder;
    // Three frames shown for 50, 100 and 30 ms.
    std::vector<gen::GifFrame> frames;
    for (int delay : {5, 10, 3})
        frames.push_back({gen::Canvas(4, 3, gen::rgba(delay * 20, 0, 0)), delay});
    gen::writeFile(folder.path() / "clip.old", gen::encodeGif(frames));

    VirtualClock clock;
    SdlVideo video(clock);
    const auto send = [&video](Action action, const std::filesystem::path& file = {}) {
        video.perform({action, 7, "test.video", "AVIVideo", file}, nullptr);
    };
    send(Action::Open, folder.path() / "clip.old");
    EXPECT_TRUE(video.frames().empty()) << "shown before a play";
    clock.set(1000 * kMicrosPerMilli);
    send(Action::Start);

    struct Moment {
        int afterMs, frame, nextChangeMs;
    };
    for (const Moment m : std::array<Moment, 6>{{{0, 0, 50},
                                                 {49, 0, 50},
                                                 {50, 1, 150},
                                                 {179, 2, 180},
                                                 {180, 0, 230},
                                                 {410, 1, 510}}}) {
        clock.set((1000 + m.afterMs) * kMicrosPerMilli);
        const auto shown = video.frames();
        ASSERT_EQ(shown.size(), 1u) << m.afterMs;
        EXPECT_EQ(shown[0].index, m.frame) << m.afterMs;
        EXPECT_EQ(shown[0].picture->w, 4);
        EXPECT_EQ(video.nextFrameDue(), (1000 + m.nextChangeMs) * kMicrosPerMilli) << m.afterMs;
    }

    send(Action::Stop);
    EXPECT_TRUE(video.frames().empty());
    EXPECT_FALSE(video.nextFrameDue());
    for (const auto& unreadable : {folder.path() / "missing.old", std::filesystem::path{}}) {
        send(Action::Open, unreadable);
        send(Action::Start);
        EXPECT_TRUE(video.frames().empty()) << unreadable;
    }
}

TEST(SdlVideoTest, ADamagedOrTooLargeClipShowsNothingAndIsReportedOnce) {
    testing::SdlSession sdl(SDL_INIT_VIDEO);
    ASSERT_TRUE(sdl.ok());
    rttest::TempFolder folder;
    const auto bomb = folder.path() / "bomb.old";  // 65535 x 65535 in 43 bytes
    rttest::writeFile(bomb, rttest::gifHeader(65535, 65535, 1, 1, 1));
    const auto damaged = folder.path() / "damaged.old";
    rttest::writeFile(damaged, {'G', 'I', 'F', '8', '9', 'a', 1});
    VirtualClock clock;
    SdlVideo video(clock);
    ::testing::internal::CaptureStderr();
    for (int round = 0; round < 2; ++round) {
        for (const auto& file : {bomb, damaged}) {
            video.perform({Action::Open, 7, "test.video", "AVIVideo", file}, nullptr);
            video.perform({Action::Start, 7, "test.video", "AVIVideo", {}}, nullptr);
            EXPECT_TRUE(video.frames().empty()) << file;
        }
    }
    const std::string told = ::testing::internal::GetCapturedStderr();
    for (const auto& file : {bomb, damaged}) {
        const auto first = told.find(file.string());
        ASSERT_NE(first, std::string::npos) << told;
        EXPECT_EQ(told.find(file.string(), first + 1), std::string::npos) << told;
    }
    EXPECT_NE(told.find("65535 x 65535"), std::string::npos) << told;
}

}  // namespace
}  // namespace vk::sdl
