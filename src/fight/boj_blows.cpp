// The eight blows: sound, minimum gap, pose, the kicks' lunge and the hit test that hands
// over to the victim's damage and hit reaction.
#include "fight/boj.h"
#include "fight/floor.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/obr.h"

namespace vorkala {

namespace {
constexpr float kHitGap = 2300;  // a blow lands when the fighters stand closer than this
constexpr int kLungeSteps = 3;
}  // namespace

// What tells one blow from another.
struct BlowRow {
    vk::Control BojControls::*attacker;
    vk::Control BojControls::*victim;
    float towardVictim;  // +1 when the attacker closes in by moving right, -1 by moving left
    float edge;          // the floor's edge on the victim's side, kept by the attacker
    float minimumGap;    // the attacker steps back to it before the blow
    vk::SoundChannel BojControls::*sound;
    vk::ControlArray<> ObrControls::*poses;
    int pose;
    float lunge;  // per step; punches do not lunge
    void (Boj::*damage)();
    void (Boj::*reaction)();
};

namespace {

using B = BojControls;
constexpr BlowRow right(int pose, float lunge, void (Boj::*reaction)()) {
    return {.attacker = &B::druhej,
            .victim = &B::prvni,
            .towardVictim = -1,
            .edge = kLeftEdge,
            .minimumGap = 2150,
            .sound = &B::MMControl2,
            .poses = &ObrControls::pravej,
            .pose = pose,
            .lunge = lunge,
            .damage = &Boj::zivoty1,
            .reaction = reaction};
}
constexpr BlowRow left(int pose, float lunge, void (Boj::*reaction)()) {
    return {.attacker = &B::prvni,
            .victim = &B::druhej,
            .towardVictim = +1,
            .edge = kRightEdge,
            .minimumGap = 2000,
            .sound = &B::MMControl4,
            .poses = &ObrControls::levej,
            .pose = pose,
            .lunge = lunge,
            .damage = &Boj::zivoty2,
            .reaction = reaction};
}

constexpr int kLowPunch = 5, kHighKick = 8, kHighPunch = 11, kLowKick = 15;
constexpr float kKick = 80, kPunch = 0;

constexpr BlowRow kDkop = right(kLowKick, kKick, &Boj::krevprvnikop);
constexpr BlowRow kKop = right(kHighKick, kKick, &Boj::krevprvnikop);
constexpr BlowRow kDpest = right(kLowPunch, kPunch, &Boj::krevprvni);
constexpr BlowRow kPest = right(kHighPunch, kPunch, &Boj::krevprvni);
constexpr BlowRow kSpodk = left(kLowKick, kKick, &Boj::krevdruhykop);
constexpr BlowRow kHk = left(kHighKick, kKick, &Boj::krevdruhykop);
constexpr BlowRow kSpest = left(kLowPunch, kPunch, &Boj::krevdruhy);
constexpr BlowRow kHp = left(kHighPunch, kPunch, &Boj::krevdruhy);

}  // namespace

void Boj::dkop() { strike(kDkop); }
void Boj::kop() { strike(kKop); }
void Boj::dpest() { strike(kDpest); }
void Boj::pest() { strike(kPest); }
void Boj::SPODK() { strike(kSpodk); }
void Boj::HK() { strike(kHk); }
void Boj::SPEST() { strike(kSpest); }
void Boj::HP() { strike(kHp); }

void Boj::restartSound(vk::SoundChannel& channel) {
    channel.setCommand("close");
    channel.setCommand("Open");
    channel.setCommand("play");
}

// The blow lets other events run once, before it reads any position; nothing runs
// between its hit tests. Its three steps count on their own counter, so a blow that runs
// while a dash waits leaves the dash's ten steps alone.
void Boj::strike(const BlowRow& blow) {
    runtime().doEvents();
    auto& c = ui();
    vk::Control& attacker = c.*blow.attacker;
    const vk::Control& victim = c.*blow.victim;
    // Whether `x` lies beyond `mark` on the way from the attacker to the victim.
    auto beyond = [&](float x, float mark) { return blow.towardVictim > 0 ? x > mark : x < mark; };
    auto inReach = [&] {
        return beyond(attacker.left(), victim.left() - blow.towardVictim * kHitGap);
    };

    restartSound(c.*blow.sound);
    const float closest = victim.left() - blow.towardVictim * blow.minimumGap;
    if (beyond(attacker.left(), closest)) attacker.setLeft(closest);
    attacker.setPicture((game_.obr().ui().*blow.poses)[blow.pose].picture());
    for (int step = 0; step < kLungeSteps; ++step) {
        if (beyond(attacker.left(), blow.edge)) attacker.setLeft(blow.edge);
        attacker.setLeft(attacker.left() + blow.towardVictim * blow.lunge);
    }
    // The damage routine moves nobody, so one hit test serves both calls.
    if (!inReach() || !fightOpen()) return;
    (this->*blow.damage)();
    (this->*blow.reaction)();
}

}  // namespace vorkala
