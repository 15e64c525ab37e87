// The fighter roster: one row per fighter of the two rosters, with the files, values and
// places a pick and a preview use. Steps that only single fighters add live with the picks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "progress/side.h"

namespace vorkala {

// The four blow poses of suffix set 3 end in "3" ("dk3", "dp3", "hk3", "hp3").
enum class SuffixSet { Plain, Three };

// How a pick sets the Top of its side's two fight sprites.
enum class TopRule { None, Absolute, Relative };

struct PoseSuffix {
    int index;
    const char* suffix;
};

struct Fighter {
    const char* code;  // the portrait's control name
    Side side;
    int gridRow, gridColumn;        // 1 to 4 in the side's block
    std::optional<int> cover = {};  // index of the question-mark cover in front while locked
    bool hiddenAtDesign = false;    // the secret fighter's portrait
    const char* displayName;
    const char* voice;   // in \data\zvuk\ .
    const char* prefix;  // start of the pose file names in \data\obr\ .
    SuffixSet suffixes;
    std::vector<PoseSuffix> replacedSuffixes = {};
    const char* winFace;     // in \data\obr\ .
    const char* loseFace;    // in \data\obr\ .
    const char* background;  // exactly as the pick names it (some end in a blank)
    TopRule topRule = TopRule::None;
    float topValue = 0;                 // twips; signed for a relative rule
    std::optional<int> tick = {};       // the side's computer period in turbo play, milliseconds
    const char* previewFile = nullptr;  // nullptr: the stance pose file
};

// Both rosters, left first.
const std::vector<Fighter>& roster();
const Fighter* findFighter(const std::string& code);

// The poses a fighter has, in pose-index order.
inline constexpr int kPoseIndices[] = {0, 1, 2, 5, 8, 11, 12, 15, 16, 17, 18, 19, 20};

// "\data\obr\" + prefix + the pose's suffix + ".old".
std::string poseFile(const Fighter& fighter, int poseIndex);
std::string previewFile(const Fighter& fighter);
std::string winFaceFile(const Fighter& fighter);
std::string loseFaceFile(const Fighter& fighter);
std::string voiceFile(const Fighter& fighter);  // "\data\zvuk\..."
// The small picture on the fighter's portrait, stored with the selection screen's layout.
std::string portraitPicture(const Fighter& fighter);

// Twips of a portrait's design place.
float portraitLeft(const Fighter& fighter);
float portraitTop(const Fighter& fighter);
inline constexpr float kPortraitSize = 855;

}  // namespace vorkala
