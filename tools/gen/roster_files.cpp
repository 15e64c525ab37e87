#include "roster_files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

#include "backgrounds.h"
#include "fight_music.h"
#include "fight_sounds.h"
#include "fighter_art.h"
#include "gif_encoder.h"
#include "ladder_video.h"
#include "png_encoder.h"
#include "runtime/data_files.h"
#include "select/roster.h"
#include "wav.h"

namespace vk::gen {
namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string stemOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    return path.substr(start,
                       dot == std::string::npos || dot < start ? std::string::npos : dot - start);
}

// Collects files, keeping the first of names that differ only in letter case.
class FileList {
  public:
    void add(const std::string& gameName, std::function<Bytes()> make) {
        std::string path = dataOutputPath(gameName);
        if (!seen_.insert(lowerCase(path)).second) return;
        files_.push_back({std::move(path), std::move(make)});
    }
    std::vector<GeneratedFile> take() { return std::move(files_); }

  private:
    std::set<std::string> seen_;
    std::vector<GeneratedFile> files_;
};

std::function<Bytes()> picture(std::function<Canvas()> draw) {
    return [draw = std::move(draw)] { return encodePng(draw()); };
}
std::function<Bytes()> sound(std::function<Samples()> mix) {
    return [mix = std::move(mix)] { return encodeWav(mix()); };
}

}  // namespace

std::string dataOutputPath(std::string_view gameName) {
    std::vector<std::string> parts = splitDataName(gameName);
    if (!parts.empty() && lowerCase(parts.front()) == "data") parts.erase(parts.begin());
    std::string path;
    for (const std::string& part : parts) path += (path.empty() ? "" : "/") + part;
    return path;
}

std::vector<GeneratedFile> rosterFiles() {
    FileList files;
    for (const vorkala::Fighter& f : vorkala::roster()) {
        const vorkala::Fighter* fighter = &f;
        for (const int pose : vorkala::kPoseIndices)
            files.add(vorkala::poseFile(f, pose),
                      picture([fighter, pose] { return posePicture(*fighter, pose); }));
        files.add(vorkala::previewFile(f), picture([fighter] { return posePicture(*fighter, 0); }));
        files.add(vorkala::winFaceFile(f), picture([fighter] { return winnerFace(*fighter); }));
        files.add(vorkala::loseFaceFile(f), picture([fighter] { return loserFace(*fighter); }));
        const std::string stem = stemOf(dataOutputPath(f.background));
        files.add(f.background, picture([stem] { return fightBackground(stem); }));
        files.add(vorkala::voiceFile(f), sound([fighter] { return fighterShout(*fighter); }));
        files.add(vorkala::portraitPicture(f),
                  picture([fighter] { return portraitArt(*fighter); }));
    }
    return files.take();
}

std::vector<GeneratedFile> fightFiles() {
    FileList files;
    files.add("\\data\\zvuk\\Y.wav", sound([] { return blowWhoosh(true); }));
    files.add("\\data\\zvuk\\Y1.wav", sound([] { return blowWhoosh(false); }));
    files.add("\\data\\zvuk\\N1.wav", sound([] { return hitThud(true); }));
    files.add("\\data\\zvuk\\N.wav", sound([] { return hitThud(false); }));
    files.add("\\data\\zvuk\\6.wav", sound(crowdMurmur));
    files.add("\\data\\zvuk\\7.wav", sound(alarmBeeps));
    files.add("\\data\\zvuk\\5.wav", sound(finalGong));
    // The player picks the decoder by content: the tracks are WAV under their own names.
    for (int track = 1; track <= kFightTracks; ++track) {
        char name[32];
        std::snprintf(name, sizeof name, "\\data\\hudba\\%02d.mp3", track);
        files.add(name, sound([track] { return fightTrack(track); }));
    }
    files.add("\\data\\video\\1.old", [] { return encodeGif(victoryClip()); });
    return files.take();
}

}  // namespace vk::gen
