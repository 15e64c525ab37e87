// The fight screen's controls at design state, and the screen object itself.
#include "fight/boj.h"

#include "fight/fighter_side.h"
#include "fight/floor.h"
#include "runtime/runtime.h"
#include "shell/game.h"

namespace vorkala {

namespace {
constexpr vk::Colour kBlood = 0x0000FF;
constexpr float kFloorTop = 6960, kFloorHeight = 1335;
constexpr float kZoneLeft[] = {0, 2880, 5880, 8880};
constexpr float kZoneWidth[] = {2895, 3015, 3015, 3015};
constexpr float kDropSize = 90;
}  // namespace

vk::Design BojControls::picture(float left, float top, float width, float height,
                                const std::string& file) {
    return {.left = left,
            .top = top,
            .width = width,
            .height = height,
            .picture = file.empty() ? std::string{} : layoutPicture(file)};
}

vk::Design BojControls::hiddenPicture(float left, float top, float width, float height,
                                      const std::string& file) {
    vk::Design d = picture(left, top, width, height, file);
    d.visible = false;
    return d;
}

vk::Design BojControls::button(float left, float top, float width, float height,
                               const std::string& file) {
    return layoutButton(left, top, width, height, file);
}

vk::Design BojControls::fighter(float left, float width, float height) {
    return {.left = left, .top = kGroundLine, .width = width, .height = height, .enabled = false};
}

vk::Design BojControls::hiddenLabel(const std::string& caption, float left, float top, float width,
                                    float height) {
    return {.left = left,
            .top = top,
            .width = width,
            .height = height,
            .visible = false,
            .caption = caption};
}

vk::Design BojControls::energyBar(float x1, float x2) {
    return {.borderColor = fight_colours::kGreen,
            .borderWidth = 30,
            .x1 = x1,
            .y1 = 840,
            .x2 = x2,
            .y2 = 840};
}

vk::Design BojControls::fighterName(float left, float width) {
    return {.left = left,
            .top = 600,
            .width = width,
            .height = 495,
            .foreColor = fight_colours::kNames,
            .backOpaque = false,
            .font = {.name = "Arial", .size = 20.25f, .bold = true, .italic = true}};
}

vk::Design BojControls::floorStain(int zone) {
    return {.left = kZoneLeft[zone],
            .top = kFloorTop,
            .width = kZoneWidth[zone],
            .height = kFloorHeight};
}

vk::Design BojControls::bloodDrop(int) {
    return {.width = kDropSize,
            .height = kDropSize,
            .visible = false,
            .fillColor = kBlood,
            .filled = true,
            .borderColor = kBlood,
            .shape = vk::ShapeKind::Circle};
}

vk::Design BojControls::musicPlayerPlace() {
    return {.left = 4320, .top = 1320, .width = 15, .height = 15, .visible = false};
}

vk::PlayerSettings BojControls::musicPlayerSettings() {
    return {.autoStart = true,
            .playCount = 2,
            .volume = 50,
            .rate = 1,
            .showsInterface = false,
            .errorDialogs = false,
            .url = "\\data\\hudba\\"};
}

namespace {
// The fight's routines by name: the script driver calls them, and those named after an
// event of a control run on it.
const vk::RoutineRow<Boj> kRoutines[] = {
    {"vyhra", &Boj::vyhra},
    {"vyhral", &Boj::vyhral},
    {"doraz", &Boj::doraz},
    {"dorazit", &Boj::dorazit},
    {"dkop", &Boj::dkop},
    {"kop", &Boj::kop},
    {"dpest", &Boj::dpest},
    {"pest", &Boj::pest},
    {"SPODK", &Boj::SPODK},
    {"HK", &Boj::HK},
    {"SPEST", &Boj::SPEST},
    {"HP", &Boj::HP},
    {"zivoty1", &Boj::zivoty1},
    {"zivoty2", &Boj::zivoty2},
    {"krevprvnikop", &Boj::krevprvnikop},
    {"krevprvni", &Boj::krevprvni},
    {"krevdruhykop", &Boj::krevdruhykop},
    {"krevdruhy", &Boj::krevdruhy},
    {"krv", &Boj::krv},
    {"odlet", &Boj::odlet},
    {"odskok", &Boj::odskok},
    {"vpravo", &Boj::vpravo},
    {"vlevo", &Boj::vlevo},
    {"vl", &Boj::vl},
    {"vp", &Boj::vp},
    {"utekl", &Boj::utekl},
    {"utek", &Boj::utek},
    {"pohyb", &Boj::pohyb},
    {"poh", &Boj::poh},
    {"pohybbezcomp", &Boj::pohybbezcomp},
    {"pohbezcomp", &Boj::pohbezcomp},
    {"Timer1_Timer", &Boj::Timer1_Timer},
    {"Timer2_Timer", &Boj::Timer2_Timer},
    {"Timer3_Timer", &Boj::Timer3_Timer},
    {"Timer4_Timer", &Boj::Timer4_Timer},
    {"Timer5_Timer", &Boj::Timer5_Timer},
    {"Timer6_Timer", &Boj::Timer6_Timer},
    {"Timer7_Timer", &Boj::Timer7_Timer},
    {"Timer8_Timer", &Boj::Timer8_Timer},
    {"Timer9_Timer", &Boj::Timer9_Timer},
    {"Timer10_Timer", &Boj::Timer10_Timer},
    {"Timer11_Timer", &Boj::Timer11_Timer},
    {"Timer12_Timer", &Boj::Timer12_Timer},
    {"Timer13_Timer", &Boj::Timer13_Timer},
    {"Timer14_Timer", &Boj::Timer14_Timer},
    {"Timer15_Timer", &Boj::Timer15_Timer},
    {"Timer16_Timer", &Boj::Timer16_Timer},
    {"Timer17_Timer", &Boj::Timer17_Timer},
    {"Timer18_Timer", &Boj::Timer18_Timer},
    {"Timer19_Timer", &Boj::Timer19_Timer},
    {"Timer20_Timer", &Boj::Timer20_Timer},
    {"Timer22_Timer", &Boj::Timer22_Timer},
    {"Timer23_Timer", &Boj::Timer23_Timer},
    {"Image14_Click", &Boj::Image14_Click},
    {"Image4_Click", &Boj::Image4_Click},
    {"Image5_Click", &Boj::Image5_Click},
};

}  // namespace

BojControls::BojControls(vk::Runtime& runtime, vk::Screen& screen) : ControlSet(runtime, screen) {
    backColor = fight_colours::kBackground;
}

Boj::Boj(Game& game) : ScreenOf(game.runtime(), "boj", "Vorkala - boj"), game_(game) {
    exposeVariable("punchCounter", punchCounter);
    exposeVariable("kickCounter", kickCounter);
    exposeVariable("cekal", cekal);
    exposeVariable("cekap", cekap);
    exposeVariable("finishLeftVictim", finishLeftVictim);
    exposeVariable("finishRightVictim", finishRightVictim);
    exposeVariable("roundBannerUp", roundBannerUp);
    exposeVariable("secondsLeft", secondsLeft);
    exposeVariable("leftBarStep", leftBarStep);
    exposeVariable("rightBarStep", rightBarStep);
    exposeText("akcel", [this] { return heldActionName(kLeftFighter); });
    exposeText("akcep", [this] { return heldActionName(kRightFighter); });
    exposeVariable("skokl", skokl);
    exposeVariable("skokp", skokp);
    exposeVariable("kroky", kroky);
    exposeVariable("nahoda", nahoda);
    exposeVariable("frame", frame);
    exposeVariable("musicTrack", musicTrack);
    exposeRoutines(*this, kRoutines);
}

}  // namespace vorkala
