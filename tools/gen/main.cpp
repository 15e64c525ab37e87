// vorkala-gen OUTDIR: writes every picture, sound and tune of the game into OUTDIR.
// Runs at build time, so the output depends on nothing but this code.
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "bytes.h"
#include "fight_art.h"
#include "layout_art.h"
#include "midi.h"
#include "music.h"
#include "parallel.h"
#include "png_encoder.h"
#include "roster_files.h"
#include "sounds.h"
#include "stain_art.h"
#include "store_art.h"
#include "wav.h"
#include "widgets.h"

namespace vk::gen {
namespace {

struct Output {
    std::string path;  // relative to the output folder
    std::function<Bytes()> make;
};

// Pictures are PNG whatever their extension; the game reads them by content.
std::function<Bytes()> picture(std::function<Canvas()> draw) {
    return [draw = std::move(draw)] { return encodePng(draw()); };
}
std::function<Bytes()> button(int w, int h, std::string caption) {
    return picture([=] { return captionButton(w, h, caption); });
}
std::function<Bytes()> sound(std::function<Samples()> mixSound) {
    return [mixSound = std::move(mixSound)] { return encodeWav(mixSound()); };
}
std::function<Bytes()> music(std::function<MidiFile()> compose) {
    return [compose = std::move(compose)] { return encodeMidi(compose()); };
}

std::vector<Output> outputs() {
    std::vector<Output> all = {
        // The title, help and selection screens' own artwork.
        {"layout/uvodni.png", picture(titleArt)},
        {"layout/ok.png", button(97, 53, "OK")},
        {"layout/konec.png", button(56, 32, "END")},
        {"layout/info.png", button(91, 28, "INFO")},
        {"layout/mail.png",
         picture([] { return linkLabel(224, 29, "mail: fight@vorkala.example"); })},
        {"layout/web.png", picture([] { return linkLabel(244, 23, "www.vorkala.example"); })},
        {"layout/hlaska.png", picture(helpArt)},
        {"layout/combo.png", picture(comboArt)},
        {"layout/pc.png", picture(computerToggle)},
        {"layout/lehka.png", button(66, 27, "EASY")},
        {"layout/stredni.png", button(105, 29, "MEDIUM")},
        {"layout/tezka.png", button(67, 32, "HARD")},
        {"layout/turbo.png", button(117, 31, "TURBO")},
        {"layout/vyber.png", picture(selectionTitle)},
        {"layout/otaznik.png", picture(questionCover)},
        {"layout/kurzor.png", picture(handCursor)},
        // The fight, after-fight and loading screens' own artwork.
        {"layout/kolo.png", button(524, 254, "FIGHT!")},
        {"layout/ko.png", button(481, 158, "K.O.")},
        {"layout/stin.png", picture(fighterShadow)},
        {"layout/dalsi.png", button(172, 45, "NEXT FIGHT")},
        {"layout/nacitani.png", button(142, 36, "LOADING")},
        // Shared picture store.
        {"obr/1.old", picture([] { return livesPicture(1); })},
        {"obr/2.old", picture([] { return livesPicture(2); })},
        {"obr/3.old", picture([] { return livesPicture(3); })},
        {"obr/mrtev.old", picture(struckOffPortrait)},
        // Sounds and music.
        {"zvuk/logo.wav", sound(logoSting)},
        {"zvuk/jo.wav", sound(startCheer)},
        {"zvuk/kov.wav", sound(metalClick)},
        {"zvuk/vyber.wav", sound(selectWhoosh)},
        {"hudba/mezi.mid", music(menuTune)},
    };
    for (std::vector<GeneratedFile> more : {rosterFiles(), fightFiles()})
        for (GeneratedFile& file : more) all.push_back({file.path, std::move(file.make)});
    for (int stage = 0; stage < kStainStages; ++stage) {
        all.push_back({"layout/stain" + std::to_string(stage) + ".png",
                       picture([stage] { return bloodStain(stage); })});
    }
    return all;
}

}  // namespace
}  // namespace vk::gen

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vorkala-gen OUTDIR\n";
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    try {
        const std::vector<vk::gen::Output> all = vk::gen::outputs();
        // Folders first, so that the parallel writers never race to create one.
        for (const vk::gen::Output& output : all)
            std::filesystem::create_directories((outDir / output.path).parent_path());
        vk::gen::runInParallel(all.size(), [&](std::size_t i) {
            vk::gen::writeFile(outDir / all[i].path, all[i].make());
        });
    } catch (const std::exception& e) {
        std::cerr << "vorkala-gen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
