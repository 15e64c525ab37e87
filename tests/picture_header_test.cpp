// Picture sizes read from headers before decoding, and the limits that refuse picture
// bombs: a few bytes claiming a picture or clip too large to decode.
#include "runtime/picture_header.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "gif_encoder.h"
#include "runtime_test_support.h"

namespace vk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes jpegHeader(unsigned width, unsigned height) {
    Bytes out{0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F'};    // a short application segment
    out.insert(out.end(), {0xFF, 0xFF, 0xC0, 0, 11, 8});  // a fill byte, then the frame
    out.push_back(static_cast<std::uint8_t>(height >> 8));
    out.push_back(static_cast<std::uint8_t>(height));
    out.push_back(static_cast<std::uint8_t>(width >> 8));
    out.push_back(static_cast<std::uint8_t>(width));
    out.insert(out.end(), {1, 1, 0x11, 0});
    return out;
}

std::optional<PictureHeader> headerOf(const Bytes& bytes, bool allFrames) {
    std::size_t at = 0;
    const ReadBytes read = [&](unsigned char* into, std::size_t count) {
        count = std::min(count, bytes.size() - at);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), count, into);
        at += count;
        return count;
    };
    return readPictureHeader(read, allFrames);
}

TEST(PictureHeaders, SizesAndFramesComeFromTheHeaderOfEachFormat) {
    std::vector<gen::GifFrame> clip;
    for (int delay : {5, 10, 3}) clip.push_back({gen::Canvas(4, 3, gen::rgba(0, 0, 0)), delay});
    const struct {
        const char* what;
        Bytes bytes;
        std::int64_t width, height, frames;
    } cases[] = {
        {"png", rttest::pngHeader(640, 480), 640, 480, 1},
        {"bmp", rttest::bmpHeader(12, 34), 12, 34, 1},
        {"jpeg", jpegHeader(300, 200), 300, 200, 1},
        {"gif", rttest::gifHeader(100, 50, 7, 20, 10), 100, 50, 7},
        {"encoded gif", gen::encodeGif(clip), 4, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto header = headerOf(c.bytes, true);
        ASSERT_TRUE(header.has_value());
        EXPECT_EQ(header->width, c.width);
        EXPECT_EQ(header->height, c.height);
        EXPECT_EQ(header->frames, c.frames);
        EXPECT_EQ(headerOf(c.bytes, false)->frames, 1) << "a picture stops at its first image";
    }
    const Bytes png = rttest::pngHeader(640, 480);
    for (const Bytes& notAPicture :
         {Bytes{'n', 'o', 't'}, Bytes(png.begin(), png.begin() + 20), rttest::pngHeader(0, 5),
          rttest::gifHeader(9, 9, 0, 9, 9), Bytes{}})
        EXPECT_FALSE(headerOf(notAPicture, true).has_value());
}

TEST(PictureHeaders, PicturesAndClipsBeyondTheLimitsAreTooLarge) {
    const struct {
        const char* what;
        Bytes bytes;
        bool wholeClip;
        const char* reason;  // empty: within the limits
    } cases[] = {
        {"png 30000 x 30000", rttest::pngHeader(30000, 30000), false, "30000 x 30000 pixels"},
        {"png a side too long", rttest::pngHeader(8193, 1), false, "8193 x 1 pixels"},
        {"png the largest side", rttest::pngHeader(8192, 100), false, ""},
        {"png the largest picture", rttest::pngHeader(8192, 8192), false, ""},
        {"bmp 65535 x 65535", rttest::bmpHeader(65535, 65535), false, "65535 x 65535"},
        {"jpeg 65535 x 9000", jpegHeader(65535, 9000), false, "65535 x 9000"},
        {"gif 65535 x 65535", rttest::gifHeader(65535, 65535, 1, 1, 1), true, "65535 x 65535"},
        {"gif a huge frame on a small screen", rttest::gifHeader(10, 10, 1, 9000, 10), true,
         "9000 x 10"},
        {"gif 64 frames of 1024 x 1024", rttest::gifHeader(1024, 1024, 64, 1024, 1024), true, ""},
        {"gif 65 frames of 1024 x 1024", rttest::gifHeader(1024, 1024, 65, 1024, 1024), true,
         "65 frames of 1024 x 1024 pixels, more than the 8192 x 8192 pixels"},
        {"the same as a picture", rttest::gifHeader(1024, 1024, 65, 1024, 1024), false, ""},
        {"gif 5 large frames on a small screen", rttest::gifHeader(10, 10, 5, 4000, 4000), true,
         "5 frames of 4000 x 4000 pixels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto header = headerOf(c.bytes, c.wholeClip);
        ASSERT_TRUE(header.has_value());
        const std::string reason = tooLargeReason(*header, c.wholeClip);
        if (*c.reason == '\0')
            EXPECT_EQ(reason, "");
        else
            EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    }
    EXPECT_EQ(rttest::gifHeader(65535, 65535, 1, 1, 1).size(), 43u) << "the bomb is 43 bytes";
}

TEST(PictureHeaders, AFileIsCheckedWithoutBlockingOnAPipe) {
    rttest::TempFolder folder;
    const auto fifo = folder.path() / "fifo.old";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    rttest::writeFile(folder.path() / "bomb.old", rttest::gifHeader(65535, 65535, 1, 1, 1));
    rttest::writeFile(folder.path() / "fine.old", rttest::pngHeader(8, 8));
    using Verdict = PictureCheck::Verdict;
    const struct {
        const char* name;
        Verdict verdict;
    } cases[] = {{"fifo.old", Verdict::NotAFile},
                 {".", Verdict::NotAFile},
                 {"bomb.old", Verdict::TooLarge},
                 {"fine.old", Verdict::Ok},
                 {"gone.old", Verdict::Unreadable}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(checkPictureFile(folder.path() / c.name, true).verdict, c.verdict);
    }
}

}  // namespace
}  // namespace vk
