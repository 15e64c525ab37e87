// The game's own message box: its text wrapped to fit the game's 800-pixel picture in the
// box's font, drawn from UTF-8 whatever the locale, and answered by keys and clicks.
#include "runtime/sdl/message_window.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "runtime/data_files.h"
#include "runtime/errors.h"
#include "runtime_test_support.h"
#include "sdl/sdl_test_support.h"

namespace vk::sdl {
namespace {

// Every byte 7 pixels wide.
int sevenPerByte(std::string_view text) { return static_cast<int>(text.size()) * 7; }

TEST(MessageWindowText, LinesBreakBetweenWordsThenAfterSlashesThenBetweenCharacters) {
    const struct {
        const char* what;
        std::string text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"fits", "File not found", 700, {"File not found"}},
        {"words", "aaa bbb ccc ddd", 49, {"aaa bbb", "ccc ddd"}},
        {"own line ends and blank lines", "one\n\ntwo  three", 700, {"one", "", "two three"}},
        {"a long path",
         "in /home/player/games/vorkala/data now",
         140,
         {"in", "/home/player/games/", "vorkala/data now"}},
        {"no place to break", "abcdefghij", 28, {"abcd", "efgh", "ij"}},
        {"characters stay whole", "\xC5\xBE\xC5\xBE\xC5\xBE", 28, {"\xC5\xBE\xC5\xBE", "\xC5\xBE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(wrapText(c.text, c.width, sevenPerByte), c.lines);
    }
}

// The words of a text in order, without its blanks and line ends.
std::string withoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\n') out.push_back(c);
    return out;
}

class MessageWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sdl.ok());
        fonts = boxFonts(book);
        ASSERT_NE(fonts.text, nullptr) << "no font for the box";
        measure = measureIn(fonts.text);
    }
    BoxLayout layOut(const std::string& text, MessageButtons buttons = MessageButtons::Ok) const {
        return layOutBox(BoxContent{"Vorkala", text, buttons, MessageIcon::Critical}, fonts);
    }

    testing::SdlSession sdl{SDL_INIT_VIDEO};
    FontBook book;
    BoxFonts fonts;
    MeasureText measure;
};

std::string runTimeError(ErrorNumber number, const std::string& detail) {
    return "Run-time error '" + std::to_string(static_cast<int>(number)) + "':\n\n" +
           RuntimeError(number, detail).what();
}

TEST_F(MessageWindowTest, EveryMessageFitsTheGamesPictureInTheBoxsFont) {
    const std::string deep =
        "/home/a-player-with-a-long-name/Games/Downloaded/vorkala-1.0/"
        "installed/share/vorkala/somewhere/deeper";
    const DataFiles files(deep);
    const std::string notice =
        "Saved progress was damaged: 3 values could not be read and start again from "
        "their first-run values. The damaged file was kept as " +
        deep + "/settings.json.corrupt-1733550000 so nothing is lost; the game saves anew.";
    const std::string messages[] = {
        runTimeError(ErrorNumber::FileNotFound,
                     files.describeMissing("\\data\\layout\\uvodni.png")),
        runTimeError(ErrorNumber::InvalidPicture,
                     "\\data\\obr\\2pzopost1.old (" + deep +
                         "/data/obr/2pzopost1.old) is 30000 x 30000 pixels, more than the "
                         "8192 a side a picture may have. Put the game's own file back"),
        notice,
        "Uložený postup je poškozen: " + deep + "/nastavení/žluťoučký-kůň.json",
    };
    for (const std::string& text : messages) {
        SCOPED_TRACE(text);
        const BoxLayout layout = layOut(text);
        EXPECT_LE(layout.width, 800);
        EXPECT_LE(layout.height, 600);
        EXPECT_GT(layout.lines.size(), 2u);
        for (const std::string& line : layout.lines) {
            EXPECT_LE(measure(line), layout.textWidth) << line;
            EXPECT_LE(layout.text.x + measure(line), layout.width) << line;
        }
        std::string shown;
        for (const std::string& line : layout.lines) shown += line;
        EXPECT_EQ(withoutBlanks(shown), withoutBlanks(text)) << "every word, in order";
        for (const SDL_Rect& button : layout.buttons) {
            EXPECT_GE(button.y,
                      layout.text.y + static_cast<int>(layout.lines.size()) * layout.lineHeight);
            EXPECT_LE(button.x + button.w, layout.width);
        }
    }
}

TEST_F(MessageWindowTest, AHugeTextFillsTheLargestBoxAndEndsInAnEllipsis) {
    std::string twoByteCharacters;
    for (int i = 0; i < 50000; ++i) twoByteCharacters += "\xC5\xBD";  // Ž
    for (const std::string& huge :
         {std::string(100000, 'W'), std::string(50000, '\n'), twoByteCharacters}) {
        const BoxLayout layout =
            layOutBox(BoxContent{"Vorkala", huge, MessageButtons::AbortRetryIgnore}, fonts);
        EXPECT_LE(layout.width, 800);
        EXPECT_LE(layout.height, 600);
        EXPECT_GT(layout.height, 500) << "the box shows as much as it can";
        const std::string& last = layout.lines.back();
        ASSERT_GE(last.size(), 3u);
        EXPECT_EQ(last.substr(last.size() - 3), "\xE2\x80\xA6");
        if (huge == twoByteCharacters) {
            EXPECT_EQ(last.size() % 2, 1u) << "whole characters before the ellipsis";
        }
        for (const std::string& line : layout.lines) EXPECT_LE(measure(line), layout.textWidth);
    }
}

// Dark pixels where the box's lines are: the text was drawn.
int inkIn(const SDL_Surface& surface, const BoxLayout& layout) {
    int ink = 0;
    const int bottom = layout.text.y + static_cast<int>(layout.lines.size()) * layout.lineHeight;
    for (int y = layout.text.y; y < bottom; ++y)
        for (int x = layout.text.x; x < surface.w; ++x) {
            const auto* row = static_cast<const Uint8*>(surface.pixels) + y * surface.pitch;
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], surface.format, &r, &g, &b);
            if (r + g + b < 200) ++ink;
        }
    return ink;
}

// The locale's character set is not UTF-8: a Czech ISO-8859-2 locale, made here when
// the system has none.
const char* latin2Locale(const std::filesystem::path& scratch) {
    static const char* kName = "cs_CZ.ISO-8859-2";
    if (std::setlocale(LC_ALL, kName)) return kName;
    const std::string make =
        "localedef -i cs_CZ -f ISO-8859-2 " + (scratch / kName).string() + " >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return nullptr;
    setenv("LOCPATH", scratch.c_str(), 1);
    const char* set = std::setlocale(LC_ALL, kName);
    return set ? kName : nullptr;
}

TEST_F(MessageWindowTest, TheTextIsDrawnFromUtf8WhateverTheLocale) {
    const BoxContent content{"Vorkala", "Uložený postup je poškozen: žluťoučký kůň úpěl",
                             MessageButtons::Ok, MessageIcon::Exclamation};
    const BoxLayout layout = layOutBox(content, fonts);
    const auto drawn = [&] {
        const SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, layout.width, layout.height, 32,
                                                                SDL_PIXELFORMAT_RGB888));
        drawBox(*surface, layout, content, fonts, 0, std::nullopt);
        const auto* bytes = static_cast<const Uint8*>(surface->pixels);
        return std::pair(inkIn(*surface, layout),
                         std::vector<Uint8>(bytes, bytes + surface->pitch * surface->h));
    };
    const auto [utf8Ink, utf8Pixels] = drawn();
    EXPECT_GT(utf8Ink, 200) << "the text is drawn";

    rttest::TempFolder scratch;
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const char* latin2 = latin2Locale(scratch.path());
    if (!latin2) GTEST_SKIP() << "no ISO-8859-2 locale can be made here";
    const auto [latin2Ink, latin2Pixels] = drawn();
    std::setlocale(LC_ALL, before.c_str());
    unsetenv("LOCPATH");
    EXPECT_EQ(latin2Ink, utf8Ink);
    EXPECT_TRUE(latin2Pixels == utf8Pixels) << "drawn alike in " << latin2;
}

SDL_Event key(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = 99;  // the game's window: keys belong to the box anyway
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event keyDown(SDL_Keycode code, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    return key(SDL_KEYDOWN, code, mod, repeat);
}

SDL_Event click(Uint32 type, Uint32 window, SDL_Point at) {
    SDL_Event event{};
    event.type = type;
    event.button.windowID = window;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = at.x;
    event.button.y = at.y;
    return event;
}

SDL_Event windowEvent(Uint32 window, Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = window;
    event.window.event = what;
    return event;
}

TEST_F(MessageWindowTest, KeysAndClicksAnswerTheBoxOtherWindowsEventsWaitForTheGame) {
    constexpr Uint32 kBox = 7;
    const BoxLayout layout = layOut("Run-time error", MessageButtons::AbortRetryIgnore);
    const auto centreOf = [&](int button) {
        const SDL_Rect& r = layout.buttons[static_cast<std::size_t>(button)];
        return SDL_Point{r.x + r.w / 2, r.y + r.h / 2};
    };
    using Answer = std::optional<MessageAnswer>;
    const struct {
        const char* what;
        std::vector<SDL_Event> events;
        Answer answer;
    } cases[] = {
        {"Enter", {keyDown(SDLK_RETURN)}, MessageAnswer::Abort},
        {"Escape", {keyDown(SDLK_ESCAPE)}, MessageAnswer::Ignore},
        {"Tab, Enter", {keyDown(SDLK_TAB), keyDown(SDLK_KP_ENTER)}, MessageAnswer::Retry},
        {"Shift+Tab, Space",
         {keyDown(SDLK_TAB, KMOD_LSHIFT), keyDown(SDLK_SPACE)},
         MessageAnswer::Ignore},
        {"held Enter repeats", {keyDown(SDLK_RETURN, KMOD_NONE, 1)}, std::nullopt},
        {"click",
         {click(SDL_MOUSEBUTTONDOWN, kBox, centreOf(1)),
          click(SDL_MOUSEBUTTONUP, kBox, centreOf(1))},
         MessageAnswer::Retry},
        {"press on one, release on another",
         {click(SDL_MOUSEBUTTONDOWN, kBox, centreOf(0)),
          click(SDL_MOUSEBUTTONUP, kBox, centreOf(2))},
         std::nullopt},
        {"a click on the game's window",
         {click(SDL_MOUSEBUTTONDOWN, 99, centreOf(0)), click(SDL_MOUSEBUTTONUP, 99, centreOf(0))},
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BoxInput input(layout, MessageButtons::AbortRetryIgnore, kBox);
        for (const SDL_Event& event : c.events) EXPECT_TRUE(input.take(event));
        EXPECT_EQ(input.answer(), c.answer);
        EXPECT_EQ(input.done(), c.answer.has_value());
    }

    BoxInput input(layout, MessageButtons::Ok, kBox);
    EXPECT_FALSE(input.take(key(SDL_KEYUP, SDLK_LEFT)))
        << "a key held since before the box: its release is the game's";
    EXPECT_TRUE(input.take(keyDown(SDLK_RIGHT)));
    EXPECT_TRUE(input.take(key(SDL_KEYUP, SDLK_RIGHT))) << "pressed in the box, so the box's";
    EXPECT_FALSE(input.take(key(SDL_KEYUP, SDLK_RIGHT))) << "released once only";
    EXPECT_FALSE(input.take(windowEvent(99, SDL_WINDOWEVENT_EXPOSED))) << "the game's";
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_FALSE(input.take(quit)) << "the game's";
    EXPECT_TRUE(input.take(windowEvent(kBox, SDL_WINDOWEVENT_CLOSE)));
    EXPECT_TRUE(input.done());
    EXPECT_EQ(input.answer(), std::nullopt) << "closed without a button";
}

}  // namespace
}  // namespace vk::sdl
