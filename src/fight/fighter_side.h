// A fighter's side: everything the fight, the stores and the selection keep once for the
// left fighter and once for the right one, so each routine is written once for both.
#pragma once

#include <cstdint>
#include <string>

#include "fight/boj.h"
#include "fight/drzky.h"
#include "progress/pocitadlo.h"
#include "shell/obr.h"

namespace vorkala {

struct FighterSide {
    // The way the fighter faces on the floor: +1 for the left fighter, -1 for the right one.
    float forward;

    // On the fight screen.
    vk::Control BojControls::*sprite;
    vk::Control BojControls::*finishSprite;  // stands in for it before and after the round
    vk::Control BojControls::*energy;
    vk::Control BojControls::*energyCopy;  // what the time-out reads
    vk::Control BojControls::*bar;
    vk::Control BojControls::*name;
    vk::SoundChannel BojControls::*blowSound;
    vk::SoundChannel BojControls::*hitSound;
    vk::Timer BojControls::*computerTimer;
    vk::Timer BojControls::*idleTimer;  // the second idle frame
    vk::Timer BojControls::*riseTimer;
    HeldAction Boj::*heldAction;
    int Boj::*jumpRequest;
    std::int16_t Boj::*barStep;  // twips of bar per blow received

    // In the match state store.
    vk::Control PocitadloControls::*groundLine;
    vk::Control PocitadloControls::*startEnergy;
    vk::Control PocitadloControls::*lossPerBlow;  // the energy a blow takes from this fighter
    vk::Control PocitadloControls::*computerDifficulty;  // above 0 when the computer plays it
    // 1 when the other side's human is on the turbo ladder, which gives this side to the
    // computer.
    vk::Control PocitadloControls::*computerTurbo;

    // In the picture store.
    vk::ControlArray<> ObrControls::*poses;
    vk::Control ObrControls::*winFace;
    vk::Control ObrControls::*loseFace;

    // On the after-fight screen.
    vk::Control DrzkyControls::*afterFightName;
};

inline constexpr FighterSide kLeftFighter{.forward = +1,
                                          .sprite = &BojControls::prvni,
                                          .finishSprite = &BojControls::Image1,
                                          .energy = &BojControls::ziv1,
                                          .energyCopy = &BojControls::Label3,
                                          .bar = &BojControls::Line1,
                                          .name = &BojControls::meno1,
                                          .blowSound = &BojControls::MMControl4,
                                          .hitSound = &BojControls::MMControl3,
                                          .computerTimer = &BojControls::Timer1,
                                          .idleTimer = &BojControls::Timer8,
                                          .riseTimer = &BojControls::Timer20,
                                          .heldAction = &Boj::akcel,
                                          .jumpRequest = &Boj::skokl,
                                          .barStep = &Boj::leftBarStep,
                                          .groundLine = &PocitadloControls::VyskaL,
                                          .startEnergy = &PocitadloControls::energiel,
                                          .lossPerBlow = &PocitadloControls::silauderul,
                                          .computerDifficulty = &PocitadloControls::ObtiznostL,
                                          .computerTurbo = &PocitadloControls::Turbop,
                                          .poses = &ObrControls::levej,
                                          .winFace = &ObrControls::levejwin,
                                          .loseFace = &ObrControls::levejout,
                                          .afterFightName = &DrzkyControls::lev};

inline constexpr FighterSide kRightFighter{.forward = -1,
                                           .sprite = &BojControls::druhej,
                                           .finishSprite = &BojControls::Image2,
                                           .energy = &BojControls::ziv2,
                                           .energyCopy = &BojControls::Label4,
                                           .bar = &BojControls::Line2,
                                           .name = &BojControls::meno2,
                                           .blowSound = &BojControls::MMControl2,
                                           .hitSound = &BojControls::MMControl5,
                                           .computerTimer = &BojControls::Timer5,
                                           .idleTimer = &BojControls::Timer7,
                                           .riseTimer = &BojControls::Timer23,
                                           .heldAction = &Boj::akcep,
                                           .jumpRequest = &Boj::skokp,
                                           .barStep = &Boj::rightBarStep,
                                           .groundLine = &PocitadloControls::VyskaP,
                                           .startEnergy = &PocitadloControls::energiep,
                                           .lossPerBlow = &PocitadloControls::silauderup,
                                           .computerDifficulty = &PocitadloControls::ObtiznostP,
                                           .computerTurbo = &PocitadloControls::Turbol,
                                           .poses = &ObrControls::pravej,
                                           .winFace = &ObrControls::pravejwin,
                                           .loseFace = &ObrControls::pravejout,
                                           .afterFightName = &DrzkyControls::prav};

inline const FighterSide& opponentOf(const FighterSide& side) {
    return &side == &kLeftFighter ? kRightFighter : kLeftFighter;
}

}  // namespace vorkala
