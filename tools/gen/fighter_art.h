// The fighters' own pictures: the thirteen pose sprites, the winner and loser faces and
// the selection screen's portrait, each in a colour scheme that the fighter's code picks.
#pragma once

#include "figure.h"
#include "image.h"
#include "select/roster.h"

namespace vk::gen {

enum class HairStyle { Short, Bald, Mohawk, Long, Spiky };
enum class Outfit { Bare, Vest, Jacket, Suit };

struct FighterLook {
    Color skin;
    Color hair;
    Color top;  // vest, jacket or suit
    Color trousers;
    Color belt;  // belt and headband
    Color gloves;
    Color shoes;
    HairStyle hairStyle;
    Outfit outfit;
    bool headband;
    bool boxingGloves;
    double bulk;  // limb thickness factor around 1
};

// The same code always gives the same look.
FighterLook lookOf(const vorkala::Fighter& fighter);

// The floor line of the fight screen, in canvas pixels from the top.
constexpr int kFightFloor = 510;

struct SpriteSize {
    int width;
    int height;
    int feetRow;        // where the figure stands in the fight: on the floor line
    int finishingDrop;  // how much higher the finishing sprites stand, in pixels
};
// Every pose picture of a fighter has this size. The fight's sprites stand where gravity
// leaves them, the finishing sprites where the pick put them, which is higher for a
// fighter picked at or above the fight's ground line. So the standing poses have their
// feet on the floor at the fight's Top, and the poses the finishing sequence ends in lie
// and stand on the same floor at the finishing Top, lower in the picture.
SpriteSize spriteSize(const vorkala::Fighter& fighter);

// Transparent around the figure; facing right on the left roster, left on the right one.
Canvas posePicture(const vorkala::Fighter& fighter, int poseIndex);

// Joints of a pose picture's figure (one of kPoseIndices), feet on y = 0, facing +x.
Pose fighterPose(int poseIndex);
// Draws the figure facing right, one pose unit `scale` pixels, its feet centred on `ground`.
void drawFighter(Canvas& canvas, const FighterLook& look, const Pose& pose, Point ground,
                 double scale);

constexpr int kFaceSize = 150;
Canvas winnerFace(const vorkala::Fighter& fighter);  // smiling, fist raised
Canvas loserFace(const vorkala::Fighter& fighter);   // bruised and sad

constexpr int kPortraitPixels = 57;
Canvas portraitArt(const vorkala::Fighter& fighter);

}  // namespace vk::gen
