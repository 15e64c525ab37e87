// The two players' shared keyboard. A key writes its side's held action or jump request;
// the held-action timers run the routine the action names, every 50 milliseconds while
// the key is held. The shift state plays no part.
#include <string>

#include "fight/boj.h"
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
    std::string Boj::*action;  // nullptr: the key asks for a jump
    int Boj::*jump;
    const char* pressed;
    // The fighter must stand on its ground line for the press to count.
    vk::Control BojControls::*groundTested;
    vk::Control PocitadloControls::*groundLine;
};

using B = BojControls;
using P = PocitadloControls;

constexpr KeyRow held(int code, std::string Boj::*action, const char* pressed) {
    return {code, action, nullptr, pressed, nullptr, nullptr};
}

// In the order the press handler tests them.
const KeyRow kKeyMap[] = {
    held(key::A, &Boj::akcel, "vlevo"),
    held(key::Left, &Boj::akcep, "vlevo"),
    held(key::Right, &Boj::akcep, "vpravo"),
    held(key::D, &Boj::akcel, "vpravo"),
    {key::S, &Boj::akcel, nullptr, "utekl", &B::prvni, &P::VyskaL},
    // The right dash tests the ground itself, when it runs.
    held(key::Down, &Boj::akcep, "utek"),
    {key::Up, nullptr, &Boj::skokp, nullptr, &B::druhej, &P::VyskaP},
    {key::W, nullptr, &Boj::skokl, nullptr, &B::prvni, &P::VyskaL},
    held(key::T, &Boj::akcel, "HP"),
    held(key::Insert, &Boj::akcep, "pest"),
    held(key::Delete, &Boj::akcep, "dpest"),
    held(key::G, &Boj::akcel, "SPEST"),
    held(key::Home, &Boj::akcep, "kop"),
    held(key::End, &Boj::akcep, "dkop"),
    held(key::Z, &Boj::akcel, "HK"),
    held(key::H, &Boj::akcel, "SPODK"),
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
        if (row.groundTested &&
            !onGround(ui().*row.groundTested, game_.pocitadlo().ui().*row.groundLine))
            continue;
        if (row.action)
            this->*row.action = row.pressed;
        else
            this->*row.jump = 1;
    }
}

// A release clears whatever the side's action holds, even another key's action.
void Boj::Form_KeyUp(int keyCode, int /*shift*/) {
    for (const KeyRow& row : kKeyMap) {
        if (row.code != keyCode) continue;
        if (row.action)
            (this->*row.action).clear();
        else
            this->*row.jump = 0;
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
