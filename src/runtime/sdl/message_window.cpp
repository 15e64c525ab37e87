#include "runtime/sdl/message_window.h"

#include <algorithm>
#include <array>

#include "runtime/sdl/sdl_handles.h"
#include "runtime/text.h"

namespace vk::sdl {

namespace {

// Where each character of `text` ends, in order.
std::vector<std::size_t> characterEnds(std::string_view text) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || startsCharacter(text[i])) ends.push_back(i);
    return ends;
}

// How many bytes of a word too wide for a line go on the line: as many characters as fit
// (at least one), ending after the last slash or backslash among them when there is one.
std::size_t fittingStart(std::string_view word, int width, const MeasureText& measure) {
    const std::vector<std::size_t> ends = characterEnds(word);
    // No character is narrower than a pixel: a line holds at most `width` of them.
    std::size_t low = 0;
    std::size_t high = std::min(ends.size(), static_cast<std::size_t>(std::max(width, 1)));
    while (low + 1 < high) {  // ends[low] fits (or is the first), ends[high] does not
        const std::size_t middle = (low + high) / 2;
        if (measure(word.substr(0, ends[middle])) <= width)
            low = middle;
        else
            high = middle;
    }
    const std::size_t fits = ends[low];
    const std::size_t slash = word.substr(0, fits).find_last_of("/\\");
    return slash != std::string_view::npos && slash > 0 && slash + 1 < fits ? slash + 1 : fits;
}

void wrapParagraph(std::string_view paragraph, int width, const MeasureText& measure,
                   std::vector<std::string>& lines) {
    std::string line;
    std::size_t at = 0;
    while (at < paragraph.size()) {
        const std::size_t end = std::min(paragraph.find(' ', at), paragraph.size());
        std::string_view word = paragraph.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        if (!line.empty()) {
            const std::string longer = line + " " + std::string(word);
            if (measure(longer) <= width) {
                line = longer;
                continue;
            }
            lines.push_back(std::move(line));
        }
        while (measure(word) > width) {
            const std::size_t cut = fittingStart(word, width, measure);
            lines.emplace_back(word.substr(0, cut));
            word.remove_prefix(cut);
        }
        line = std::string(word);
    }
    if (!line.empty() || paragraph.find_first_not_of(' ') == std::string_view::npos)
        lines.push_back(std::move(line));
}

// The text as a box lays it out: at most a box's worth of bytes, tabs as blanks, no
// carriage returns.
std::string boxText(std::string_view text) {
    const std::size_t keep = text.size() <= BoxLayout::kMaxTextBytes
                                 ? text.size()
                                 : characterStartAtOrBefore(text, BoxLayout::kMaxTextBytes);
    std::string out;
    out.reserve(keep);
    for (const char c : text.substr(0, keep)) {
        if (c == '\r') continue;
        out.push_back(c == '\t' ? ' ' : c);
    }
    return out;
}

// Cuts the lines after `count`, ending the last one kept with an ellipsis.
void cutLines(std::vector<std::string>& lines, std::size_t count, int width,
              const MeasureText& measure) {
    if (lines.size() <= count || count == 0) return;
    lines.resize(count);
    std::string& last = lines.back();
    static constexpr const char* kEllipsis = "\xE2\x80\xA6";
    while (!last.empty() && measure(last + kEllipsis) > width)
        last.erase(characterStartAtOrBefore(last, last.size() - 1));
    last += kEllipsis;
}

}  // namespace

std::vector<std::string> wrapText(std::string_view text, int width, const MeasureText& measure) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        wrapParagraph(text.substr(start, end == std::string_view::npos ? end : end - start), width,
                      measure, lines);
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

BoxLayout layOutBox(std::string_view text, bool withIcon, int buttonCount, int lineHeight,
                    const MeasureText& measure) {
    constexpr int kMargin = BoxLayout::kMargin;
    constexpr int kMinWidth = 280;
    BoxLayout layout;
    layout.lineHeight = std::max(lineHeight, 1);
    const int textLeft = kMargin + (withIcon ? BoxLayout::kIconSide + kMargin : 0);
    layout.textWidth = BoxLayout::kMaxWidth - textLeft - kMargin;
    layout.lines = wrapText(boxText(text), layout.textWidth, measure);
    const int buttonsTop = BoxLayout::kMaxHeight - kMargin - BoxLayout::kButtonHeight;
    cutLines(layout.lines, static_cast<std::size_t>((buttonsTop - 2 * kMargin) / layout.lineHeight),
             layout.textWidth, measure);

    int widest = 0;
    for (const std::string& line : layout.lines) widest = std::max(widest, measure(line));
    const int buttonsWidth =
        buttonCount * BoxLayout::kButtonWidth + (buttonCount - 1) * BoxLayout::kButtonGap;
    layout.width =
        std::min(BoxLayout::kMaxWidth,
                 std::max({textLeft + widest + kMargin, buttonsWidth + 2 * kMargin, kMinWidth}));
    const int textHeight = static_cast<int>(layout.lines.size()) * layout.lineHeight;
    const int top = std::max(textHeight, withIcon ? BoxLayout::kIconSide : 0);
    layout.height = kMargin + top + 2 * kMargin + BoxLayout::kButtonHeight;
    if (withIcon) layout.icon = {kMargin, kMargin, BoxLayout::kIconSide, BoxLayout::kIconSide};
    layout.text = {textLeft, kMargin + (top - textHeight) / 2};
    const int buttonsLeft = (layout.width - buttonsWidth) / 2;
    for (int i = 0; i < buttonCount; ++i)
        layout.buttons.push_back(
            {buttonsLeft + i * (BoxLayout::kButtonWidth + BoxLayout::kButtonGap),
             layout.height - kMargin - BoxLayout::kButtonHeight, BoxLayout::kButtonWidth,
             BoxLayout::kButtonHeight});
    return layout;
}

namespace {

struct BoxButton {
    const char* label;
    MessageAnswer answer;
};

// The first button is the one Enter presses at first, the last the one Escape presses.
std::vector<BoxButton> buttonsOf(MessageButtons buttons) {
    if (buttons == MessageButtons::Ok) return {{"OK", MessageAnswer::Ok}};
    return {{"Abort", MessageAnswer::Abort},
            {"Retry", MessageAnswer::Retry},
            {"Ignore", MessageAnswer::Ignore}};
}

constexpr SDL_Color kFace{240, 240, 240, 255};
constexpr SDL_Color kInk{0, 0, 0, 255};
constexpr SDL_Color kButtonFace{225, 225, 225, 255};
constexpr SDL_Color kButtonPushed{204, 228, 247, 255};
constexpr SDL_Color kButtonEdge{173, 173, 173, 255};
constexpr SDL_Color kFocusEdge{0, 120, 215, 255};
constexpr SDL_Color kWhite{255, 255, 255, 255};

void fill(SDL_Surface& surface, const SDL_Rect& rect, SDL_Color colour) {
    SDL_FillRect(&surface, &rect, SDL_MapRGB(surface.format, colour.r, colour.g, colour.b));
}

void outline(SDL_Surface& surface, const SDL_Rect& r, SDL_Color colour) {
    for (const SDL_Rect& edge : std::array<SDL_Rect, 4>{{{r.x, r.y, r.w, 1},
                                                         {r.x, r.y + r.h - 1, r.w, 1},
                                                         {r.x, r.y, 1, r.h},
                                                         {r.x + r.w - 1, r.y, 1, r.h}}})
        fill(surface, edge, colour);
}

// Draws a line of text with its top left at (x, y), or centred in `centreIn`.
void drawText(SDL_Surface& surface, TTF_Font* font, const std::string& text, SDL_Color colour,
              SDL_Point at, const SDL_Rect* centreIn = nullptr) {
    if (!font || text.empty()) return;
    const SurfacePtr drawn(TTF_RenderUTF8_Blended(font, text.c_str(), colour));
    if (!drawn) return;
    SDL_Rect where{at.x, at.y, drawn->w, drawn->h};
    if (centreIn) {
        where.x = centreIn->x + (centreIn->w - drawn->w) / 2;
        where.y = centreIn->y + (centreIn->h - drawn->h) / 2;
    }
    SDL_BlitSurface(drawn.get(), nullptr, &surface, &where);
}

void drawIcon(SDL_Surface& surface, const SDL_Rect& place, MessageIcon icon, TTF_Font* font) {
    if (icon == MessageIcon::None) return;
    const bool critical = icon == MessageIcon::Critical;
    fill(surface, place, critical ? SDL_Color{196, 43, 28, 255} : SDL_Color{232, 160, 0, 255});
    drawText(surface, font, critical ? "X" : "!", kWhite, {}, &place);
}

}  // namespace

MeasureText measureIn(TTF_Font* font) {
    return [font](std::string_view text) {
        int width = 0;
        if (!text.empty()) TTF_SizeUTF8(font, std::string(text).c_str(), &width, nullptr);
        return width;
    };
}

BoxLayout layOutBox(const BoxContent& content, const BoxFonts& fonts) {
    return layOutBox(content.text, content.icon != MessageIcon::None,
                     static_cast<int>(buttonsOf(content.buttons).size()),
                     TTF_FontLineSkip(fonts.text), measureIn(fonts.text));
}

BoxFonts boxFonts(FontBook& book) {
    return {book.open(Font{.name = "Arial", .size = 10.0f}),
            book.open(Font{.name = "Arial", .size = 16.0f, .bold = true})};
}

void drawBox(SDL_Surface& surface, const BoxLayout& layout, const BoxContent& content,
             const BoxFonts& fonts, int focus, std::optional<int> pressed) {
    fill(surface, {0, 0, surface.w, surface.h}, kFace);
    drawIcon(surface, layout.icon, content.icon, fonts.icon);
    for (std::size_t i = 0; i < layout.lines.size(); ++i)
        drawText(surface, fonts.text, layout.lines[i], kInk,
                 {layout.text.x, layout.text.y + static_cast<int>(i) * layout.lineHeight});
    const std::vector<BoxButton> buttons = buttonsOf(content.buttons);
    for (std::size_t i = 0; i < layout.buttons.size() && i < buttons.size(); ++i) {
        const SDL_Rect& place = layout.buttons[i];
        const bool isPressed = pressed == static_cast<int>(i);
        fill(surface, place, isPressed ? kButtonPushed : kButtonFace);
        outline(surface, place, focus == static_cast<int>(i) ? kFocusEdge : kButtonEdge);
        drawText(surface, fonts.text, buttons[i].label, kInk, {}, &place);
    }
}

BoxInput::BoxInput(const BoxLayout& layout, MessageButtons buttons, Uint32 window)
    : layout_(layout), window_(window) {
    for (const BoxButton& button : buttonsOf(buttons)) answers_.push_back(button.answer);
}

int BoxInput::count() const { return static_cast<int>(answers_.size()); }

std::optional<int> BoxInput::buttonAt(int x, int y) const {
    const SDL_Point point{x, y};
    for (std::size_t i = 0; i < layout_.buttons.size(); ++i)
        if (SDL_PointInRect(&point, &layout_.buttons[i])) return static_cast<int>(i);
    return std::nullopt;
}

void BoxInput::press(int button) { result_ = answers_[static_cast<std::size_t>(button)]; }

bool BoxInput::take(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT:
            if (event.window.windowID != window_) return false;
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) closed_ = true;
            return true;
        case SDL_KEYDOWN:
            // Keys belong to the box wherever the keyboard's focus is: it is modal.
            if (!event.key.repeat) {
                pressedKeys_.set(event.key.keysym.scancode);
                takeKey(event.key.keysym);
            }
            return true;
        case SDL_KEYUP:
            // A key held since before the box is released for the game, or the game would
            // go on acting on it after the box.
            if (!pressedKeys_.test(event.key.keysym.scancode)) return false;
            pressedKeys_.reset(event.key.keysym.scancode);
            return true;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.windowID == window_ && event.button.button == SDL_BUTTON_LEFT)
                pressed_ = buttonAt(event.button.x, event.button.y);
            return true;
        case SDL_MOUSEBUTTONUP:
            if (event.button.windowID == window_ && event.button.button == SDL_BUTTON_LEFT) {
                if (pressed_ && buttonAt(event.button.x, event.button.y) == pressed_)
                    press(*pressed_);
                pressed_.reset();
            }
            return true;
        default:
            // Other input is dropped while the box is up; everything else is the game's.
            return event.type >= SDL_KEYDOWN && event.type < SDL_CLIPBOARDUPDATE;
    }
}

void BoxInput::takeKey(const SDL_Keysym& key) {
    switch (key.sym) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            press(focus_);
            break;
        case SDLK_ESCAPE:
            press(count() - 1);
            break;
        case SDLK_TAB:
            focus_ = (focus_ + ((key.mod & KMOD_SHIFT) ? count() - 1 : 1)) % count();
            break;
        case SDLK_RIGHT:
            focus_ = std::min(focus_ + 1, count() - 1);
            break;
        case SDLK_LEFT:
            focus_ = std::max(focus_ - 1, 0);
            break;
        default:
            break;
    }
}

namespace {

// Sets a hint for as long as it lives.
class HintFor {
  public:
    HintFor(const char* name, const char* value) : name_(name) {
        if (const char* old = SDL_GetHint(name)) old_ = old;
        SDL_SetHint(name, value);
    }
    ~HintFor() { SDL_SetHint(name_, old_ ? old_->c_str() : nullptr); }
    HintFor(const HintFor&) = delete;
    HintFor& operator=(const HintFor&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// Every event queued now, in order, without reading more from the system.
std::vector<SDL_Event> queuedEvents() {
    std::vector<SDL_Event> events;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1)
        events.push_back(event);
    return events;
}

}  // namespace

std::optional<MessageAnswer> runMessageWindow(const BoxContent& content, SDL_Window* parent,
                                              FontBook& book) {
    const BoxFonts fonts = boxFonts(book);
    if (!fonts.text) return std::nullopt;
    const BoxLayout layout = layOutBox(content, fonts);
    // Closing the box alone on the screen must not end the game.
    const HintFor keepGoing(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    const int display = parent ? std::max(SDL_GetWindowDisplayIndex(parent), 0) : 0;
    const WindowPtr window(
        SDL_CreateWindow(content.title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                         SDL_WINDOWPOS_CENTERED_DISPLAY(display), layout.width, layout.height,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR));
    if (!window) return std::nullopt;
    if (parent) SDL_SetWindowModalFor(window.get(), parent);
    // What was queued before the box showed is the game's, as is whatever is not input.
    SDL_PumpEvents();
    std::vector<SDL_Event> forGame = queuedEvents();
    SDL_ShowWindow(window.get());
    SDL_RaiseWindow(window.get());
    // Also without a window manager to give it, the keyboard goes to the box.
    SDL_SetWindowInputFocus(window.get());

    BoxInput input(layout, content.buttons, SDL_GetWindowID(window.get()));
    SDL_Event event;
    do {
        if (SDL_Surface* surface = SDL_GetWindowSurface(window.get())) {
            drawBox(*surface, layout, content, fonts, input.focus(), input.pressed());
            SDL_UpdateWindowSurface(window.get());
        }
        if (!SDL_WaitEvent(&event)) break;
        if (!input.take(event)) forGame.push_back(event);
    } while (!input.done());
    for (SDL_Event& kept : forGame) SDL_PushEvent(&kept);
    return input.answer();
}

}  // namespace vk::sdl
