// The fight screen's controls at design state, and the screen object itself.
#include "fight/boj.h"

#include <utility>

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
    return {.left = left, .top = 4320, .width = width, .height = height, .enabled = false};
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
    exposeVariable("akcel", akcel);
    exposeVariable("akcep", akcep);
    exposeVariable("skokl", skokl);
    exposeVariable("skokp", skokp);
    exposeVariable("kroky", kroky);
    exposeVariable("nahoda", nahoda);
    exposeVariable("frame", frame);
    exposeVariable("musicTrack", musicTrack);
    exposeRoutine("vyhra", [this] { vyhra(); });
    exposeRoutine("vyhral", [this] { vyhral(); });
    exposeRoutine("doraz", [this] { doraz(); });
    exposeRoutine("dorazit", [this] { dorazit(); });
    const std::pair<const char*, void (Boj::*)()> engine[] = {
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
    };
    for (const auto& [name, routine] : engine)
        exposeRoutine(name, [this, routine = routine] { (this->*routine)(); });
}

void Boj::bindEvents(BojControls& c) {
    const std::pair<vk::Timer BojControls::*, void (Boj::*)()> engineTimers[] = {
        {&BojControls::Timer1, &Boj::Timer1_Timer},   {&BojControls::Timer4, &Boj::Timer4_Timer},
        {&BojControls::Timer5, &Boj::Timer5_Timer},   {&BojControls::Timer7, &Boj::Timer7_Timer},
        {&BojControls::Timer8, &Boj::Timer8_Timer},   {&BojControls::Timer10, &Boj::Timer10_Timer},
        {&BojControls::Timer11, &Boj::Timer11_Timer}, {&BojControls::Timer13, &Boj::Timer13_Timer},
        {&BojControls::Timer15, &Boj::Timer15_Timer}, {&BojControls::Timer16, &Boj::Timer16_Timer},
        {&BojControls::Timer17, &Boj::Timer17_Timer}, {&BojControls::Timer18, &Boj::Timer18_Timer},
        {&BojControls::Timer20, &Boj::Timer20_Timer}, {&BojControls::Timer22, &Boj::Timer22_Timer},
        {&BojControls::Timer23, &Boj::Timer23_Timer},
    };
    for (const auto& [timer, handler] : engineTimers)
        (c.*timer).onTimer = [this, handler = handler] { (this->*handler)(); };
    c.Timer2.onTimer = [this] { Timer2_Timer(); };
    c.Timer3.onTimer = [this] { Timer3_Timer(); };
    c.Timer6.onTimer = [this] { Timer6_Timer(); };
    c.Timer9.onTimer = [this] { Timer9_Timer(); };
    c.Timer12.onTimer = [this] { Timer12_Timer(); };
    c.Timer14.onTimer = [this] { Timer14_Timer(); };
    c.Timer19.onTimer = [this] { Timer19_Timer(); };
    c.Image14.onClick = [this] { Image14_Click(); };
    c.Image4.onClick = [this] { Image4_Click(); };
    c.Image5.onClick = [this] { Image5_Click(); };
}

}  // namespace vorkala
