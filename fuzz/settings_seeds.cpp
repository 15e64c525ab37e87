// Writes the settings fuzzer's seeds of damaged files that cost a careless reader far more
// than their size (tests/settings_test_support.h) into the folder given; the fuzz build runs it:
//   settings_seeds <build>/fuzz/seeds-settings
#include <filesystem>
#include <fstream>
#include <iostream>

#include "settings_test_support.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: settings_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    for (const bool nested : {true, false})
        std::ofstream(folder / (nested ? "long_name_wrong_types" : "lines_wrong_types"),
                      std::ios::binary)
            << vk::testing::damagedSettingsFile(vk::testing::kCostlySettingsSize, nested);
    return 0;
}
