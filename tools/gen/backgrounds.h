// The fight's backgrounds: 800 x 600 scenes with the floor at about y = 500 and a darker
// band along the top where the energy bars and the countdown are drawn.
#pragma once

#include <string_view>

#include "image.h"

namespace vk::gen {

constexpr int kSceneWidth = 800;
constexpr int kSceneHeight = 600;
constexpr int kSceneFloor = 500;
constexpr int kSceneBand = 90;  // height of the darkened band at the top

// `stem` is the file name without folder and extension ("most", "les2"); a stem without a
// scene of its own gets a street scene coloured by its name.
Canvas fightBackground(std::string_view stem);

}  // namespace vk::gen
