#include "runtime/picture_header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vk {

namespace {

// Bytes taken in order from a reader; a read past the end leaves `ok` false.
class Bytes {
  public:
    explicit Bytes(const ReadBytes& read) : read_(read) {}

    bool take(unsigned char* into, std::size_t count) {
        while (ok_ && count > 0) {
            const std::size_t got = read_(into, count);
            if (got == 0) ok_ = false;
            into += got;
            count -= got;
        }
        return ok_;
    }
    unsigned byte() {
        unsigned char b = 0;
        take(&b, 1);
        return b;
    }
    std::uint32_t bigEndian(int count) {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) v = (v << 8) | byte();
        return v;
    }
    std::uint32_t littleEndian(int count) {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) v |= std::uint32_t{byte()} << (8 * i);
        return v;
    }
    void skip(std::size_t count) {
        std::array<unsigned char, 4096> scratch{};
        while (ok_ && count > 0) {
            const std::size_t step = std::min(count, scratch.size());
            take(scratch.data(), step);
            count -= step;
        }
    }
    bool ok() const { return ok_; }

  private:
    const ReadBytes& read_;
    bool ok_ = true;
};

PictureHeader stillPicture(std::int64_t width, std::int64_t height) {
    return {width, height, width, height, 1};
}

std::optional<PictureHeader> readPng(Bytes& in) {
    // The rest of the signature, then the header chunk, which must come first.
    std::array<unsigned char, 6> rest{};
    static constexpr std::array<unsigned char, 6> kRest{'G', '\r', '\n', 0x1A, '\n', 0};
    in.take(rest.data(), 5);
    if (!std::equal(rest.begin(), rest.begin() + 5, kRest.begin())) return std::nullopt;
    in.bigEndian(4);  // the chunk's length
    std::array<unsigned char, 4> type{};
    in.take(type.data(), type.size());
    if (std::memcmp(type.data(), "IHDR", 4) != 0) return std::nullopt;
    const std::uint32_t width = in.bigEndian(4);
    const std::uint32_t height = in.bigEndian(4);
    if (!in.ok()) return std::nullopt;
    return stillPicture(width, height);
}

// A GIF's sub-blocks up to the empty one that ends them.
void skipSubBlocks(Bytes& in) {
    for (unsigned size = in.byte(); in.ok() && size != 0; size = in.byte()) in.skip(size);
}

void skipColourTable(Bytes& in, unsigned packed) {
    if (packed & 0x80) in.skip(3u << ((packed & 7) + 1));
}

std::optional<PictureHeader> readGif(Bytes& in, bool allFrames) {
    std::array<unsigned char, 4> version{};
    in.take(version.data(), 4);  // "F87a" or "F89a" after the "GI" already read
    if (version[0] != 'F' || version[1] != '8' || version[3] != 'a') return std::nullopt;
    PictureHeader header;
    header.width = in.littleEndian(2);
    header.height = in.littleEndian(2);
    const unsigned packed = in.byte();
    in.skip(2);  // background colour and aspect ratio
    skipColourTable(in, packed);
    header.frames = 0;
    while (in.ok()) {
        const unsigned block = in.byte();
        if (block == 0x21) {  // an extension: its label, then its data
            in.byte();
            skipSubBlocks(in);
        } else if (block == 0x2C) {  // an image
            in.skip(4);              // its place on the logical screen
            header.widestFrame = std::max<std::int64_t>(header.widestFrame, in.littleEndian(2));
            header.tallestFrame = std::max<std::int64_t>(header.tallestFrame, in.littleEndian(2));
            skipColourTable(in, in.byte());
            in.byte();  // the code size
            if (!in.ok()) break;
            ++header.frames;
            if (!allFrames) break;
            skipSubBlocks(in);
        } else {
            break;  // the trailer, or damage: decoders stop here too
        }
    }
    if (header.frames == 0) return std::nullopt;
    return header;
}

std::optional<PictureHeader> readBmp(Bytes& in) {
    in.skip(12);  // the rest of the file header
    const std::uint32_t infoSize = in.littleEndian(4);
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (infoSize == 12) {  // the old core header: unsigned 16-bit sizes
        width = in.littleEndian(2);
        height = in.littleEndian(2);
    } else {
        width = static_cast<std::int32_t>(in.littleEndian(4));
        // A negative height means rows run top down.
        height = std::abs(std::int64_t{static_cast<std::int32_t>(in.littleEndian(4))});
    }
    if (!in.ok() || width < 0) return std::nullopt;
    return stillPicture(width, height);
}

bool isStartOfFrame(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureHeader> readJpeg(Bytes& in) {
    // Segments up to the first frame header, which holds the size.
    while (in.ok()) {
        if (in.byte() != 0xFF) return std::nullopt;
        unsigned marker = in.byte();
        while (marker == 0xFF && in.ok()) marker = in.byte();                // fill bytes
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt;           // no frame header
        const std::uint32_t length = in.bigEndian(2);
        if (length < 2) return std::nullopt;
        if (isStartOfFrame(marker)) {
            in.byte();  // sample precision
            const std::uint32_t height = in.bigEndian(2);
            const std::uint32_t width = in.bigEndian(2);
            if (!in.ok()) return std::nullopt;
            return stillPicture(width, height);
        }
        in.skip(length - 2);
    }
    return std::nullopt;
}

std::string sizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace

std::optional<PictureHeader> readPictureHeader(const ReadBytes& read, bool allFrames) {
    Bytes in(read);
    const unsigned first = in.byte();
    const unsigned second = in.byte();
    std::optional<PictureHeader> header;
    if (first == 0x89 && second == 'P' && in.byte() == 'N')
        header = readPng(in);
    else if (first == 'G' && second == 'I')
        header = readGif(in, allFrames);
    else if (first == 'B' && second == 'M')
        header = readBmp(in);
    else if (first == 0xFF && second == 0xD8)
        header = readJpeg(in);
    if (!header || header->width <= 0 || header->height <= 0) return std::nullopt;
    return header;
}

std::string tooLargeReason(const PictureHeader& header, bool wholeClip) {
    const std::int64_t side =
        std::max({header.width, header.height, header.widestFrame, header.tallestFrame});
    if (side > kMaxPictureSide)
        return sizeText(std::max(header.width, header.widestFrame),
                        std::max(header.height, header.tallestFrame)) +
               ", more than the " + std::to_string(kMaxPictureSide) + " a side a picture may have";
    // Each frame takes the screen's size or the largest frame's, whichever is larger.
    const bool frameLarger =
        header.widestFrame * header.tallestFrame > header.width * header.height;
    const std::int64_t frameWidth = frameLarger ? header.widestFrame : header.width;
    const std::int64_t frameHeight = frameLarger ? header.tallestFrame : header.height;
    const std::int64_t frames = wholeClip ? header.frames : 1;
    if (frameWidth * frameHeight * frames > kMaxPicturePixels)
        return std::to_string(frames) + " frames of " + sizeText(frameWidth, frameHeight) +
               ", more than the " + sizeText(kMaxPictureSide, kMaxPictureSide) +
               " a picture or clip may have";
    return {};
}

namespace {

// Closes a descriptor when it goes.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

PictureCheck checkPictureFile(const std::filesystem::path& file, bool wholeClip) {
    using Verdict = PictureCheck::Verdict;
    // Non-blocking, so a FIFO does not wait here for a writer; the file is then known to be
    // a regular one before anything is read.
    const Descriptor source{open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (source.fd < 0) return {Verdict::Unreadable, std::strerror(errno), {}};
    struct stat status {};
    if (fstat(source.fd, &status) != 0) return {Verdict::Unreadable, std::strerror(errno), {}};
    if (S_ISDIR(status.st_mode)) return {Verdict::NotAFile, "it is a folder, not a file", {}};
    if (!S_ISREG(status.st_mode))
        return {Verdict::NotAFile, "it is a pipe or a device, not a file", {}};
    int failure = 0;
    const ReadBytes read = [&](unsigned char* into, std::size_t count) -> std::size_t {
        ssize_t got = -1;
        do {
            got = ::read(source.fd, into, count);
        } while (got < 0 && errno == EINTR);
        if (got < 0) failure = errno;
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    };
    const auto header = readPictureHeader(read, wholeClip);
    if (failure != 0) return {Verdict::Unreadable, std::strerror(failure), {}};
    if (!header) return {Verdict::NotAPicture, {}, {}};
    std::string reason = tooLargeReason(*header, wholeClip);
    if (!reason.empty()) return {Verdict::TooLarge, std::move(reason), *header};
    return {Verdict::Ok, {}, *header};
}

}  // namespace vk
