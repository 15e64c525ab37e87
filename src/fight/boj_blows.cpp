// The eight blows: sound, minimum gap, pose, the kicks' lunge and the hit test that hands
// over to the victim's damage and hit reaction.
#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "fight/floor.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/obr.h"

namespace vorkala {

namespace {
constexpr float kHitGap = 2300;  // a blow lands when the fighters stand closer than this
constexpr int kLungeSteps = 3;
}  // namespace

// What tells one blow from another: the attacker, the gap it keeps and its pose.
struct BlowRow {
    const FighterSide& attacker;
    float minimumGap;  // the attacker steps back to it before the blow
    int pose;
    float lunge;  // per step; punches do not lunge
    void (Boj::*damage)();
    void (Boj::*reaction)();
};

namespace {

// The right fighter hits the left one, and the left fighter the right one.
constexpr BlowRow right(int pose, float lunge, void (Boj::*reaction)()) {
    return {kRightFighter, 2150, pose, lunge, &Boj::zivoty1, reaction};
}
constexpr BlowRow left(int pose, float lunge, void (Boj::*reaction)()) {
    return {kLeftFighter, 2000, pose, lunge, &Boj::zivoty2, reaction};
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
    const FighterSide& side = blow.attacker;
    const float way = side.forward;  // towards the victim
    vk::Control& attacker = c.*side.sprite;
    const vk::Control& victim = c.*opponentOf(side).sprite;
    auto inReach = [&] { return beyond(attacker.left(), victim.left() - way * kHitGap, way); };

    restartSound(c.*side.blowSound);
    const float closest = victim.left() - way * blow.minimumGap;
    if (beyond(attacker.left(), closest, way)) attacker.setLeft(closest);
    attacker.setPicture((game_.obr().ui().*side.poses)[blow.pose].picture());
    for (int step = 0; step < kLungeSteps; ++step) {
        if (beyond(attacker.left(), edgeToward(way), way)) attacker.setLeft(edgeToward(way));
        attacker.setLeft(attacker.left() + way * blow.lunge);
    }
    // The damage routine moves nobody, so one hit test serves both calls.
    if (!inReach() || !fightOpen()) return;
    (this->*blow.damage)();
    (this->*blow.reaction)();
}

}  // namespace vorkala
