// The selection screen: the computer side and its difficulty, the two fighters, the turbo
// ladder, the code box and the high-score table. Loaded afresh for every match and
// rebuilt from the settings and the match state store.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "progress/saved_progress.h"
#include "runtime/control.h"
#include "runtime/screen.h"
#include "runtime/sound_channel.h"
#include "runtime/timer.h"
#include "select/roster.h"
#include "shell/drops.h"
#include "shell/layout.h"

namespace vorkala {

class Game;

// The portraits of both rosters: picture boxes named by their fighters' codes, at their
// grid places, in roster order.
class Portraits {
  public:
    explicit Portraits(vk::ControlSet& owner);
    vk::Control& operator[](const std::string& code) const;
    vk::Control& of(const Fighter& fighter) const { return (*this)[fighter.code]; }

  private:
    std::vector<std::unique_ptr<vk::Control>> controls_;
};

namespace selection_colours {
constexpr vk::Colour kToggleBack = 0x80, kToggleText = 0xFFFFC0;
constexpr vk::Colour kCodeBoxBack = 0xC000C0;
constexpr vk::Colour kTableText = 0xC0;
constexpr vk::Colour kRewardCode = 0xC0C000;
}  // namespace selection_colours

struct VyberpostavControls : vk::ControlSet {
    VyberpostavControls(vk::Runtime& runtime, vk::Screen& screen);
    using K = vk::ControlKind;

    static vk::Design button(float left, float top, float width, float height,
                             const std::string& picture, bool visible = true);
    static vk::Design tableRow(float left, int row, float width, std::string text);
    static vk::Design statistic(float left, float top, vk::Colour back, float width = 255);

    vk::Control Image1{*this, "Image1", K::Image, button(4440, 1800, 3150, 2175, "vyber")};
    vk::Control Image2{*this, "Image2", K::Image, button(360, 4560, 1410, 915, "pc")};
    vk::Control Image3{*this, "Image3", K::Image, button(8880, 4560, 1410, 915, "pc")};
    vk::Control Text3{*this, "Text3", K::TextBox, toggleState(1920)};
    vk::Control Text2{*this, "Text2", K::TextBox, toggleState(10440)};
    vk::Control Image4{*this, "Image4", K::Image, button(0, 5640, 990, 405, "lehka", false)};
    vk::Control Image5{*this, "Image5", K::Image, button(960, 5520, 1575, 435, "stredni", false)};
    vk::Control Image6{*this, "Image6", K::Image, button(2520, 5520, 1005, 480, "tezka", false)};
    vk::Control Image7{*this, "Image7", K::Image, button(8280, 5640, 990, 405, "lehka", false)};
    vk::Control Image8{*this, "Image8", K::Image, button(9240, 5520, 1575, 435, "stredni", false)};
    vk::Control Image9{*this, "Image9", K::Image, button(10800, 5520, 1005, 480, "tezka", false)};
    vk::Control Image10{*this, "Image10", K::Image, button(1200, 7080, 1755, 465, "turbo", false)};
    vk::Control Image11{*this, "Image11", K::Image, button(8880, 7080, 1755, 465, "turbo", false)};
    vk::Control Picture1{
        *this,
        "Picture1",
        K::PictureBox,
        {.left = 1680, .top = 7680, .width = 855, .height = 735, .visible = false, .backColor = 0}};
    vk::Control Picture2{
        *this,
        "Picture2",
        K::PictureBox,
        {.left = 9360, .top = 7680, .width = 855, .height = 735, .visible = false, .backColor = 0}};
    vk::Control Text1{*this,
                      "Text1",
                      K::TextBox,
                      {.left = 3480,
                       .top = 7320,
                       .width = 4215,
                       .height = 555,
                       .foreColor = 0,
                       .backColor = selection_colours::kCodeBoxBack,
                       .font = {.name = "Arial", .size = 18, .bold = true}}};
    vk::Control Tvujkod{*this,
                        "Tvujkod",
                        K::Label,
                        {.left = 4920,
                         .top = 7920,
                         .width = 2775,
                         .height = 495,
                         .caption = "your code!!!",
                         .foreColor = selection_colours::kRewardCode,
                         .backColor = 0,
                         .font = {.name = "Arial", .size = 18}}};
    vk::ControlArray<> meno{
        *this, "meno", K::TextBox, 0, 4, [](int i) {
            static const char* names[] = {"zakrel", "UFO", "Superman", "Batman", "looser"};
            auto d = tableRow(3840, i, 1815, names[i]);
            d.enabled = false;
            return d;
        }};
    vk::ControlArray<> Label1{*this, "Label1", K::Label, 0, 4, [](int i) {
                                  auto d = tableRow(5640, i, 1575, {});
                                  d.caption = " ...................";
                                  return d;
                              }};
    vk::ControlArray<> skore{*this, "skore", K::Label, 0, 4, [](int i) {
                                 static const char* points[] = {"100", "50", "20", "10", "5"};
                                 auto d = tableRow(7200, i, i == 0 ? 615 : 495, {});
                                 d.caption = points[i];
                                 return d;
                             }};
    vk::Control Label2{*this,
                       "Label2",
                       K::Label,
                       {.left = 3720,
                        .top = 3360,
                        .width = 615,
                        .height = 255,
                        .visible = false,
                        .caption = "Label2"}};
    // Statistics copied from the match state store; they stay hidden.
    vk::Control Label3{*this, "Label3", K::Label, statistic(2880, 7320, 0, 615)};
    vk::Control Label4{*this, "Label4", K::Label, statistic(7800, 7320, 0, 615)};
    vk::Control Label5{*this, "Label5", K::Label, statistic(360, 6000, 0xC000)};
    vk::Control Label6{*this, "Label6", K::Label, statistic(1560, 6000, 0xC0C0)};
    vk::Control Label7{*this, "Label7", K::Label, statistic(2880, 6000, 0x40C0)};
    vk::Control Label8{*this, "Label8", K::Label, statistic(8640, 6000, 0xC000)};
    vk::Control Label9{*this, "Label9", K::Label, statistic(9840, 6000, 0xC0C0)};
    vk::Control Label10{*this, "Label10", K::Label, statistic(11160, 6000, 0x40C0)};
    vk::Control Label11{*this, "Label11", K::Label, statistic(360, 6480, 0x8000)};
    vk::Control Label12{*this, "Label12", K::Label, statistic(1560, 6480, 0x8080)};
    vk::Control Label13{*this, "Label13", K::Label, statistic(2880, 6480, 0xC0)};
    vk::Control Label16{*this, "Label16", K::Label, statistic(8640, 6480, 0x8000)};
    vk::Control Label17{*this, "Label17", K::Label, statistic(9840, 6480, 0x8080)};
    vk::Control Label18{*this, "Label18", K::Label, statistic(11160, 6480, 0xC0)};
    vk::Control hrac{*this,
                     "hrac",
                     K::Image,
                     {.left = 3480, .top = 480, .width = 1695, .height = 2175, .visible = false}};
    vk::Control srac{*this,
                     "srac",
                     K::Image,
                     {.left = 6120, .top = 480, .width = 2055, .height = 2535, .visible = false}};
    vk::Control Picture3{
        *this,
        "Picture3",
        K::PictureBox,
        {.left = 2760, .top = 0, .width = 2085, .height = 1680, .visible = false, .backColor = 0}};
    vk::Control Image12{*this, "Image12", K::Image, button(3480, 7920, 1365, 420, "info")};
    vk::Control Image13{*this, "Image13", K::Image, button(8400, 8520, 3360, 435, "mail")};
    vk::Control Image15{*this, "Image15", K::Image, button(120, 8520, 3660, 345, "web")};
    vk::Control Image14{*this, "Image14", K::Image, button(120, 7800, 840, 480, "konec")};
    vk::Control VYM{*this,
                    "VYM",
                    K::CommandButton,
                    {.left = 2760,
                     .top = 7920,
                     .width = 615,
                     .height = 495,
                     .visible = false,
                     .caption = "VYM"}};
    // The rosters, and in front of them the question-mark covers of locked fighters.
    Portraits portraits{*this};
    vk::ControlArray<> levejotaznik1{
        *this, "levejotaznik1", K::PictureBox, 0, 11, [](int i) { return cover(Side::Left, i); }};
    vk::ControlArray<> pravejotaznik1{
        *this, "pravejotaznik1", K::PictureBox, 0, 11, [](int i) { return cover(Side::Right, i); }};
    vk::Control Shape2{*this, "Shape2", K::Shape, dropDesign(2520, 1200)};
    vk::Control Shape3{*this, "Shape3", K::Shape, dropDesign(7920, 3600)};
    vk::Control Shape4{*this, "Shape4", K::Shape, dropDesign(6120, 8640)};
    vk::Control Shape5{*this, "Shape5", K::Shape, dropDesign(600, 4320)};
    vk::Control Shape6{*this, "Shape6", K::Shape, dropDesign(10080, 360)};

    vk::Timer Timer1{*this, "Timer1", {.interval = 6000}};
    vk::Timer Timer2{*this, "Timer2", {.interval = 1}};
    vk::Timer Timer3{*this, "Timer3", {.interval = 0}};
    vk::Timer Timer4{*this, "Timer4", {.interval = 1000}};
    vk::Timer Timer6{*this, "Timer6", {.enabled = false, .interval = 0}};
    vk::Timer Timer7{*this, "Timer7", {.interval = 100}};
    vk::Timer Timer8{*this, "Timer8", {.interval = 1000}};
    vk::Timer Timer9{*this, "Timer9", {.interval = 500}};

    vk::SoundChannel levej{*this, "levej", {.visible = false}};
    vk::SoundChannel pravej{*this, "pravej", {.visible = false}};
    vk::SoundChannel MMControl6{*this, "MMControl6", {.visible = false}};
    vk::SoundChannel MMControl1{*this, "MMControl1", {.visible = false}};
    vk::SoundChannel MMControl2{*this, "MMControl2", {.visible = false}};
    vk::SoundChannel video{*this, "video", {.visible = false}};

    vk::ControlArray<>& covers(Side side) {
        return side == Side::Left ? levejotaznik1 : pravejotaznik1;
    }
    // A side's turbo start button and the lives picture beside it.
    vk::Control& turboButton(Side side) { return side == Side::Left ? Image10 : Image11; }
    vk::Control& turboLives(Side side) { return side == Side::Left ? Picture1 : Picture2; }

  private:
    static vk::Design toggleState(float left);
    static vk::Design cover(Side side, int index);
};

// Tables of the screen's routines (picks, toggles, difficulty and turbo buttons).
struct PickSide;
struct PickExtras;
struct ComputerToggle;
struct DifficultyButton;
struct TurboButton;

// A point on the screen in twips, where a picked portrait glides to.
struct GlideTarget {
    float left = 0, top = 0;
};

class Vyberpostav : public vk::ScreenOf<VyberpostavControls>, public HighScoreTable {
  public:
    explicit Vyberpostav(Game& game);
    Game& game() const { return game_; }

    // Hand-over to the fight and the screen's other timers.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer4_Timer();
    void Timer7_Timer();
    void Timer8_Timer();
    void Timer9_Timer();

    // A fighter's pick (its portrait's click) and preview (its portrait's mouse move).
    void pick(const Fighter& fighter);
    void preview(const Fighter& fighter);

    // Computer toggles and difficulty buttons.
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image5_Click();
    void Image6_Click();
    void Image7_Click();
    void Image8_Click();
    void Image9_Click();
    void ObtiznostL();
    void easyl();
    void midlel();

    // Turbo start buttons.
    void Image10_Click();
    void Image11_Click();

    // Info button and links.
    void Image12_Click();
    void Image13_Click();
    void Image15_Click();

    // The turbo ladder's layout of each roster and the unlock rewards.
    void odemknutihracu();
    void presunl();
    void presunp();
    void zaplejl();
    void zaplejp();

    // The code box, its prompt blink, the high-score row of the name entry, the exit and
    // the deletion of the saved progress.
    void Text1_Change();
    void Text1_Click();
    void Timer3_Timer();
    void Timer6_Timer();
    void Image14_Click();
    void VYM_Click();

    GlideTarget leftGlideTarget, rightGlideTarget;
    // 0 until the first load has opened the selection sound, 1 from then on.
    int soundFlag = 0;
    // The step of the glide in progress; one counter for every glide of the screen, so a
    // glide run inside another leaves it past the end of the outer one.
    int glideStep = 0;
    // The button pulse: 1 shrinks the buttons, 2 gives back their design sizes.
    int pulseCount = 0;
    // The code box's prompt blink: 2 shows the Czech prompt, 3 the English one.
    int blinkCount = 0;

    vk::Control& nameBox(int row) override;
    vk::Control& pointsLabel(int row) override;

  protected:
    void Form_Load() override;

  private:
    void copyStatistics();
    void openSoundChannels();
    void showLives(vk::Control& picture, vk::Control& lives, vk::Control& turbo);
    void startNameEntry(vk::Control& points);
    void hideCovers(Side side);
    void exposePortraits();

    // Moves `item` to `target` in `steps` steps, counted in glideStep. Returns false when
    // the screen was unloaded while pending events ran: nothing of it may be touched then.
    bool glide(vk::Control& item, const GlideTarget& target, int steps, bool letEventsRun,
               vk::Micros stepTime);
    void clickSound();

    void turboTick(const Fighter& fighter, const PickSide& side, const PickExtras& extras);
    void loadPictures(const Fighter& fighter, const PickSide& side, const PickExtras& extras);
    void applyTopRule(const Fighter& fighter, vk::Control& sprite);
    void writeNames(const Fighter& fighter, const PickSide& side);
    void lockLeftRoster(VyberpostavControls& c);
    void showPreview(vk::Control& image, const std::string& file);

    void toggleComputer(const ComputerToggle& toggle);
    void chooseDifficulty(const DifficultyButton& button);
    void startTurbo(const TurboButton& button);

    // The ladder of the roster of `side`: its set-up for the current step and its glides.
    void prepareLadder(Side side);
    void layOutLadder(Side side);

    Game& game_;
};

}  // namespace vorkala
