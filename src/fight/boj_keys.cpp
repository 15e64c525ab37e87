// The two players' shared keyboard. A key writes its side's held action or jump request;
// the held-action timers run the routine the action names, every 50 milliseconds while
// the key is held. The shift state plays no part.
#include <string>

#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"

namespace vorkala {

namespace {

namespace key {
constexpr int A = 65, D = 68, S = 83, W = 87, T = 84, G = 71, Z = 90, H = 72;
constexpr int Left = 37, Right = 39, Down = 40, Up = 38;
constexpr int Insert = 45, Delete = 46, Home = 36, End = 35;
}  // namespace key

// Below this an energy means the fight is decided (a knock-out writes -25).
constexpr double kDecidedBelow = -1;

// One key of the map: either a held action of a side or its jump request.
struct KeyRow {
    int code;
    const FighterSide& side;
    const char* pressed;  // the held action; nullptr: the key asks for a jump
    // The fighter must stand on its ground line for the press to count.
    bool groundTested;
};

constexpr const FighterSide& L = kLeftFighter;
constexpr const FighterSide& R = kRightFighter;

// In the order the press handler tests them.
constexpr KeyRow kKeyMap[] = {
    {key::A, L, "vlevo", false},
    {key::Left, R, "vlevo", false},
    {key::Right, R, "vpravo", false},
    {key::D, L, "vpravo", false},
    {key::S, L, "utekl", true},
    // The right dash tests the ground itself, when it runs.
    {key::Down, R, "utek", false},
    {key::Up, R, nullptr, true},
    {key::W, L, nullptr, true},
    {key::T, L, "HP", false},
    {key::Insert, R, "pest", false},
    {key::Delete, R, "dpest", false},
    {key::G, L, "SPEST", false},
    {key::Home, R, "kop", false},
    {key::End, R, "dkop", false},
    {key::Z, L, "HK", false},
    {key::H, L, "SPODK", false},
};

struct DispatchRow {
    const char* action;
    void (Boj::*routine)();
};
using Dispatch = DispatchRow[7];

const Dispatch kLeftDispatch = {
    {"vlevo", &Boj::vlevo}, {"vpravo", &Boj::vpravo}, {"HP", &Boj::HP},       {"HK", &Boj::HK},
    {"SPEST", &Boj::SPEST}, {"SPODK", &Boj::SPODK},   {"utekl", &Boj::utekl},
};
const Dispatch kRightDispatch = {
    {"vlevo", &Boj::vl},    {"vpravo", &Boj::vp}, {"pest", &Boj::pest}, {"kop", &Boj::kop},
    {"dpest", &Boj::dpest}, {"dkop", &Boj::dkop}, {"utek", &Boj::utek},
};

}  // namespace

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
        if (row.pressed)
            this->*side.heldAction = row.pressed;
        else
            this->*side.jumpRequest = 1;
    }
}

// A release clears whatever the side's action holds, even another key's action.
void Boj::Form_KeyUp(int keyCode, int /*shift*/) {
    for (const KeyRow& row : kKeyMap) {
        if (row.code != keyCode) continue;
        if (row.pressed)
            (this->*row.side.heldAction).clear();
        else
            this->*row.side.jumpRequest = 0;
    }
}

namespace {
// Each comparison reads the action afresh: a routine that lets events run may see a key
// change it, and a later row of the same tick then runs the new action.
void runHeldAction(Boj& boj, const std::string& action, const Dispatch& dispatch) {
    for (const DispatchRow& row : dispatch)
        if (action == row.action) (boj.*row.routine)();
}
}  // namespace

void Boj::Timer17_Timer() { runHeldAction(*this, akcel, kLeftDispatch); }
void Boj::Timer18_Timer() { runHeldAction(*this, akcep, kRightDispatch); }

}  // namespace vorkala
