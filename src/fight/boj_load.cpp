// The fight screen's load routine: both fighters from the stores, the sounds, the fight's
// state reset and the round start armed. Any run-time error in it asks the player
// whether to abort, retry the statement or ignore it and go on.
#include <string>

#include "fight/boj.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/obr.h"

namespace vorkala {

namespace {

// Energy below or above this changes the bar length of a turbo fighter past the
// ladder's first step, by kTurboTwipsPerPoint per point.
constexpr double kTurboBaseEnergy = 50;
constexpr double kTurboTwipsPerPoint = 100;
constexpr double kBarLength = 5000;
constexpr int kRoundStartDelay = 5000;
constexpr std::int16_t kRoundSeconds = 60;

// Division as the game's arithmetic does it: by zero is an error, 0 / 0 an overflow.
double divide(double dividend, double divisor) {
    if (divisor == 0)
        vk::raise(dividend == 0 ? vk::ErrorNumber::Overflow : vk::ErrorNumber::DivisionByZero);
    return dividend / divisor;
}

// The fight's sound channels in the order they are opened, with their device types.
struct FightSound {
    vk::SoundChannel BojControls::*channel;
    const char* deviceType;
    const char* file;
};
constexpr FightSound kFightSounds[] = {
    {&BojControls::MMControl1, "waveaudio", "jo.wav"},
    {&BojControls::MMControl2, "WaveAudio", "Y1.wav"},
    {&BojControls::MMControl3, "WaveAudio", "N1.wav"},
    {&BojControls::MMControl4, "WaveAudio", "Y.wav"},
    {&BojControls::MMControl5, "WaveAudio", "N.wav"},
    {&BojControls::MMControl6, "WaveAudio", "5.wav"},
    {&BojControls::MMControl7, "WaveAudio", "6.wav"},
    {&BojControls::MMControl8, "WaveAudio", "7.wav"},
    {&BojControls::MMControl19, "WaveAudio", "kov.wav"},
};

// Numbers the statements of a routine from 1 in the order they are added.
class StatementList {
  public:
    void add(std::function<void()> statement) {
        statements_.push_back({static_cast<int>(statements_.size()) + 1, std::move(statement)});
    }
    std::vector<NumberedStatement> take() { return std::move(statements_); }

  private:
    std::vector<NumberedStatement> statements_;
};

}  // namespace

std::int16_t Boj::barStep(const vk::Control& strength, const vk::Control& energy) const {
    return vk::toInteger(divide(vk::captionValue(strength), vk::captionValue(energy)) * kBarLength);
}

void Boj::Form_Load() {
    const auto statements = loadStatements();
    runStatements(statements, [this](const vk::RuntimeError& error, int line) {
        return reportLoadError(error, line);
    });
}

AfterError Boj::reportLoadError(const vk::RuntimeError& error, int line) {
    const std::string prompt = std::string("Please mail to: ") + kContactAddress + ". Error " +
                               std::to_string(error.code()) + ": " + error.description() +
                               "\n\n\t\tError in line number " + std::to_string(line) + "\nin " +
                               kAppTitle + ": boj_FormLoad";
    const vk::MessageAnswer answer =
        runtime().messageBox(prompt, std::string(kAppTitle) + " Error message",
                             vk::MessageButtons::AbortRetryIgnore, vk::MessageIcon::Exclamation);
    switch (answer) {
        case vk::MessageAnswer::Retry:
            return AfterError::Retry;
        case vk::MessageAnswer::Ignore:
            return AfterError::Next;
        default:
            RestoreDisplayMode(game_);
            return AfterError::Abort;
    }
}

std::vector<NumberedStatement> Boj::loadStatements() {
    // The statements run after this returns: they hold pointers, not references to locals.
    BojControls* c = &ui();
    Pocitadlo* store = &game_.pocitadlo();
    Obr* pictures = &game_.obr();
    StatementList s;

    // A turbo human past the ladder's first step gets a bar as long as its energy.
    s.add([=, this] {
        const bool turbo = vk::captionValue(store->ui().Turbol) == 1;
        const bool pastFirstStep = vk::captionValue(store->ui().PCp) > 1;
        if (turbo && pastFirstStep)
            c->Line1.setX1(static_cast<float>(
                c->Line1.x1() -
                (kTurboBaseEnergy - vk::captionValue(store->ui().energiel)) * kTurboTwipsPerPoint));
    });
    s.add([=, this] {
        const bool turbo = vk::captionValue(store->ui().Turbop) == 1;
        const bool pastFirstStep = vk::captionValue(store->ui().PCl) > 1;
        if (turbo && pastFirstStep)
            c->Line2.setX1(static_cast<float>(
                c->Line2.x1() +
                (kTurboBaseEnergy - vk::captionValue(store->ui().energiep)) * kTurboTwipsPerPoint));
    });
    s.add([=, this] { c->prvni.setEnabled(false); });
    s.add([=, this] { c->druhej.setEnabled(false); });
    for (const FightSound& sound : kFightSounds)
        s.add([=, this] {
            openChannel(c->*sound.channel, sound.deviceType,
                        programFile(runtime(), std::string("\\data\\zvuk\\") + sound.file));
        });
    s.add([=, this] { punchCounter = 0; });
    s.add([=, this] { cekal = 1; });
    s.add([=, this] { cekap = 1; });
    s.add([=, this] { finishRightVictim = 0; });
    s.add([=, this] { finishLeftVictim = 0; });
    s.add([=, this] { c->hlaska.setVisible(false); });
    s.add([=, this] { c->druhej.setPicture(pictures->ui().pravej[0].picture()); });
    s.add([=, this] { c->prvni.setPicture(pictures->ui().levej[0].picture()); });
    for (vk::Control ObrControls::*zone :
         {&ObrControls::Label1, &ObrControls::Label2, &ObrControls::Label3, &ObrControls::Label4})
        s.add([=] { (pictures->ui().*zone).setCaption("0"); });
    s.add([=, this] { c->pe.setCaption("0"); });
    s.add([=, this] { c->ziv1.setCaption(store->ui().energiel.caption()); });
    s.add([=, this] { c->ziv2.setCaption(store->ui().energiep.caption()); });
    s.add([=, this] { leftBarStep = barStep(store->ui().silauderul, c->ziv1); });
    s.add([=, this] { rightBarStep = barStep(store->ui().silauderup, c->ziv2); });
    s.add([=, this] { c->Label2.setCaption(vk::textOf(static_cast<int>(leftBarStep))); });
    s.add([=, this] { c->prvni.setVisible(true); });
    s.add([=, this] { c->druhej.setVisible(true); });
    s.add([=, this] { roundBannerUp = 1; });
    s.add([=, this] { c->Timer6.setInterval(kRoundStartDelay); });
    s.add([=, this] { c->Image1.setTop(c->prvni.top()); });
    s.add([=, this] { c->Image2.setTop(c->druhej.top()); });
    // The ground lines: the picks give the sprites their heights only after this load.
    s.add([=, this] { store->ui().VyskaL.setCaption(vk::textOf(c->prvni.top())); });
    s.add([=, this] { store->ui().VyskaP.setCaption(vk::textOf(c->druhej.top())); });
    s.add([=, this] { secondsLeft = kRoundSeconds; });
    return s.take();
}

}  // namespace vorkala
