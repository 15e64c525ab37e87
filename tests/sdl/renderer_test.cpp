// Screens drawn by the renderer onto a canvas-sized surface, checked pixel by pixel at the
// controls' places.
#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/fonts.h"
#include "runtime/sdl/screen_renderer.h"
#include "sdl/sdl_test_support.h"

namespace vk::sdl {
namespace {

using testing::FreeScreen;
using testing::solidPicture;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << c.r << "," << c.g << "," << c.b << ")";
}

// Colours as the game writes them: 0x00BBGGRR.
constexpr Colour kBlueBack = 0xFF0000;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kYellow = 0x00FFFF;

class RendererTest : public ::testing::Test {
  protected:
    RendererTest()
        : sdl(0),
          headless(std::filesystem::temp_directory_path()),
          runtime(headless.platform()),
          screen(runtime, "test", "Test") {
        surface.reset(SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32,
                                                     SDL_PIXELFORMAT_RGBA8888));
        renderer.reset(SDL_CreateSoftwareRenderer(surface.get()));
        screens.emplace(renderer.get());
        screen.show();
        screen.ui().backColor = kBlueBack;
    }

    Control& add(ControlKind kind, Design design) {
        return screen.ui().add("c" + std::to_string(screen.ui().owned.size()), kind, design);
    }

    void render() {
        screens->draw(runtime);
        SDL_RenderPresent(renderer.get());
    }

    Rgb pixel(int x, int y) const {
        const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        const Uint32 p = reinterpret_cast<const Uint32*>(row)[x];
        Uint8 r, g, b;
        SDL_GetRGB(p, surface->format, &r, &g, &b);
        return {r, g, b};
    }

    // Pixels of the rectangle that are not of the given colour.
    int pixelsOtherThan(SDL_Rect r, Rgb colour) const {
        int count = 0;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) count += pixel(x, y) == colour ? 0 : 1;
        return count;
    }

    testing::SdlSession sdl;
    HeadlessPlatform headless;
    Runtime runtime;
    FreeScreen screen;
    SurfacePtr surface;
    RendererPtr renderer;
    std::optional<ScreenRenderer> screens;
};

const Rgb kBlue{0, 0, 255};
const Rgb kRed{255, 0, 0};
const Rgb kGreenRgb{0, 255, 0};
const Rgb kYellowRgb{255, 255, 0};
const Rgb kWhiteRgb{255, 255, 255};

TEST_F(RendererTest, ScreenBackColourIsBlueGreenRed) {
    render();
    EXPECT_EQ(pixel(0, 0), kBlue);
    EXPECT_EQ(pixel(799, 599), kBlue);
}

TEST_F(RendererTest, ImagesShowTheirPictureAtItsOwnSizeUnlessStretched) {
    Control& own = add(ControlKind::Image, {.left = 150, .top = 150, .width = 600, .height = 600});
    own.setPicture(solidPicture(10, 10, 0xFF0000FF));
    Control& stretched =
        add(ControlKind::Image,
            {.left = 1500, .top = 150, .width = 600, .height = 300, .stretch = true});
    stretched.setPicture(solidPicture(2, 2, 0x00FF00FF));
    render();
    EXPECT_EQ(pixel(10, 10), kRed);
    EXPECT_EQ(pixel(19, 19), kRed);
    EXPECT_EQ(pixel(20, 20), kBlue);  // the control is larger than its picture
    EXPECT_EQ(pixel(9, 9), kBlue);
    EXPECT_EQ(pixel(100, 10), kGreenRgb);
    EXPECT_EQ(pixel(139, 29), kGreenRgb);
    EXPECT_EQ(pixel(140, 29), kBlue);
    EXPECT_EQ(pixel(139, 30), kBlue);
}

TEST_F(RendererTest, HiddenControlsAreNotDrawnAndLaterOnesLieInFront) {
    Control& hidden = add(ControlKind::Image, {.left = 0, .top = 0, .visible = false});
    hidden.setPicture(solidPicture(50, 50, 0xFF0000FF));
    Control& back = add(ControlKind::Image, {.left = 1500, .top = 1500});
    back.setPicture(solidPicture(50, 50, 0xFF0000FF));
    Control& front = add(ControlKind::Image, {.left = 1800, .top = 1800});
    front.setPicture(solidPicture(50, 50, 0x00FF00FF));
    render();
    EXPECT_EQ(pixel(25, 25), kBlue);
    EXPECT_EQ(pixel(105, 105), kRed);
    EXPECT_EQ(pixel(125, 125), kGreenRgb);
    hidden.setVisible(true);
    front.setVisible(false);
    render();
    EXPECT_EQ(pixel(25, 25), kRed);
    EXPECT_EQ(pixel(125, 125), kRed);
}

TEST_F(RendererTest, TransparentPicturePixelsShowWhatLiesBehind) {
    auto data = std::make_shared<PictureData>();
    data->width = 4;
    data->height = 1;
    data->rgba = {0xFF0000FF, 0x00000000, 0xFFFFFF80, 0x00FF0000};
    Control& stain =
        add(ControlKind::Image,
            {.left = 0, .top = 0, .width = 4 * 15 * 10, .height = 150 * 10, .stretch = true});
    stain.setPicture(std::make_shared<const Picture>("stain", std::filesystem::path{}, data));
    render();
    EXPECT_EQ(pixel(5, 5), kRed);
    EXPECT_EQ(pixel(15, 5), kBlue);
    EXPECT_EQ(pixel(35, 5), kBlue);  // fully transparent green
    const Rgb half = pixel(25, 5);   // white at half opacity over blue
    EXPECT_NEAR(half.r, 128, 3);
    EXPECT_NEAR(half.g, 128, 3);
    EXPECT_EQ(half.b, 255);
}

TEST_F(RendererTest, LabelsHaveTheirBackColourOrNoneAndTextInTheirForeColour) {
    add(ControlKind::Label, {.left = 1500,
                             .top = 1500,
                             .width = 3000,
                             .height = 600,
                             .caption = "ENERGY",
                             .foreColor = kYellow,
                             .backColor = 0x0000FF,
                             .font = {.name = "Arial", .size = 14, .bold = true}});
    add(ControlKind::Label, {.left = 1500,
                             .top = 3000,
                             .width = 3000,
                             .height = 600,
                             .caption = "",
                             .backColor = 0x0000FF,
                             .backOpaque = false});
    render();
    const SDL_Rect label{100, 100, 200, 40};
    EXPECT_EQ(pixel(100, 100), kRed);
    EXPECT_EQ(pixel(299, 139), kRed);
    EXPECT_EQ(pixel(300, 140), kBlue);
    // The caption's letters: pure fore-colour pixels inside the label, nothing else.
    int yellow = 0;
    for (int y = label.y; y < label.y + label.h; ++y)
        for (int x = label.x; x < label.x + label.w; ++x) yellow += pixel(x, y) == kYellowRgb;
    EXPECT_GT(yellow, 30);
    EXPECT_EQ(pixelsOtherThan({100, 200, 200, 40}, kBlue), 0);  // transparent back
}

TEST_F(RendererTest, CentredCaptionsLieInTheMiddle) {
    add(ControlKind::Label, {.left = 0,
                             .top = 0,
                             .width = 6000,
                             .height = 600,
                             .caption = "I",
                             .foreColor = colours::kWhite,
                             .backColor = colours::kBlack,
                             .font = {.size = 20},
                             .alignment = Alignment::Center});
    render();
    EXPECT_EQ(pixelsOtherThan({0, 0, 180, 40}, {0, 0, 0}), 0);
    EXPECT_EQ(pixelsOtherThan({220, 0, 180, 40}, {0, 0, 0}), 0);
    EXPECT_GT(pixelsOtherThan({180, 0, 40, 40}, {0, 0, 0}), 10);
}

TEST_F(RendererTest, LinesRunBetweenTheirEndsWithTheirWidth) {
    add(ControlKind::Line,
        {.borderColor = kGreen, .borderWidth = 3, .x1 = 1500, .y1 = 3000, .x2 = 6000, .y2 = 3000});
    add(ControlKind::Line,
        {.borderColor = kYellow, .x1 = 1500, .y1 = 4500, .x2 = 3000, .y2 = 6000});
    render();
    EXPECT_EQ(pixel(101, 200), kGreenRgb);
    EXPECT_EQ(pixel(398, 200), kGreenRgb);  // the end
    EXPECT_EQ(pixel(250, 201), kGreenRgb);  // three pixels wide
    EXPECT_EQ(pixel(250, 199), kGreenRgb);
    EXPECT_EQ(pixel(250, 203), kBlue);
    EXPECT_EQ(pixel(410, 200), kBlue);
    EXPECT_EQ(pixel(150, 350), kYellowRgb);  // a diagonal
    EXPECT_EQ(pixel(199, 399), kYellowRgb);
    EXPECT_EQ(pixel(150, 340), kBlue);
}

TEST_F(RendererTest, ShapesAreFilledAndFramedInTheirColours) {
    add(ControlKind::Shape, {.left = 1500,
                             .top = 1500,
                             .width = 1500,
                             .height = 1500,
                             .fillColor = kYellow,
                             .filled = true,
                             .borderColor = 0x0000FF,
                             .borderWidth = 2,
                             .shape = ShapeKind::Circle});
    add(ControlKind::Shape, {.left = 4500,
                             .top = 1500,
                             .width = 1500,
                             .height = 750,
                             .borderColor = kGreen,
                             .borderWidth = 1,
                             .shape = ShapeKind::Rectangle});
    render();
    EXPECT_EQ(pixel(150, 150), kYellowRgb);  // centre of the circle
    EXPECT_EQ(pixel(100, 150), kRed);        // its left edge
    EXPECT_EQ(pixel(101, 101), kBlue);       // the control's corner lies outside it
    EXPECT_EQ(pixel(300, 100), kGreenRgb);   // the rectangle's frame
    EXPECT_EQ(pixel(399, 149), kGreenRgb);
    EXPECT_EQ(pixel(350, 125), kBlue);  // not filled
}

TEST_F(RendererTest, PictureBoxesClipTheirPictureOnTheirBackColour) {
    Control& box =
        add(ControlKind::PictureBox,
            {.left = 1500, .top = 1500, .width = 600, .height = 1500, .backColor = kYellow});
    box.setPicture(solidPicture(60, 20, 0xFF0000FF));
    render();
    EXPECT_EQ(pixel(100, 100), kRed);
    EXPECT_EQ(pixel(139, 119), kRed);
    EXPECT_EQ(pixel(139, 125), kYellowRgb);  // below the picture: the box's back
    EXPECT_EQ(pixel(140, 110), kBlue);       // right of the box: clipped
}

TEST_F(RendererTest, ButtonsAndTextBoxesShowTheirWords) {
    add(ControlKind::CommandButton,
        {.left = 1500, .top = 1500, .width = 1500, .height = 600, .caption = "Start"});
    add(ControlKind::TextBox, {.left = 1500,
                               .top = 3000,
                               .width = 3000,
                               .height = 450,
                               .text = "W",
                               .backColor = colours::kWhite});
    render();
    const Rgb face{0xC0, 0xC0, 0xC0};
    EXPECT_EQ(pixel(105, 105), face);
    EXPECT_GT(pixelsOtherThan({104, 104, 92, 32}, face), 10);  // the caption
    EXPECT_EQ(pixel(290, 215), kWhiteRgb);
    EXPECT_GT(pixelsOtherThan({102, 202, 30, 26}, kWhiteRgb), 10);  // the typed letter
}

TEST_F(RendererTest, TextBoxesOverlappedByAPixelStillShowEverySide) {
    // Boxes 480 twips apart but 495 high, and an opaque label drawn over their last column:
    // a table of names with its dotted leaders beside it.
    for (int row = 0; row < 2; ++row)
        add(ControlKind::TextBox, {.left = 1500,
                                   .top = 1500.0f + 480.0f * static_cast<float>(row),
                                   .width = 1815,
                                   .height = 495,
                                   .backColor = colours::kBlack});
    add(ControlKind::Label,
        {.left = 3300, .top = 1500, .width = 600, .height = 990, .backColor = colours::kBlack});
    render();
    // The first box covers pixels 100 to 220 across and 100 to 132 down; its neighbours
    // cover column 220 and row 132.
    const Rgb black{0, 0, 0};
    EXPECT_NE(pixel(100, 116), black) << "left side";
    EXPECT_NE(pixel(219, 116), black) << "right side";
    EXPECT_NE(pixel(160, 100), black) << "top";
    EXPECT_NE(pixel(160, 131), black) << "bottom";
    EXPECT_EQ(pixel(160, 116), black) << "inside";
}

TEST_F(RendererTest, ScreensShownLaterLieAboveWithTheirBackground) {
    Control& image = add(ControlKind::Image, {.left = 0, .top = 0});
    image.setPicture(solidPicture(50, 50, 0xFF0000FF));
    FreeScreen above(runtime, "above", "Above");
    above.show();
    above.ui().background = solidPicture(8, 6, 0x00FF00FF);
    render();
    EXPECT_EQ(pixel(10, 10), kGreenRgb);
    EXPECT_EQ(pixel(799, 599), kGreenRgb);
    above.unload();
    render();
    EXPECT_EQ(pixel(10, 10), kRed);
}

TEST_F(RendererTest, TexturesOfPicturesNoLongerShownAreDropped) {
    Control& image = add(ControlKind::Image, {.left = 0, .top = 0});
    image.setPicture(solidPicture(5, 5, 0xFF0000FF));
    render();
    const std::size_t withPicture = screens->cachedTextures();
    image.setPicture(solidPicture(5, 5, 0x00FF00FF));  // the red pixels are freed
    render();
    EXPECT_EQ(pixel(2, 2), kGreenRgb);
    EXPECT_EQ(screens->cachedTextures(), withPicture);
}

// A huge caption is cut to what its control can show before it is drawn: the control shows
// exactly what it shows with the text's visible part alone.
TEST_F(RendererTest, AHugeTextShowsWhatItsVisiblePartShows) {
    std::string huge;
    for (int i = 0; huge.size() < 1'000'000; ++i) huge += "Kód " + std::to_string(i) + " ";
    struct Case {
        const char* name;
        ControlKind kind;
        Alignment alignment;
        std::string shortText;  // no more than the control shows of the huge one
    };
    const std::vector<Case> cases = {
        {"wrapped label", ControlKind::Label, Alignment::Left, huge.substr(0, 3000)},
        {"text box", ControlKind::TextBox, Alignment::Left, huge.substr(0, 300)},
        {"text box aligned right", ControlKind::TextBox, Alignment::Right,
         huge.substr(huge.size() - 300)},
    };
    const SDL_Rect area{15, 15, 310, 110};  // the control and a margin around it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Control& control = add(c.kind, {.left = 300,
                                        .top = 300,
                                        .width = 4200,
                                        .height = 1200,
                                        .backOpaque = false,
                                        .alignment = c.alignment});
        const auto write = [&](const std::string& text) {
            if (c.kind == ControlKind::Label)
                control.setCaption(text);
            else
                control.setText(text);
        };
        write(c.shortText);
        render();
        std::vector<Rgb> expected;
        for (int y = area.y; y < area.y + area.h; ++y)
            for (int x = area.x; x < area.x + area.w; ++x) expected.push_back(pixel(x, y));
        write(huge);
        render();
        int differing = 0;
        for (int y = area.y, i = 0; y < area.y + area.h; ++y)
            for (int x = area.x; x < area.x + area.w; ++x, ++i)
                differing += pixel(x, y) == expected[static_cast<std::size_t>(i)] ? 0 : 1;
        EXPECT_EQ(differing, 0);
        EXPECT_GT(pixelsOtherThan({20, 20, 280, 80}, expected.front()), 0) << "text shows";
        control.setVisible(false);
    }
    // What is shaped stays within what the box can show, however long the text.
    const std::string letters(1'000'000, 'x');
    EXPECT_EQ(visiblePart(letters, 280, 80, 16, true, Alignment::Left).size(), 7u * 281u);
}

TEST(Fonts, FaceFamiliesAndSizes) {
    EXPECT_NE(faceFor({.name = "Arial"}).file.find("LiberationSans-Regular"), std::string::npos);
    EXPECT_NE(faceFor({.name = "ARIAL", .bold = true}).file.find("LiberationSans-Bold"),
              std::string::npos);
    EXPECT_NE(faceFor({.name = "Comic Sans MS"}).file.find("ComicNeue-Regular"), std::string::npos);
    EXPECT_NE(faceFor({.name = "MS Sans Serif", .italic = true}).file.find("DejaVuSans-Oblique"),
              std::string::npos);
    EXPECT_EQ(pixelSize(8.25f), 11);
    EXPECT_EQ(pixelSize(12), 16);
    EXPECT_EQ(pixelSize(24), 32);
}

}  // namespace
}  // namespace vk::sdl
