// The generated data folder against the roster and the fight: every file a roster row,
// the fight or the ladder names exists, is found by the game's own lookup, and decodes
// with the properties the fight relies on. Also the fight tracks.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fight_music.h"
#include "image.h"
#include "roster_files.h"
#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "select/roster.h"
#include "whole_game.h"

namespace vk::gen {
namespace {

// ---- reading the data folder --------------------------------------------------------

const DataFiles& dataFiles() {
    static const DataFiles files(defaultProgramFolder());
    return files;
}

Bytes readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Resolves a name as the game does and reads the file; fails the test when it is missing.
std::optional<Bytes> gameFile(const std::string& name) {
    const auto path = dataFiles().resolve(name);
    if (!path) {
        ADD_FAILURE() << "no file for " << name;
        return std::nullopt;
    }
    return readAll(*path);
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;

    Color at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool visible(int x, int y) const { return alphaOf(at(x, y)) > 0; }
};

// Pixels through libpng, after checking that the game's picture decoder reads the size.
std::optional<Picture> gamePicture(const std::string& name) {
    const auto path = dataFiles().resolve(name);
    if (!path) {
        ADD_FAILURE() << "no picture for " << name;
        return std::nullopt;
    }
    HeaderPictureDecoder decoder;
    const auto header = decoder.decode(*path);
    if (!header) {
        ADD_FAILURE() << "the game cannot read " << name;
        return std::nullopt;
    }
    const Bytes file = readAll(*path);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        ADD_FAILURE() << name << ": " << image.message;
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr);
    Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    EXPECT_EQ(header->width, picture.width) << name;
    EXPECT_EQ(header->height, picture.height) << name;
    for (std::size_t i = 0; i < bytes.size(); i += 4)
        picture.pixels.push_back(rgba(bytes[i], bytes[i + 1], bytes[i + 2], bytes[i + 3]));
    return picture;
}

std::uint32_t u32At(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}
std::uint16_t u16At(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// Seconds of a 22050 Hz mono 16-bit PCM file; fails the test on any other header.
double wavSeconds(const Bytes& wav, const std::string& name) {
    if (wav.size() < 44 || std::string(wav.begin(), wav.begin() + 4) != "RIFF" ||
        std::string(wav.begin() + 8, wav.begin() + 16) != "WAVEfmt ") {
        ADD_FAILURE() << name << " is not a WAVE file";
        return 0;
    }
    EXPECT_EQ(u16At(wav, 20), 1) << name;
    EXPECT_EQ(u16At(wav, 22), 1) << name;
    EXPECT_EQ(u32At(wav, 24), 22050u) << name;
    EXPECT_EQ(u16At(wav, 34), 16) << name;
    EXPECT_EQ(u32At(wav, 40), wav.size() - 44) << name;
    return (wav.size() - 44) / 2.0 / 22050.0;
}

// ---- fighters -----------------------------------------------------------------------

// Where the game puts a fighter's pictures, in pixels: the fight's sprite once gravity has
// settled it on the ground line, and the finishing sprite where the pick left it.
struct SpriteTops {
    double fight = 0;
    double finishing = 0;
};
SpriteTops spriteTops(const vorkala::Fighter& f) {
    vorkala::testing::WholeGame game(defaultProgramFolder());
    game.startToSelection();
    game.call(game.game.vyberpostav(), std::string(f.code) + "_Click");
    game.advanceMs(1500);
    const auto& fight = game.game.boj().ui();
    const bool left = f.side == vorkala::Side::Left;
    return {(left ? fight.prvni : fight.druhej).top() / 15.0,
            (left ? fight.Image1 : fight.Image2).top() / 15.0};
}

// The finishing sequence ends with the loser lying and the winner's fist up, shown by the
// finishing sprites; every other pose stands in the fight.
bool shownByFinishingSprite(int pose) { return pose == 2 || pose == 20; }

struct Box {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};
// The box around the pixels of the first `rows` rows that pass `wanted`.
template <class Wanted>
Box boxWhere(const Picture& p, int rows, Wanted wanted) {
    Box box;
    for (int y = 0; y < std::min(rows, p.height); ++y)
        for (int x = 0; x < p.width; ++x)
            if (wanted(p.at(x, y))) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}
Box visibleBox(const Picture& p) {
    return boxWhere(p, p.height, [](Color c) { return alphaOf(c) > 0; });
}

// Centre of the visible pixels of the lowest rows: where the figure stands.
double feetCentre(const Picture& p, const Box& box) {
    double sum = 0;
    int count = 0;
    for (int y = box.bottom - 8; y <= box.bottom; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.visible(x, y)) {
                sum += x;
                ++count;
            }
    return count ? sum / count : 0;
}

constexpr double kFloor = 510;

TEST(RosterArt, EveryPoseStandsOnTheFloorFacingTheOpponent) {
    for (const vorkala::Fighter& f : vorkala::roster()) {
        SCOPED_TRACE(f.code);
        const bool facingRight = f.side == vorkala::Side::Left;
        const SpriteTops tops = spriteTops(f);
        std::optional<int> height;
        for (const int pose : vorkala::kPoseIndices) {
            SCOPED_TRACE(pose);
            const auto picture = gamePicture(vorkala::poseFile(f, pose));
            if (!picture) continue;
            // One size for all poses of a fighter, taller than wide.
            if (!height) height = picture->height;
            EXPECT_EQ(picture->height, *height);
            EXPECT_GT(picture->height, picture->width);
            // The fight background shows around the figure.
            const int right = picture->width - 1, bottom = picture->height - 1;
            for (const auto& [x, y] : {std::pair{0, 0}, std::pair{right, 0}, std::pair{0, bottom},
                                       std::pair{right, bottom}})
                EXPECT_FALSE(picture->visible(x, y)) << x << "," << y;
            const Box box = visibleBox(*picture);
            ASSERT_GE(box.right, 0) << "empty picture";
            EXPECT_GT(box.left, 0);
            EXPECT_LT(box.right, picture->width - 1);
            // Feet (or the lying body) on the floor line where the game shows the pose,
            // except in the air.
            const double lowest =
                (shownByFinishingSprite(pose) ? tops.finishing : tops.fight) + box.bottom;
            if (pose == 16)
                EXPECT_LT(lowest, kFloor - 10);
            else
                EXPECT_NEAR(lowest, kFloor, 4);
            // A blow reaches out towards the opponent.
            if (pose == 5 || pose == 11) {
                const double feet = feetCentre(*picture, box);
                const double forward = facingRight ? box.right - feet : feet - box.left;
                const double backward = facingRight ? feet - box.left : box.right - feet;
                EXPECT_GT(forward, backward * 1.2);
            }
            // Lying down: wider than high.
            if (pose == 2) {
                EXPECT_GT(box.right - box.left, (box.bottom - box.top) * 2);
            }
        }
    }
}

TEST(RosterArt, FacesPortraitsAndPreviewsHaveTheirSizes) {
    for (const vorkala::Fighter& f : vorkala::roster()) {
        SCOPED_TRACE(f.code);
        for (const std::string& face : {vorkala::winFaceFile(f), vorkala::loseFaceFile(f)}) {
            const auto picture = gamePicture(face);
            if (!picture) continue;
            EXPECT_EQ(picture->width, 150);
            EXPECT_EQ(picture->height, 150);
        }
        if (const auto portrait = gamePicture(vorkala::portraitPicture(f))) {
            EXPECT_EQ(portrait->width * 15, vorkala::kPortraitSize);
            EXPECT_EQ(portrait->height * 15, vorkala::kPortraitSize);
        }
        // The preview is the stance picture, whatever the letter case of its name.
        EXPECT_EQ(dataFiles().resolve(vorkala::previewFile(f)),
                  dataFiles().resolve(vorkala::poseFile(f, 0)));
    }
}

TEST(RosterArt, WinnerAndLoserFacesDiffer) {
    for (const vorkala::Fighter& f : vorkala::roster()) {
        SCOPED_TRACE(f.code);
        const auto winner = gameFile(vorkala::winFaceFile(f));
        const auto loser = gameFile(vorkala::loseFaceFile(f));
        if (winner && loser) {
            EXPECT_NE(*winner, *loser);
        }
    }
}

TEST(RosterArt, BackgroundsFillTheScreenWithADarkerBandAtTheTop) {
    auto brightness = [](const Picture& p, int fromRow, int toRow) {
        double sum = 0;
        for (int y = fromRow; y < toRow; ++y)
            for (int x = 0; x < p.width; ++x) {
                const Color c = p.at(x, y);
                sum += redOf(c) + greenOf(c) + blueOf(c);
            }
        return sum / ((toRow - fromRow) * p.width);
    };
    std::set<std::string> checked;
    for (const vorkala::Fighter& f : vorkala::roster()) {
        if (!checked.insert(f.background).second) continue;
        SCOPED_TRACE(f.background);
        const auto picture = gamePicture(f.background);
        if (!picture) continue;
        EXPECT_EQ(picture->width, 800);
        EXPECT_EQ(picture->height, 600);
        EXPECT_TRUE(std::all_of(picture->pixels.begin(), picture->pixels.end(),
                                [](Color c) { return alphaOf(c) == 255; }));
        EXPECT_LT(brightness(*picture, 0, 40), brightness(*picture, 100, 500));
    }
}

TEST(RosterArt, FightersOfOneRosterLookDifferent) {
    std::map<Bytes, std::string> stances;
    for (const vorkala::Fighter& f : vorkala::roster()) {
        const auto stance = gameFile(vorkala::poseFile(f, 0));
        if (!stance) continue;
        const auto [other, fresh] = stances.emplace(*stance, f.code);
        EXPECT_TRUE(fresh) << f.code << " looks like " << other->second;
    }
}

TEST(RosterArt, VoicesAreShortShoutsOfTheirOwn) {
    std::map<std::string, Bytes> voices;  // fighters sharing a voice file share the sound
    for (const vorkala::Fighter& f : vorkala::roster()) {
        SCOPED_TRACE(f.code);
        const auto wav = gameFile(vorkala::voiceFile(f));
        if (!wav) continue;
        const double seconds = wavSeconds(*wav, f.voice);
        EXPECT_GE(seconds, 0.3);
        EXPECT_LE(seconds, 1.0);
        voices.emplace(f.voice, *wav);
    }
    std::set<Bytes> distinct;
    for (const auto& [name, wav] : voices) distinct.insert(wav);
    EXPECT_EQ(distinct.size(), voices.size());
}

// ---- the title picture --------------------------------------------------------------

// A control's place on the screen in pixels, edges included.
Box pixelBox(const vk::Control& c) {
    const auto px = [](float twips) { return static_cast<int>(std::lround(twips / 15.0f)); };
    return {px(c.left()), px(c.left() + c.width()) - 1, px(c.top()), px(c.top() + c.height()) - 1};
}
bool meet(const Box& a, const Box& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

TEST(MenuArt, TheTitlesNameStandsClearOfTheLinkPictures) {
    const auto title = gamePicture("\\data\\layout\\uvodni.png");
    ASSERT_TRUE(title);
    // The name's bright letters; the sun and its embers lie lower.
    const Box letters = boxWhere(*title, 140, [](Color c) { return redOf(c) >= 200; });
    ASSERT_GE(letters.right, 0) << "no name at the top of the title";
    // The letters' dark outline and a little room around them.
    constexpr int kRoom = 6;
    const Box name{letters.left - kRoom, letters.right + kRoom, letters.top - kRoom,
                   letters.bottom + kRoom};
    vorkala::testing::WholeGame game(defaultProgramFolder());
    game.game.start();
    const auto& links = game.game.uvodni().ui();
    for (const vk::Control* link : {&links.Image4, &links.Image6})
        EXPECT_FALSE(meet(name, pixelBox(*link))) << link->name();
}

TEST(FightData, SoundsTheFightOpensAreShortEffects) {
    for (const char* name : {"Y1.wav", "N1.wav", "Y.wav", "N.wav", "5.wav", "6.wav", "7.wav"}) {
        SCOPED_TRACE(name);
        const auto wav = gameFile(std::string("\\data\\zvuk\\") + name);
        if (!wav) continue;
        const double seconds = wavSeconds(*wav, name);
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 2.0);
    }
}

TEST(FightData, TenDistinctTracksOfAboutHalfAMinute) {
    std::set<Bytes> tracks;
    for (int track = 1; track <= kFightTracks; ++track) {
        const std::string name =
            "\\data\\hudba\\" + std::string(track < 10 ? "0" : "") + std::to_string(track) + ".mp3";
        SCOPED_TRACE(name);
        const auto wav = gameFile(name);
        if (!wav) continue;
        const double seconds = wavSeconds(*wav, name);
        EXPECT_GE(seconds, 25);
        EXPECT_LE(seconds, 45);
        tracks.insert(*wav);
    }
    EXPECT_EQ(tracks.size(), static_cast<std::size_t>(kFightTracks));
}

TEST(FightData, TracksLoopOnWholeBars) {
    for (int track = 1; track <= kFightTracks; ++track) {
        const TrackPlan plan = fightTrackPlan(track);
        const double barSeconds = 4 * 60.0 / plan.beatsPerMinute;
        EXPECT_EQ(plan.bars % 4, 0);
        EXPECT_NEAR(plan.bars * barSeconds, 32, 5) << track;
    }
    const Samples first = fightTrack(1);
    const TrackPlan plan = fightTrackPlan(1);
    EXPECT_NEAR(static_cast<double>(first.size()),
                plan.bars * 4 * 60.0 / plan.beatsPerMinute * kSampleRate, 2);
    EXPECT_LE(*std::max_element(first.begin(), first.end()), 0.81f);
}

TEST(FightData, DataNamesBecomeFolderPaths) {
    EXPECT_EQ(dataOutputPath("\\data\\obr\\les2.old "), "obr/les2.old");
    EXPECT_EQ(dataOutputPath("\\data\\zvuk\\Y1.wav"), "zvuk/Y1.wav");
    EXPECT_EQ(dataOutputPath("\\data\\layout\\portrait-tk.png"), "layout/portrait-tk.png");
}

TEST(FightData, EveryListedFileIsWrittenOnce) {
    std::set<std::string> seen;
    for (const auto& list : {rosterFiles(), fightFiles()})
        for (const GeneratedFile& file : list) {
            std::string lower = file.path;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            EXPECT_TRUE(seen.insert(lower).second) << file.path;
            EXPECT_TRUE(dataFiles().resolve("\\data\\" + file.path)) << file.path;
        }
}

}  // namespace
}  // namespace vk::gen
