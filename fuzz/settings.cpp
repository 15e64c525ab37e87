// The settings loader on any bytes: it never throws or crashes, a file it cannot fully
// understand is kept aside unchanged, and the store it leaves saves and reloads a value
// that then reads without a notice.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "progress/saved_progress.h"
#include "runtime/settings_json.h"

namespace {

namespace fs = std::filesystem;

void require(bool holds) {
    if (!holds) std::abort();
}

const fs::path& folder() {
    static const fs::path path = [] {
        fs::path p = fs::temp_directory_path() / ("vorkala-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return path;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = folder() / "settings.json";
    const fs::path aside = folder() / "settings.json.corrupt-1";
    for (const auto& entry : fs::directory_iterator(folder())) fs::remove(entry.path());
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(file, std::ios::binary) << bytes;

    std::ostringstream warnings;
    std::streambuf* previous = std::cerr.rdbuf(warnings.rdbuf());
    {
        vk::JsonSettingsStore store(file, vorkala::savedProgressLayout());
        // Whatever the loader made of it, a file it could not use is kept as it was.
        if (fs::exists(aside)) require(contents(aside) == bytes);
        store.set("Fuzz", "hraci", "fuzz", "1");
        require(store.get("Fuzz", "hraci", "fuzz") == "1");
    }
    vk::JsonSettingsStore reloaded(file, vorkala::savedProgressLayout());
    require(reloaded.get("Fuzz", "hraci", "fuzz") == "1");
    // What the game saved reads back without a word.
    require(reloaded.takeNotice().empty());
    std::cerr.rdbuf(previous);
    return 0;
}
