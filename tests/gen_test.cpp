// The artwork generator's building blocks: canvases, and WAV and MIDI files with consistent
// headers and chunk lengths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "image.h"
#include "layout_art.h"
#include "loudness.h"
#include "midi.h"
#include "music.h"
#include "sounds.h"
#include "stain_art.h"
#include "wav.h"

namespace vk::gen {
namespace {

// ---- canvas ------------------------------------------------------------------------

TEST(Canvas, BlendsTranslucentColourOverOpaque) {
    Canvas c(1, 1, rgba(0, 0, 255));
    c.blend(0, 0, rgba(255, 0, 0, 128));
    EXPECT_EQ(c.at(0, 0), rgba(128, 0, 127, 255));
}

TEST(Canvas, DownscaleDoesNotDarkenEdgesAgainstTransparency) {
    Canvas c(2, 2);
    c.set(0, 0, rgba(255, 255, 255));
    EXPECT_EQ(c.downscaled(2).at(0, 0), rgba(255, 255, 255, 64));
}

TEST(Canvas, DrawingOutsideTheCanvasIsClipped) {
    Canvas c(4, 4);
    c.fillRect(-10, 2, 100, 100, rgba(9, 9, 9));
    EXPECT_EQ(c.at(0, 1), kTransparent);
    EXPECT_EQ(c.at(3, 3), rgba(9, 9, 9));
}

int visiblePixels(const Canvas& c) {
    int count = 0;
    for (const Color p : c.pixels()) count += alphaOf(p) != 0;
    return count;
}

TEST(Canvas, ShapesCoverTheirArea) {
    struct Case {
        const char* name;
        void (*draw)(Canvas&);
        double area;
    };
    const std::vector<Case> cases = {
        {"circle",
         [](Canvas& c) {
             c.fillCircle({50, 50}, 20, rgba(255, 255, 255));
         },
         3.14159 * 400},
        {"ellipse",
         [](Canvas& c) {
             c.fillEllipse({50, 50}, 30, 10, rgba(255, 255, 255));
         },
         3.14159 * 300},
        {"triangle",
         [](Canvas& c) {
             c.fillPolygon({{10, 10}, {90, 10}, {10, 70}}, rgba(255, 255, 255));
         },
         80 * 60 / 2.0},
        {"square frame", [](Canvas& c) { c.frameRect(10, 10, 40, 40, rgba(255, 255, 255), 3); },
         40 * 40 - 34 * 34},
        {"thick line",
         [](Canvas& c) {
             c.line({20, 50}, {80, 50}, 4, rgba(255, 255, 255));
         },
         60 * 4 + 3.14159 * 4},
    };
    for (const Case& shape : cases) {
        Canvas c(100, 100);
        shape.draw(c);
        EXPECT_NEAR(visiblePixels(c), shape.area, shape.area * 0.01) << shape.name;
    }
}

TEST(Font, CzechLettersAreDrawnWithoutAccents) {
    const TextStyle style = TextStyle::scaled(2);
    EXPECT_EQ(textWidth("Žlutý kůň", style), textWidth("Zluty kun", style));
    Canvas accented(60, 20);
    Canvas plain(60, 20);
    accented.drawText(0, 0, "Říše", rgba(255, 255, 255));
    plain.drawText(0, 0, "Rise", rgba(255, 255, 255));
    EXPECT_EQ(accented.pixels(), plain.pixels());
}

TEST(Font, TextFillsItsMeasuredBox) {
    const TextStyle style = TextStyle::scaled(3);
    Canvas c(40, 30);
    c.drawText(0, 0, "H", rgba(255, 255, 255), style);
    ASSERT_EQ(textWidth("H", style), 15);
    ASSERT_EQ(textCapHeight(style), 21);
    EXPECT_NE(c.at(0, 0), kTransparent);    // top-left corner of the box
    EXPECT_NE(c.at(14, 20), kTransparent);  // bottom-right corner
    EXPECT_EQ(c.at(15, 20), kTransparent);
    EXPECT_EQ(c.at(14, 21), kTransparent);
    EXPECT_EQ(c.at(7, 3), kTransparent);  // between the stems
}

TEST(Font, RejectsCharactersItCannotDraw) {
    for (const char* text : {"\t", "100 \xE2\x82\xAC", "#"}) {
        EXPECT_THROW(textWidth(text, {}), std::invalid_argument) << text;
    }
}

TEST(BloodStain, GrowsStageByStageInsideATransparentMargin) {
    int previous = 0;
    for (int stage = 0; stage < kStainStages; ++stage) {
        SCOPED_TRACE(stage);
        const Canvas stain = bloodStain(stage);
        ASSERT_EQ(stain.width(), kStainWidth);
        ASSERT_EQ(stain.height(), kStainHeight);
        const int covered = visiblePixels(stain);
        EXPECT_GT(covered, previous);
        previous = covered;
        for (int x = 0; x < kStainWidth; ++x) {
            EXPECT_EQ(stain.at(x, 0), kTransparent);
            EXPECT_EQ(stain.at(x, kStainHeight - 1), kTransparent);
        }
        for (int y = 0; y < kStainHeight; ++y) {
            EXPECT_EQ(stain.at(0, y), kTransparent);
            EXPECT_EQ(stain.at(kStainWidth - 1, y), kTransparent);
        }
        for (const Color p : stain.pixels()) {
            if (alphaOf(p) == 0) continue;
            ASSERT_GT(redOf(p), greenOf(p) + blueOf(p)) << "blood is red";
            ASSERT_LT(redOf(p), 200) << "and dark";
        }
    }
    EXPECT_GT(previous, 10 * visiblePixels(bloodStain(0)));
    EXPECT_THROW(bloodStain(kStainStages), std::out_of_range);
}

// ---- menu artwork --------------------------------------------------------------------

TEST(ComboPicture, ABoldWordOnATransparentGround) {
    const Canvas combo = comboArt();
    ASSERT_EQ(combo.width(), 186);
    ASSERT_EQ(combo.height(), 46);
    for (const auto& [x, y] : {std::pair{0, 0}, {185, 0}, {0, 45}, {185, 45}, {93, 1}})
        EXPECT_EQ(alphaOf(combo.at(x, y)), 0) << x << "," << y;
    // The word fills most of the width.
    int left = combo.width(), right = -1;
    for (int y = 0; y < combo.height(); ++y)
        for (int x = 0; x < combo.width(); ++x)
            if (alphaOf(combo.at(x, y)) == 255)
                left = std::min(left, x), right = std::max(right, x);
    EXPECT_GT(right - left, 120);
    EXPECT_GT(visiblePixels(combo), 186 * 46 / 5);
}

TEST(HelpPicture, LeavesTheOkButtonsPlaceClear) {
    const Canvas help = helpArt();
    ASSERT_EQ(help.width(), 784);
    ASSERT_EQ(help.height(), 562);
    // The info screen's OK button, pulsing up to 104 x 68 pixels from (344, 240) of the
    // 800 x 600 window, over the picture stretched to that window.
    const int x0 = 344 * 784 / 800 - 4, x1 = (344 + 104) * 784 / 800 + 4;
    const int y0 = 240 * 562 / 600 - 4, y1 = (240 + 68) * 562 / 600 + 4;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Color p = help.at(x, y);
            ASSERT_LT(redOf(p) + greenOf(p) + blueOf(p), 240) << "lettering at " << x << "," << y;
        }
}

// ---- WAV ---------------------------------------------------------------------------

std::uint32_t u32At(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t u16At(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::string tagAt(const Bytes& b, std::size_t at) {
    return std::string(b.begin() + at, b.begin() + at + 4);
}

TEST(WavEncoder, WritesPcmHeaderAndClippedSamples) {
    const Bytes wav = encodeWav({0.0f, 1.0f, -1.0f, 0.5f, 2.0f});
    ASSERT_EQ(wav.size(), 44u + 10u);
    EXPECT_EQ(tagAt(wav, 0), "RIFF");
    EXPECT_EQ(u32At(wav, 4), wav.size() - 8);
    EXPECT_EQ(tagAt(wav, 8), "WAVE");
    EXPECT_EQ(tagAt(wav, 12), "fmt ");
    EXPECT_EQ(u32At(wav, 16), 16u);
    EXPECT_EQ(u16At(wav, 20), 1);  // PCM
    EXPECT_EQ(u16At(wav, 22), 1);  // mono
    EXPECT_EQ(u32At(wav, 24), 22050u);
    EXPECT_EQ(u32At(wav, 28), 44100u);  // bytes per second
    EXPECT_EQ(u16At(wav, 32), 2);       // block align
    EXPECT_EQ(u16At(wav, 34), 16);      // bits per sample
    EXPECT_EQ(tagAt(wav, 36), "data");
    EXPECT_EQ(u32At(wav, 40), 10u);
    const std::vector<std::int16_t> expected = {0, 32767, -32767, 16384, 32767};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(static_cast<std::int16_t>(u16At(wav, 44 + 2 * i)), expected[i]) << i;
    }
}

int zeroCrossings(const Samples& s, std::size_t from, std::size_t to) {
    int count = 0;
    for (std::size_t i = from + 1; i < to; ++i) count += (s[i - 1] < 0) != (s[i] < 0);
    return count;
}

TEST(Synth, SweepGlidesFromStartToEndPitch) {
    const Samples s = sweep(Wave::Sine, 200, 800, 1.0, {0.01, 0.0, 1.0, 0.01}, 0.5);
    ASSERT_EQ(s.size(), static_cast<std::size_t>(kSampleRate));
    const std::size_t tenth = s.size() / 10;
    // Exponential glide: the first tenth sits near 230 Hz, the last near 760 Hz.
    EXPECT_NEAR(zeroCrossings(s, 0, tenth) / 2.0 / 0.1, 230, 25);
    EXPECT_NEAR(zeroCrossings(s, s.size() - tenth, s.size()) / 2.0 / 0.1, 760, 40);
}

TEST(Synth, MixingLaterGrowsTheSoundAndAdds) {
    Samples target(kSampleRate / 10, 0.25f);
    const Samples source(kSampleRate / 10, 0.5f);
    mixInto(target, source, 0.05, 0.5);
    EXPECT_NEAR(lengthInSeconds(target), 0.15, 1e-3);
    EXPECT_FLOAT_EQ(target.front(), 0.25f);
    EXPECT_FLOAT_EQ(target[kSampleRate / 10 - 1], 0.5f);
    EXPECT_FLOAT_EQ(target.back(), 0.25f);
}

TEST(Sounds, EffectsHaveTheirLengthsAndStayInRange) {
    struct Case {
        const char* name;
        Samples samples;
        double seconds;
    };
    const std::vector<Case> cases = {{"logo", logoSting(), 1.5},
                                     {"cheer", startCheer(), 0.6},
                                     {"click", metalClick(), 0.1},
                                     {"whoosh", selectWhoosh(), 0.8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(lengthInSeconds(c.samples), c.seconds, 1e-3);
        float peak = 0;
        for (const float s : c.samples) peak = std::max(peak, std::abs(s));
        EXPECT_GT(peak, 0.2f);
        EXPECT_LE(peak, 1.0f);
        EXPECT_LT(std::abs(c.samples.back()), 0.05f);  // fades out instead of clicking off
    }
}

// A full-scale 1 kHz sine measures -3 LUFS in one channel (BS.1770's own reference), each
// halving of the amplitude 6 dB less, each further channel 3 dB more; a short sound's
// loudest moment is its 400 ms window padded with silence.
TEST(Loudness, MeasuresAsTheStandardReferenceSignalsRead) {
    struct Case {
        float amplitude;
        int channels;
        double seconds;
        double integrated, loudestMoment;
    };
    const std::vector<Case> cases = {{1.0f, 1, 2.0, -3.01, -3.01},
                                     {0.5f, 1, 2.0, -9.03, -9.03},
                                     {1.0f, 2, 2.0, 0.0, 0.0},
                                     {1.0f, 1, 0.1, -9.03, -9.03},
                                     {0.0f, 1, 1.0, kSilence, kSilence}};
    constexpr int kRate = 48000;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.amplitude << " x " << c.channels << " channels, " << c.seconds << " s");
        std::vector<float> signal;
        for (int i = 0; i < static_cast<int>(c.seconds * kRate); ++i)
            for (int ch = 0; ch < c.channels; ++ch)
                signal.push_back(c.amplitude * static_cast<float>(std::sin(2 * std::numbers::pi *
                                                                           1000 * i / kRate)));
        const Loudness measured = measureLoudness(signal, c.channels, kRate);
        EXPECT_NEAR(measured.integrated, c.integrated, 0.1);
        EXPECT_NEAR(measured.loudestMoment, c.loudestMoment, 0.1);
    }
}

// ---- MIDI --------------------------------------------------------------------------

TEST(Midi, VariableLengthQuantities) {
    const std::vector<std::pair<std::uint32_t, Bytes>> cases = {
        {0, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& [value, expected] : cases) {
        Bytes out;
        appendVariableLength(out, value);
        EXPECT_EQ(out, expected) << value;
    }
}

TEST(Midi, TrackIsWrittenInTimeOrderWithNoteOffsFirst) {
    MidiTrack track;
    track.note(10, 0, 62, 90, 5);
    track.note(0, 0, 60, 100, 10);
    track.program(0, 1, 33);
    const Bytes expected = {'M', 'T',  'r', 'k',  0, 0,    0,    23, 0, 0x90, 60, 100,  // at 0
                            0,   0xC1, 33,         // at 0, in the order added
                            10,  0x80, 60,  0x40,  // at 10 the first note stops...
                            0,   0x90, 62,  90,    // ...before the next starts
                            5,   0x80, 62,  0x40, 0, 0xFF, 0x2F, 0};
    EXPECT_EQ(track.encode(), expected);
}

std::uint32_t u32BE(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

TEST(Midi, FileHeaderAndChunksAreConsistent) {
    const Bytes single = encodeMidi({96, {MidiTrack("one")}});
    EXPECT_EQ(single[9], 0);  // format 0 for a single track

    const Bytes file = encodeMidi(menuTune());
    ASSERT_GE(file.size(), 14u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "MThd");
    EXPECT_EQ(u32BE(file, 4), 6u);
    EXPECT_EQ(file[9], 1);  // format 1
    const int tracks = file[10] << 8 | file[11];
    EXPECT_EQ(tracks, 5);
    // The track chunks follow one another exactly to the end of the file, each closed by
    // an end-of-track event.
    std::size_t at = 14;
    for (int t = 0; t < tracks; ++t) {
        ASSERT_LE(at + 8, file.size());
        EXPECT_EQ(std::string(file.begin() + at, file.begin() + at + 4), "MTrk");
        const std::size_t end = at + 8 + u32BE(file, at + 4);
        ASSERT_LE(end, file.size());
        EXPECT_EQ(Bytes(file.begin() + end - 3, file.begin() + end), (Bytes{0xFF, 0x2F, 0x00}));
        at = end;
    }
    EXPECT_EQ(at, file.size());
}

TEST(Music, MenuTuneLoopsOnABarLineOfTheRightLength) {
    const MidiFile tune = menuTune();
    const double seconds =
        tune.tracks.front().lastTick() / double(tune.ticksPerQuarter) * 60.0 / 140.0;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 30.0);
    for (const MidiTrack& track : tune.tracks) {
        EXPECT_EQ(track.lastTick(), tune.tracks.front().lastTick());
        EXPECT_EQ(track.lastTick() % (4 * tune.ticksPerQuarter), 0u);
    }
}

TEST(Music, PartsAreReadFromNoteNames) {
    const std::vector<WrittenNote> part = parsePart("C4:4 A4:2 -:2 C#5:1 Bb3:8");
    const std::vector<std::pair<int, int>> expected = {{60, 4}, {69, 2}, {-1, 2}, {73, 1}, {58, 8}};
    ASSERT_EQ(part.size(), expected.size());
    for (std::size_t i = 0; i < part.size(); ++i) {
        EXPECT_EQ(part[i].key, expected[i].first);
        EXPECT_EQ(part[i].sixteenths, expected[i].second);
    }
    for (const char* bad : {"H4:2", "C4", "C4:0", ":4"}) {
        EXPECT_THROW(parsePart(bad), std::invalid_argument) << bad;
    }
}

}  // namespace
}  // namespace vk::gen
