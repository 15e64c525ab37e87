// The fight screen: two fighters from the stores fight on it until a knock-out or the end
// of the countdown, then the finishing sequence hands over to the after-fight screen.
// Its controls are rebuilt at every load; the screen-level state below is not, so what
// the load routine does not reset carries over to the next fight.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fight/statement_runner.h"
#include "runtime/control.h"
#include "runtime/media_player.h"
#include "runtime/screen.h"
#include "runtime/sound_channel.h"
#include "runtime/timer.h"
#include "shell/layout.h"

namespace vorkala {

class Game;

// A fighter's side, and the rows of the fight's tables: the blows, the two damage
// routines, the hit reactions, the combos and the steps (each defined with the routine
// that reads it).
struct FighterSide;
struct BlowRow;
struct DamageRow;
struct VictimRow;
struct ReactionRow;
struct ComboRow;
struct StepRow;

// What a player's held key asks of its side's held-action timer.
enum class HeldAction { None, WalkLeft, WalkRight, HighPunch, HighKick, LowPunch, LowKick, Dash };

namespace fight_colours {
constexpr vk::Colour kBackground = 0xC0C0C0;
constexpr vk::Colour kGreen = 0x00C000;  // energy bars, countdown at the start
constexpr vk::Colour kYellow = 0x00FFFF;
constexpr vk::Colour kBarYellow = 0x00C0C0;  // an energy bar running low
constexpr vk::Colour kRed = 0x0000FF;
constexpr vk::Colour kDarkGrey = 0x404040;
constexpr vk::Colour kNames = 0x800080;
}  // namespace fight_colours

struct BojControls : vk::ControlSet {
    BojControls(vk::Runtime& runtime, vk::Screen& screen);
    using K = vk::ControlKind;

    static vk::Design picture(float left, float top, float width, float height,
                              const std::string& file = {});
    static vk::Design button(float left, float top, float width, float height,
                             const std::string& file);
    static vk::Design hiddenLabel(const std::string& caption, float left = 0, float top = 0,
                                  float width = 0, float height = 0);
    static vk::Design energyBar(float x1, float x2);
    static vk::Design fighterName(float left, float width);
    static vk::Design floorStain(int zone);
    static vk::Design bloodDrop(int drop);
    static vk::Design timer(int interval) { return {.interval = interval}; }
    static vk::Design channel() { return {.visible = false}; }

    // Back to front.
    vk::ControlArray<> krev{*this, "krev", K::Image, 0, 3, floorStain};
    vk::Control stinl{*this, "stinl", K::Image, picture(600, 7080, 2250, 1125, "stin")};
    vk::Control stinp{*this, "stinp", K::Image, picture(8880, 7080, 2250, 1125, "stin")};
    vk::Control Image1{*this, "Image1", K::Image, picture(840, 4320, 855, 855)};
    vk::Control Image2{*this, "Image2", K::Image, picture(9600, 4320, 735, 495)};
    vk::Control prvni{*this, "prvni", K::Image, fighter(1200, 720, 600)};
    vk::Control druhej{*this, "druhej", K::Image, fighter(8400, 615, 495)};
    vk::ControlArray<> Shape1{*this, "Shape1", K::Shape, 0, 6, bloodDrop};
    vk::Control Line1{*this, "Line1", K::Line, energyBar(5400, 400)};
    vk::Control Line2{*this, "Line2", K::Line, energyBar(6600, 11600)};
    vk::Control odpocet{*this,
                        "odpocet",
                        K::Label,
                        {.left = 5760,
                         .top = 0,
                         .width = 855,
                         .height = 615,
                         .caption = "61",
                         .foreColor = fight_colours::kGreen,
                         .backOpaque = false,
                         .font = {.name = "Arial", .size = 24, .bold = true}}};
    vk::Control meno1{*this, "meno1", K::Label, fighterName(360, 2895)};
    vk::Control meno2{*this, "meno2", K::Label, fighterName(9840, 1935)};
    vk::Control Image3{*this, "Image3", K::Image, picture(2280, 1200, 7860, 3810, "kolo")};
    vk::Control hlaska{*this, "hlaska", K::Image, picture(2160, 1200, 7215, 2370, "ko")};
    vk::Control combo{*this, "combo", K::Image, hiddenPicture(4440, 1560, 2790, 690, "combo")};
    vk::Control Image14{*this, "Image14", K::Image, button(4200, 8280, 840, 480, "konec")};
    vk::Control Image4{*this, "Image4", K::Image, button(0, 8280, 3360, 435, "mail")};
    vk::Control Image5{*this, "Image5", K::Image, button(8160, 8280, 3660, 345, "web")};
    vk::Control ziv1{*this, "ziv1", K::Label, hiddenLabel("ziv1")};
    vk::Control ziv2{*this, "ziv2", K::Label, hiddenLabel("ziv2")};
    vk::Control Label3{*this, "Label3", K::Label, hiddenLabel("Label3")};
    vk::Control Label4{*this, "Label4", K::Label, hiddenLabel("Label4")};
    vk::Control Label2{*this, "Label2", K::Label, hiddenLabel("Label2", 3960, 120, 1215, 495)};
    vk::Control pe{*this, "pe", K::Label, hiddenLabel("pe", 0, 0, 1335, 615)};

    // The numbers run from 1 to 23; there is no Timer21.
    vk::Timer Timer1{*this, "Timer1", timer(0)};
    vk::Timer Timer2{*this, "Timer2", timer(1)};
    vk::Timer Timer3{*this, "Timer3", timer(0)};
    vk::Timer Timer4{*this, "Timer4", timer(80)};
    vk::Timer Timer5{*this, "Timer5", timer(1)};
    vk::Timer Timer6{*this, "Timer6", timer(0)};
    vk::Timer Timer7{*this, "Timer7", timer(815)};
    vk::Timer Timer8{*this, "Timer8", timer(825)};
    vk::Timer Timer9{*this, "Timer9", timer(1000)};
    vk::Timer Timer10{*this, "Timer10", timer(1)};
    vk::Timer Timer11{*this, "Timer11", timer(2)};
    vk::Timer Timer12{*this, "Timer12", timer(5)};
    vk::Timer Timer13{*this, "Timer13", timer(80)};
    vk::Timer Timer14{*this, "Timer14", timer(0)};
    vk::Timer Timer15{*this, "Timer15", timer(802)};
    vk::Timer Timer16{*this, "Timer16", timer(10)};
    vk::Timer Timer17{*this, "Timer17", timer(50)};
    vk::Timer Timer18{*this, "Timer18", timer(50)};
    vk::Timer Timer19{*this, "Timer19", timer(0)};
    vk::Timer Timer20{*this, "Timer20", timer(1)};
    vk::Timer Timer22{*this, "Timer22", timer(1)};
    vk::Timer Timer23{*this, "Timer23", timer(1)};

    vk::SoundChannel MMControl1{*this, "MMControl1", channel()};
    vk::SoundChannel MMControl2{*this, "MMControl2", channel()};
    vk::SoundChannel MMControl3{*this, "MMControl3", channel()};
    vk::SoundChannel MMControl4{*this, "MMControl4", channel()};
    vk::SoundChannel MMControl5{*this, "MMControl5", channel()};
    vk::SoundChannel MMControl6{*this, "MMControl6", channel()};
    vk::SoundChannel MMControl7{*this, "MMControl7", channel()};
    vk::SoundChannel MMControl8{*this, "MMControl8", channel()};
    vk::SoundChannel MMControl19{*this, "MMControl19", channel()};
    vk::MediaPlayer WindowsMediaPlayer1{*this, "WindowsMediaPlayer1", musicPlayerPlace(),
                                        musicPlayerSettings()};

  private:
    static vk::Design fighter(float left, float width, float height);
    static vk::Design hiddenPicture(float left, float top, float width, float height,
                                    const std::string& file);
    static vk::Design musicPlayerPlace();
    static vk::PlayerSettings musicPlayerSettings();
};

class Boj : public vk::ScreenOf<BojControls> {
  public:
    explicit Boj(Game& game);

    // Round start and countdown.
    void Timer6_Timer();
    void Timer14_Timer();

    // End of the fight: `vyhra` when the right fighter has lost, `vyhral` when the left
    // one has; `doraz` and `dorazit` are the finishing sequences that follow.
    void vyhra();
    void vyhral();
    void doraz();
    void dorazit();
    void Timer2_Timer();
    void Timer3_Timer();

    // Music, quit and links.
    void Timer9_Timer();
    void Image14_Click();
    void Image4_Click();
    void Image5_Click();

    // Steps: the left fighter forward (`vpravo`) and back (`vlevo`), the right fighter
    // forward (`vl`) and back (`vp`); dashes back of the left (`utekl`) and right (`utek`).
    void vpravo();
    void vlevo();
    void vl();
    void vp();
    void utekl();
    void utek();

    // The shared keyboard: keys write the held actions and jump requests, which the two
    // held-action timers turn into moves and blows.
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Timer17_Timer();
    void Timer18_Timer();

    // The computer opponents: the gates open within reach, then a random move per tick
    // (`pohyb` for the left fighter, `poh` for the right one).
    void Timer10_Timer();
    void Timer1_Timer();
    void Timer5_Timer();
    void pohyb();
    void poh();

    // Idle poses: the stance for both, the second frame per fighter.
    void Timer15_Timer();
    void Timer7_Timer();
    void Timer8_Timer();
    void pohybbezcomp();
    void pohbezcomp();

    // Jumps: rise, apex and landing, gravity, per side; the shadows of both.
    void Timer20_Timer();
    void Timer23_Timer();
    void Timer4_Timer();
    void Timer13_Timer();
    void Timer11_Timer();
    void Timer22_Timer();
    void Timer16_Timer();

    // Blows of the right fighter (low kick, high kick, low punch, high punch) and of the
    // left one in the same order.
    void dkop();
    void kop();
    void dpest();
    void pest();
    void SPODK();
    void HK();
    void SPEST();
    void HP();

    // Damage to the left (`zivoty1`) and right (`zivoty2`) fighter, and the copies of the
    // energies that the time-out reads.
    void zivoty1();
    void zivoty2();
    void Timer12_Timer();

    // Hit reactions: the left fighter kicked or punched, the right fighter kicked or punched.
    void krevprvnikop();
    void krevprvni();
    void krevdruhykop();
    void krevdruhy();
    // Floor stains that grow with the hits counted in each zone.
    void krv();
    // Combos: every 7th landed kick and every 11th landed punch push the fighters apart.
    void odlet();
    void odskok();
    void Timer19_Timer();

    // Screen-level fight state: kept across unloads; the load routine resets part of it.
    std::int16_t punchCounter = 0;
    std::int16_t kickCounter = 0;  // never reset by the load: counts toward a combo across fights
    std::int16_t cekal = 0;        // left computer gate: it plays only at 0
    int cekap = 0;                 // right computer gate
    std::int16_t finishLeftVictim = 0, finishRightVictim = 0;
    std::int16_t roundBannerUp = 0;
    std::int16_t secondsLeft = 0;
    std::int16_t leftBarStep = 0, rightBarStep = 0;  // twips of bar per blow received
    // The held actions of the left and right player.
    HeldAction akcel = HeldAction::None, akcep = HeldAction::None;
    int skokl = 0, skokp = 0;  // jump requests
    std::int16_t kroky = 0;    // step counter of the dashes only
    float nahoda = 0;          // the last draw of either computer opponent
    std::int16_t frame = 0;    // frame of the finishing sequence
    float musicTrack = 0;      // the fight's track, 1 to 10

    // The bar step while nothing can be divided: one blow takes the whole bar.
    static constexpr std::int16_t kWholeBar = 5000;

  protected:
    void Form_Load() override;

  private:
    void step(const StepRow& row);
    void dash(const FighterSide& side);
    bool onGround(const vk::Control& fighter, const vk::Control& groundLine);
    void decidedFightCheck();
    void runHeldAction(const FighterSide& side);
    std::string heldActionName(const FighterSide& side) const;
    void rise(const FighterSide& side);
    void apex(const FighterSide& side);
    void gravity(const FighterSide& side);
    void idleStance(const FighterSide& side);
    void idleFrame(const FighterSide& side);
    void strike(const BlowRow& blow);
    void damage(const DamageRow& row);
    void react(const ReactionRow& reaction);
    void throwVictim(const VictimRow& row);
    void bleed();
    void countZone();
    void knockOut(const VictimRow& row);
    void comboPush(const ComboRow& combo);
    void keepOnFloor(bool leftFighterToo);
    static void restartSound(vk::SoundChannel& channel);

    std::vector<NumberedStatement> loadStatements();
    AfterError reportLoadError(const vk::RuntimeError& error, int line);
    std::int16_t barStep(const vk::Control& strength, const vk::Control& energy) const;
    std::int16_t roundStartBarStep(const vk::Control& strength, const vk::Control& energy) const;

    bool bothStanding();
    bool fightOpen();
    void stopFight(vk::Control& hiddenFirst, vk::Control& hiddenSecond);
    void parkFighters(float rightLeft);
    void showFaces();
    void armAfterFight();
    bool finishingDone();

    Game& game_;
};

}  // namespace vorkala
