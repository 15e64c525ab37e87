#include "select/roster.h"

#include <stdexcept>

#include "shell/layout.h"

namespace vorkala {

namespace {

constexpr auto L = Side::Left;
constexpr auto R = Side::Right;
constexpr auto Plain = SuffixSet::Plain;
constexpr auto Three = SuffixSet::Three;
constexpr auto At = TopRule::Absolute;
constexpr auto By = TopRule::Relative;

// One fighter a row; a field a row leaves out keeps its default. Rows of fighters whose
// files the game's data names; `dulo`, `pan`, `Durvak`, `rak`, `xeo`, `Kuvo`, `gv`, `lirka`
// and `Robot` follow the same conventions with names of our own.
const std::vector<Fighter> kRoster{
    // clang-format off
    // Left roster.
    {.code = "tk", .side = L, .gridRow = 3, .gridColumn = 3, .cover = 0, .hiddenAtDesign = true, .displayName = "Tobik", .voice = "tobik.wav", .prefix = "tk", .suffixes = Three, .winFace = "tk.old", .loseFace = "tk2.old", .background = "\\data\\obr\\cinskazed.old", .topRule = By, .topValue = 1400, .tick = 1},
    {.code = "Gradun", .side = L, .gridRow = 3, .gridColumn = 1, .cover = 10, .displayName = "Gradun", .voice = "gradun.wav", .prefix = "Gradun", .suffixes = Plain, .replacedSuffixes = {{18, "krok"}}, .winFace = "Gradunvyhr.old", .loseFace = "Gradunprohr.old", .background = "\\data\\obr\\arkaden.old ", .topRule = At, .topValue = 3800, .tick = 50, .previewFile = "\\data\\obr\\gradunpost.old"},
    {.code = "bh", .side = L, .gridRow = 2, .gridColumn = 4, .cover = 5, .displayName = "Bohoun", .voice = "bh.wav", .prefix = "bh", .suffixes = Three, .winFace = "bh.old", .loseFace = "bh2.old", .background = "\\data\\obr\\plaz.old ", .topRule = At, .topValue = 3800, .tick = 100},
    {.code = "krt", .side = L, .gridRow = 3, .gridColumn = 2, .cover = 1, .displayName = "Karatista", .voice = "karatista.wav", .prefix = "krt", .suffixes = Plain, .winFace = "krt.old", .loseFace = "krt2.old", .background = "\\data\\obr\\krtpoz.old ", .topRule = At, .topValue = 4000, .tick = 600},
    {.code = "pz2", .side = L, .gridRow = 4, .gridColumn = 2, .displayName = "Pazdrak", .voice = "pz.wav", .prefix = "2pzo", .suffixes = Three, .replacedSuffixes = {{0, "post1"}, {1, "post2"}}, .winFace = "2pzo.old", .loseFace = "2pzo2.old", .background = "\\data\\obr\\les2.old ", .topRule = By, .topValue = 750, .tick = 1000},
    {.code = "zk", .side = L, .gridRow = 2, .gridColumn = 2, .cover = 9, .displayName = "Zakrel", .voice = "zk.wav", .prefix = "zkra", .suffixes = Three, .replacedSuffixes = {{0, "post2"}}, .winFace = "zk.old", .loseFace = "zk2.old", .background = "\\data\\obr\\telocvik.old", .topRule = By, .topValue = -2400, .tick = 50},
    {.code = "fe", .side = L, .gridRow = 2, .gridColumn = 3, .cover = 4, .displayName = "Fenelik", .voice = "fe.wav", .prefix = "fe", .suffixes = Three, .winFace = "fe.old", .loseFace = "fe2.old", .background = "\\data\\obr\\zatacka.old", .topRule = By, .topValue = 1000, .tick = 300},
    {.code = "Kuvo", .side = L, .gridRow = 1, .gridColumn = 2, .cover = 8, .displayName = "Kuvo", .voice = "kuvo.wav", .prefix = "kuvo", .suffixes = Plain, .winFace = "kuvo.old", .loseFace = "kuvo2.old", .background = "\\data\\obr\\doupe.old ", .previewFile = "\\data\\obr\\kuvopost.old"},
    {.code = "dulo", .side = L, .gridRow = 1, .gridColumn = 1, .cover = 2, .displayName = "Dulo", .voice = "dulo.wav", .prefix = "dulo", .suffixes = Plain, .winFace = "dulo.old", .loseFace = "dulo2.old", .background = "\\data\\obr\\most.old", .tick = 300},
    {.code = "pan", .side = L, .gridRow = 1, .gridColumn = 3, .cover = 3, .displayName = "Pan", .voice = "pan.wav", .prefix = "pan", .suffixes = Plain, .winFace = "pan.old", .loseFace = "pan2.old", .background = "\\data\\obr\\les1.old", .tick = 800},
    {.code = "Durvak", .side = L, .gridRow = 2, .gridColumn = 1, .cover = 6, .displayName = "Durvak", .voice = "durvak.wav", .prefix = "durvak", .suffixes = Plain, .winFace = "durvak.old", .loseFace = "durvak2.old", .background = "\\data\\obr\\arkaden.old ", .tick = 200},
    {.code = "rak", .side = L, .gridRow = 4, .gridColumn = 1, .cover = 7, .displayName = "Rak", .voice = "rak.wav", .prefix = "rak", .suffixes = Plain, .winFace = "rak.old", .loseFace = "rak2.old", .background = "\\data\\obr\\plaz.old ", .tick = 500},
    {.code = "xeo", .side = L, .gridRow = 4, .gridColumn = 3, .cover = 11, .displayName = "Xeo", .voice = "xeo.wav", .prefix = "xeo", .suffixes = Plain, .winFace = "xeo.old", .loseFace = "xeo2.old", .background = "\\data\\obr\\majovka.old", .tick = 400},
    // Right roster.
    {.code = "Zuvka", .side = R, .gridRow = 3, .gridColumn = 4, .cover = 9, .displayName = "Zuvka", .voice = "zuvka.wav", .prefix = "zuvka", .suffixes = Plain, .replacedSuffixes = {{18, "krok"}}, .winFace = "zuvkavyhrksicht.old", .loseFace = "zuvkaprohrksicht.old", .background = "\\data\\obr\\majovka.old", .topRule = At, .topValue = 4000, .tick = 10},
    {.code = "brejl", .side = R, .gridRow = 4, .gridColumn = 1, .cover = 1, .displayName = "Worm", .voice = "worm.wav", .prefix = "brejl", .suffixes = Three, .winFace = "brejl.old", .loseFace = "brejl2.old", .background = "\\data\\obr\\brejlpozadi.old ", .tick = 300},
    {.code = "rodi", .side = R, .gridRow = 3, .gridColumn = 2, .cover = 0, .hiddenAtDesign = true, .displayName = "Rodi", .voice = "rodi.wav", .prefix = "rodi", .suffixes = Three, .winFace = "rodi.old", .loseFace = "rodi2.old", .background = "\\data\\obr\\doupe.old ", .topRule = At, .topValue = 3600, .tick = 1},
    {.code = "girl", .side = R, .gridRow = 4, .gridColumn = 2, .cover = 6, .displayName = "Girl", .voice = "girl.wav", .prefix = "girl", .suffixes = Plain, .winFace = "girl.old", .loseFace = "girl2.old", .background = "\\data\\obr\\klec.old ", .topRule = At, .topValue = 4000, .tick = 50},
    {.code = "oxa", .side = R, .gridRow = 1, .gridColumn = 3, .cover = 11, .displayName = "Oxa", .voice = "oxa.wav", .prefix = "oxa", .suffixes = Plain, .replacedSuffixes = {{1, "post2"}, {2, "out"}, {17, "utek"}}, .winFace = "oxa2.old", .loseFace = "oxa.old", .background = "\\data\\obr\\les2.old ", .topRule = By, .topValue = -500, .tick = 400},
    {.code = "vst", .side = R, .gridRow = 2, .gridColumn = 2, .cover = 2, .displayName = "Vostrik", .voice = "vostrik.wav", .prefix = "vst", .suffixes = Three, .winFace = "vst.old", .loseFace = "vst2.old", .background = "\\data\\obr\\svazarm.old ", .topRule = At, .topValue = 3600, .tick = 800},
    {.code = "zetro", .side = R, .gridRow = 2, .gridColumn = 4, .cover = 8, .displayName = "Zetro", .voice = "zetro.wav", .prefix = "zetro", .suffixes = Plain, .replacedSuffixes = {{17, "utek"}}, .winFace = "zetro.old", .loseFace = "zetro2.old", .background = "\\data\\obr\\bejkarna.old", .topRule = At, .topValue = 3600, .tick = 200},
    {.code = "pz", .side = R, .gridRow = 2, .gridColumn = 1, .displayName = "Pazdrak", .voice = "pz.wav", .prefix = "pzo", .suffixes = Three, .replacedSuffixes = {{0, "post2"}}, .winFace = "pzo.old", .loseFace = "pzo2.old", .background = "\\data\\obr\\les2.old ", .topRule = By, .topValue = 300, .tick = 400},
    {.code = "rn", .side = R, .gridRow = 3, .gridColumn = 1, .cover = 4, .displayName = "Runik", .voice = "runik.wav", .prefix = "rn", .suffixes = Three, .winFace = "rn.old", .loseFace = "rn2.old", .background = "\\data\\obr\\most.old", .tick = 500},
    {.code = "tb", .side = R, .gridRow = 3, .gridColumn = 3, .cover = 7, .displayName = "Tebor", .voice = "tb.wav", .prefix = "tb", .suffixes = Three, .winFace = "tb.old", .loseFace = "tb2.old", .background = "\\data\\obr\\les1.old", .topRule = At, .topValue = 3500, .tick = 1000},
    {.code = "gv", .side = R, .gridRow = 2, .gridColumn = 3, .cover = 3, .displayName = "Gevor", .voice = "gv.wav", .prefix = "gv", .suffixes = Plain, .winFace = "gv.old", .loseFace = "gv2.old", .background = "\\data\\obr\\svazarm.old ", .tick = 600},
    {.code = "lirka", .side = R, .gridRow = 4, .gridColumn = 3, .cover = 5, .displayName = "Lirka", .voice = "lirka.wav", .prefix = "lirka", .suffixes = Plain, .winFace = "lirka.old", .loseFace = "lirka2.old", .background = "\\data\\obr\\klec.old ", .tick = 100},
    {.code = "Robot", .side = R, .gridRow = 4, .gridColumn = 4, .cover = 10, .displayName = "Robot", .voice = "robot.wav", .prefix = "robot", .suffixes = Plain, .winFace = "robot.old", .loseFace = "robot2.old", .background = "\\data\\obr\\bejkarna.old", .tick = 1},
    // clang-format on
};

const char* standardSuffix(int poseIndex, SuffixSet set) {
    const bool three = set == SuffixSet::Three;
    switch (poseIndex) {
        case 0:
            return "post";
        case 1:
            return "post1";
        case 2:
            return "mrtv";
        case 5:
            return three ? "dp3" : "dp";
        case 8:
            return three ? "hk3" : "hk";
        case 11:
            return three ? "hp3" : "hp";
        case 12:
            return "jau";
        case 15:
            return three ? "dk3" : "dk";
        case 16:
            return "skok";
        case 17:
            return "zpet";
        case 18:
            return "chuz";
        case 19:
            return "jau2";
        case 20:
            return "win";
        default:
            throw std::out_of_range("no pose " + std::to_string(poseIndex));
    }
}

const std::string kPictures = "\\data\\obr\\";

}  // namespace

const std::vector<Fighter>& roster() { return kRoster; }

const Fighter* findFighter(const std::string& code) {
    for (const Fighter& f : kRoster)
        if (code == f.code) return &f;
    return nullptr;
}

std::string poseFile(const Fighter& fighter, int poseIndex) {
    const char* suffix = standardSuffix(poseIndex, fighter.suffixes);
    for (const PoseSuffix& replaced : fighter.replacedSuffixes)
        if (replaced.index == poseIndex) suffix = replaced.suffix;
    return kPictures + fighter.prefix + suffix + ".old";
}

std::string previewFile(const Fighter& fighter) {
    return fighter.previewFile ? std::string(fighter.previewFile) : poseFile(fighter, 0);
}

std::string winFaceFile(const Fighter& fighter) { return kPictures + fighter.winFace; }
std::string loseFaceFile(const Fighter& fighter) { return kPictures + fighter.loseFace; }
std::string voiceFile(const Fighter& fighter) {
    return std::string("\\data\\zvuk\\") + fighter.voice;
}

std::string portraitPicture(const Fighter& fighter) {
    return layoutPicture(std::string("portrait-") + fighter.code);
}

float portraitLeft(const Fighter& fighter) {
    const float blockLeft = fighter.side == Side::Left ? 0.0f : 8520.0f;
    return blockLeft + 840.0f * static_cast<float>(fighter.gridColumn - 1);
}

float portraitTop(const Fighter& fighter) { return 840.0f * static_cast<float>(fighter.gridRow); }

}  // namespace vorkala
