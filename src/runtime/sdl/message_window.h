// The game's own message box: a window of its own over the game's, drawn with the game's
// font library. Its text is UTF-8 whatever the locale says, and is wrapped to fit the
// game's 800-pixel picture; the box runs in the game's own thread and process, so it ends
// with the game.
#pragma once

#include <SDL.h>

#include <bitset>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/platform.h"
#include "runtime/sdl/fonts.h"

namespace vk::sdl {

// Text width in pixels, as a font draws it.
using MeasureText = std::function<int(std::string_view)>;

// The lines of `text` no wider than `width`: lines break at the text's own line ends and
// between words; a word longer than a line (a long path) breaks after a slash or
// backslash where it can, else between characters.
std::vector<std::string> wrapText(std::string_view text, int width, const MeasureText& measure);

// Where everything of a box goes, in pixels of the box.
struct BoxLayout {
    static constexpr int kMaxWidth = 800;  // the game's picture
    static constexpr int kMaxHeight = 600;
    static constexpr int kMargin = 14;
    static constexpr int kIconSide = 32;
    static constexpr int kButtonWidth = 88;
    static constexpr int kButtonHeight = 26;
    static constexpr int kButtonGap = 8;
    // The most of a text that is laid out: far more than a box of the largest size shows.
    static constexpr std::size_t kMaxTextBytes = 16 * 1024;

    int width = 0;
    int height = 0;
    SDL_Rect icon{};  // empty without an icon
    SDL_Point text{};
    int lineHeight = 0;
    int textWidth = 0;  // the widest a line may be
    std::vector<std::string> lines;
    std::vector<SDL_Rect> buttons;
};

// The box for `text` with `buttonCount` buttons; a text too long for the largest box ends
// its last line with an ellipsis.
BoxLayout layOutBox(std::string_view text, bool withIcon, int buttonCount, int lineHeight,
                    const MeasureText& measure);

// One box as it is drawn and answered.
struct BoxContent {
    std::string title;
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

// The fonts a box is drawn with; null fonts when no font file can be opened.
struct BoxFonts {
    TTF_Font* text = nullptr;
    TTF_Font* icon = nullptr;
};
BoxFonts boxFonts(FontBook& book);

// Text width in pixels as `font` draws it.
MeasureText measureIn(TTF_Font* font);

// The box for `content` as it is shown, in the box's fonts.
BoxLayout layOutBox(const BoxContent& content, const BoxFonts& fonts);

// Draws the box onto `surface` (at least the layout's size), with the button `focus` marked
// and the button `pressed`, if any, pushed in.
void drawBox(SDL_Surface& surface, const BoxLayout& layout, const BoxContent& content,
             const BoxFonts& fonts, int focus, std::optional<int> pressed);

// The box's answer to the events that reach it: Enter or Space press the button in focus
// (at first the first one), Escape the last, Tab and the arrows move the focus, a click
// presses the button it starts and ends on.
class BoxInput {
  public:
    BoxInput(const BoxLayout& layout, MessageButtons buttons, Uint32 window);
    // Whether the event was the box's (or input dropped while the box is up); events it
    // does not take are another window's, or the release of a key pressed before the box,
    // and wait for the game.
    bool take(const SDL_Event& event);
    bool done() const { return result_.has_value() || closed_; }
    // The button pressed; nullopt when the box was closed without one.
    std::optional<MessageAnswer> answer() const { return result_; }
    int focus() const { return focus_; }
    std::optional<int> pressed() const { return pressed_; }

  private:
    std::optional<int> buttonAt(int x, int y) const;
    void takeKey(const SDL_Keysym& key);
    void press(int button);
    int count() const;

    const BoxLayout& layout_;
    Uint32 window_;
    std::vector<MessageAnswer> answers_;  // of the buttons, in order
    int focus_ = 0;
    std::optional<int> pressed_;
    std::bitset<SDL_NUM_SCANCODES> pressedKeys_;  // pressed while the box was up, not yet released
    std::optional<MessageAnswer> result_;
    bool closed_ = false;
};

// Shows the box over `parent` (or alone) until it is answered; nullopt when it was closed
// without a button or no box could be shown. Input meant for other windows meanwhile is
// dropped, their other events wait for the game.
std::optional<MessageAnswer> runMessageWindow(const BoxContent& content, SDL_Window* parent,
                                              FontBook& fonts);

}  // namespace vk::sdl
