// The two players' shared keyboard. A key writes its side's held action or jump request;
// the held-action timers run the routine the action names, every 50 milliseconds while
// the key is held. The shift state plays no part.
#include <optional>
#include <string>

#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "progress/pocitadlo.h"
#include "runtime/keys.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"

namespace vorkala {

namespace {

using vk::Key;
using enum HeldAction;

// Below this an energy means the fight is decided (a knock-out writes -25).
constexpr double kDecidedBelow = -1;

// One key of the map: either a held action of a side or its jump request.
struct KeyRow {
    Key code;
    const FighterSide& side;
    std::optional<HeldAction> action;  // none: the key asks for a jump
    // The fighter must stand on its ground line for the press to count.
    bool groundTested;
};

constexpr const FighterSide& L = kLeftFighter;
constexpr const FighterSide& R = kRightFighter;

// In the order the press handler tests them.
constexpr KeyRow kKeyMap[] = {
    {Key::A, L, WalkLeft, false},
    {Key::Left, R, WalkLeft, false},
    {Key::Right, R, WalkRight, false},
    {Key::D, L, WalkRight, false},
    {Key::S, L, Dash, true},
    // The right dash tests the ground itself, when it runs.
    {Key::Down, R, Dash, false},
    {Key::Up, R, std::nullopt, true},
    {Key::W, L, std::nullopt, true},
    {Key::T, L, HighPunch, false},
    {Key::Insert, R, HighPunch, false},
    {Key::Delete, R, LowPunch, false},
    {Key::G, L, LowPunch, false},
    {Key::Home, R, HighKick, false},
    {Key::End, R, LowKick, false},
    {Key::Z, L, HighKick, false},
    {Key::H, L, LowKick, false},
};

// A held action's routine, and its name as the script driver shows it.
struct HeldRow {
    HeldAction action;
    void (Boj::*routine)();
    const char* name;
};
using HeldRows = HeldRow[7];

const HeldRows kLeftHeld = {
    {WalkLeft, &Boj::vlevo, "vlevo"}, {WalkRight, &Boj::vpravo, "vpravo"},
    {HighPunch, &Boj::HP, "HP"},      {HighKick, &Boj::HK, "HK"},
    {LowPunch, &Boj::SPEST, "SPEST"}, {LowKick, &Boj::SPODK, "SPODK"},
    {Dash, &Boj::utekl, "utekl"},
};
const HeldRows kRightHeld = {
    {WalkLeft, &Boj::vl, "vlevo"},    {WalkRight, &Boj::vp, "vpravo"},
    {HighPunch, &Boj::pest, "pest"},  {HighKick, &Boj::kop, "kop"},
    {LowPunch, &Boj::dpest, "dpest"}, {LowKick, &Boj::dkop, "dkop"},
    {Dash, &Boj::utek, "utek"},
};

const HeldRows& heldRowsOf(const FighterSide& side) {
    return &side == &kLeftFighter ? kLeftHeld : kRightHeld;
}

}  // namespace

std::string Boj::heldActionName(const FighterSide& side) const {
    for (const HeldRow& row : heldRowsOf(side))
        if (this->*side.heldAction == row.action) return row.name;
    return {};
}

// After a knock-out or the time-out the first key press stops both held-action timers
// for good; the press itself still writes its variable.
void Boj::decidedFightCheck() {
    auto& c = ui();
    if (vk::captionValue(c.ziv1) < kDecidedBelow || secondsLeft == 0 ||
        vk::captionValue(c.ziv2) < kDecidedBelow) {
        for (vk::Timer* held : {&c.Timer17, &c.Timer18}) {
            held->setInterval(0);
            held->setEnabled(false);
        }
    }
}

void Boj::Form_KeyDown(int keyCode, int /*shift*/) {
    decidedFightCheck();
    for (const KeyRow& row : kKeyMap) {
        if (row.code != keyCode) continue;
        const FighterSide& side = row.side;
        if (row.groundTested &&
            !onGround(ui().*side.sprite, game_.pocitadlo().ui().*side.groundLine))
            continue;
        if (row.action)
            this->*side.heldAction = *row.action;
        else
            this->*side.jumpRequest = 1;
    }
}

// A release clears whatever the side's action holds, even another key's action.
void Boj::Form_KeyUp(int keyCode, int /*shift*/) {
    for (const KeyRow& row : kKeyMap) {
        if (row.code != keyCode) continue;
        if (row.action)
            this->*row.side.heldAction = None;
        else
            this->*row.side.jumpRequest = 0;
    }
}

// Each comparison reads the action afresh: a routine that lets events run may see a key
// change it, and a later row of the same tick then runs the new action.
void Boj::runHeldAction(const FighterSide& side) {
    for (const HeldRow& row : heldRowsOf(side))
        if (this->*side.heldAction == row.action) (this->*row.routine)();
}

void Boj::Timer17_Timer() { runHeldAction(kLeftFighter); }
void Boj::Timer18_Timer() { runHeldAction(kRightFighter); }

}  // namespace vorkala
