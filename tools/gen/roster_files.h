// Every file that the roster rows, the fight and the ladder name, with how to make it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bytes.h"

namespace vk::gen {

struct GeneratedFile {
    std::string path;  // relative to the data folder, '/'-separated
    std::function<Bytes()> make;
};

// Where the game's name of a data file ("\data\obr\les2.old ") is written: "obr/les2.old",
// without the blanks that the game drops when it looks the name up.
std::string dataOutputPath(std::string_view gameName);

// For each fighter its poses, preview, faces, background, voice and portrait; a file that
// several rows name (shared backgrounds and voices, names that differ only in letter case)
// is listed once.
std::vector<GeneratedFile> rosterFiles();

// The fight's blow, hit and warning sounds, the ten fight tracks and the ladder clip.
std::vector<GeneratedFile> fightFiles();

}  // namespace vk::gen
