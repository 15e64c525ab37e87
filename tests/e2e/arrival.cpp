// Watches a rectangle of a window from outside the game and tells when it took on the
// picture it then keeps: the moment something moving came to rest there.
//   vorkala-e2e-arrival WINDOW X Y WIDTH HEIGHT SECONDS
// Samples the rectangle for SECONDS and prints the wall-clock time (nanoseconds since the
// epoch, as `date +%s%N` prints it) of the first sample that shows the rectangle's most
// frequent picture of the last second; moving specks passing through are outvoted.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>
#include <vector>

namespace {

struct Sample {
    std::int64_t at;  // ns since the epoch
    std::uint64_t picture;
};

std::int64_t wallNanos() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

// A hash of the rectangle's pixels (FNV-1a).
std::uint64_t pictureOf(Display* display, Window window, int x, int y, int w, int h) {
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image) return 0;
    std::uint64_t hash = 1469598103934665603ull;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            hash = (hash ^ XGetPixel(image, col, row)) * 1099511628211ull;
    XDestroyImage(image);
    return hash;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: vorkala-e2e-arrival WINDOW X Y WIDTH HEIGHT SECONDS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    const auto window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const int w = std::atoi(argv[4]), h = std::atoi(argv[5]);
    const auto span = static_cast<std::int64_t>(std::atof(argv[6]) * 1e9);
    std::vector<Sample> samples;
    const std::int64_t start = wallNanos();
    while (wallNanos() - start < span) {
        samples.push_back({wallNanos(), pictureOf(display, window, x, y, w, h)});
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XCloseDisplay(display);
    std::map<std::uint64_t, int> lastSecond;
    for (const Sample& s : samples)
        if (s.at >= samples.back().at - 1'000'000'000) ++lastSecond[s.picture];
    std::uint64_t rest = 0;
    int most = 0;
    for (const auto& [picture, count] : lastSecond)
        if (count > most) rest = picture, most = count;
    for (const Sample& s : samples) {
        if (s.picture != rest) continue;
        std::printf("%lld\n", static_cast<long long>(s.at));
        return 0;
    }
    return 1;
}
