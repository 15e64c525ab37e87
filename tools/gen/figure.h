// Fighter silhouettes drawn from a pose: a skeleton of joints fleshed out with thick
// limbs, a tapered torso, fists and a round head.
#pragma once

#include "image.h"

namespace vk::gen {

// Joint positions in pose units: the figure stands about 250 units tall with its feet on
// y = 0, facing +x (y grows downwards, as on the screen).
struct Pose {
    Point head;
    Point neck;
    Point hip;
    Point frontElbow;
    Point frontHand;
    Point backElbow;
    Point backHand;
    Point frontKnee;
    Point frontFoot;
    Point backKnee;
    Point backFoot;
};

Pose jabStance();        // leading fist thrown forward, rear fist guarding the chin
Pose highGuardStance();  // crouched a little, both fists raised

struct Placement {
    Point ground;        // canvas point under the figure's centre
    double scale = 1.0;  // canvas pixels per pose unit
    bool facingLeft = false;
};

void drawFigure(Canvas& canvas, const Pose& pose, const Placement& placement, Color c);

}  // namespace vk::gen
