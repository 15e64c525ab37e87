// Picture sizes read from the files' headers before any decoder sees them: a decoder
// allocates what a header claims, so a few bytes claiming a huge picture would cost
// gigabytes, or crash the decoder, before it found the file damaged.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace vk {

// What a PNG, GIF, BMP or JPEG header claims. Only GIF files hold more than one image.
struct PictureHeader {
    std::int64_t width = 0;  // the picture's, or a GIF's logical screen
    std::int64_t height = 0;
    std::int64_t widestFrame = 0;  // a GIF's largest image, else the picture's size
    std::int64_t tallestFrame = 0;
    std::int64_t frames = 1;
};

// Reads up to `count` bytes into `into`, returns how many it read (0 at the end).
using ReadBytes = std::function<std::size_t(unsigned char* into, std::size_t count)>;

// The header of a picture in one of the formats above, or nullopt for anything else (or
// a header cut short, or claiming no pixels). With `allFrames`, a GIF is read to its end
// to count its images; otherwise reading stops at the first one.
std::optional<PictureHeader> readPictureHeader(const ReadBytes& read, bool allFrames);

// The largest pictures the game decodes: a side, and the pixels of everything a decoder
// allocates for a file (all frames of a clip), as many as one picture of the largest sides.
inline constexpr std::int64_t kMaxPictureSide = 8192;
inline constexpr std::int64_t kMaxPicturePixels = kMaxPictureSide * kMaxPictureSide;

// Why a picture is too large to decode, as words for a message, or empty when it is not.
// A clip counts every frame at the size of its logical screen, as a decoder holds them.
std::string tooLargeReason(const PictureHeader& header, bool wholeClip);

// What checking a file before decoding found. Opening never blocks: a FIFO or device in
// place of a file is refused without waiting for a writer.
struct PictureCheck {
    enum class Verdict { Ok, NotAFile, Unreadable, NotAPicture, TooLarge };
    Verdict verdict = Verdict::Ok;
    std::string reason;  // words for the message, for all but Ok and NotAPicture
    PictureHeader header;
};
PictureCheck checkPictureFile(const std::filesystem::path& file, bool wholeClip);

}  // namespace vk
