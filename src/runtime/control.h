// Controls of a screen with the properties the game uses. A control is built from its
// design state every time its screen loads and is discarded when the screen unloads.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/picture.h"
#include "runtime/values.h"

namespace vk {

class ControlSet;
class Runtime;

enum class ControlKind {
    Image,
    PictureBox,
    Label,
    TextBox,
    CommandButton,
    Shape,
    Line,
    Timer,
    SoundChannel,
    MediaPlayer,
};

// Colours in blue-green-red order: 0x00BBGGRR, as the game writes them (&HFF is red).
using Colour = std::uint32_t;
namespace colours {
constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kButtonFace = 0xC0C0C0;
}  // namespace colours

struct Font {
    std::string name{"Arial"};
    float size = 8.25f;
    bool bold = false;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

enum class ShapeKind { Rectangle, Square, Oval, Circle, RoundedRectangle, RoundedSquare };
enum class Alignment { Left, Right, Center };

// Design state: what a control looks like when its screen loads.
struct Design {
    float left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    std::string picture{};  // program-relative file stored with the layout, or empty
    bool stretch = false;
    std::string caption{};
    std::string text{};
    Colour foreColor = colours::kBlack;
    Colour backColor = colours::kButtonFace;
    bool backOpaque = true;  // labels: transparent when false
    Colour fillColor = colours::kBlack;
    bool filled = false;  // shapes: solid fill when true
    Colour borderColor = colours::kBlack;
    float borderWidth = 1;
    ShapeKind shape = ShapeKind::Rectangle;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // lines
    Font font{};
    Alignment alignment = Alignment::Left;
    int interval = 0;        // timers, milliseconds
    std::string cursor{};    // custom mouse cursor picture, program-relative
    bool hasBorder = false;  // picture boxes and labels: a single frame around
};

class Control {
  public:
    Control(ControlSet& owner, std::string name, ControlKind kind, Design design = {},
            std::optional<int> index = std::nullopt);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    std::optional<int> index() const { return index_; }
    // "Name" or "Name(3)".
    std::string qualifiedName() const;
    ControlKind kind() const { return kind_; }
    ControlSet& owner() const { return owner_; }

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    void move(float left, float top);
    bool contains(float x, float y) const;

    bool visible() const { return visible_; }
    virtual void setVisible(bool v);
    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool v);

    const PictureRef& picture() const { return picture_; }
    void setPicture(PictureRef picture);
    bool stretch() const { return stretch_; }
    void setStretch(bool v);

    const std::string& caption() const { return caption_; }
    void setCaption(std::string v);
    const std::string& text() const { return text_; }
    // A text box raises its change event on every change of its text, also by code.
    void setText(std::string v);

    Colour foreColor() const { return foreColor_; }
    void setForeColor(Colour c);
    Colour backColor() const { return backColor_; }
    void setBackColor(Colour c);
    bool backOpaque() const { return backOpaque_; }
    Colour fillColor() const { return fillColor_; }
    void setFillColor(Colour c);
    bool filled() const { return filled_; }
    Colour borderColor() const { return borderColor_; }
    void setBorderColor(Colour c);
    float borderWidth() const { return borderWidth_; }
    void setBorderWidth(float v);
    ShapeKind shape() const { return shape_; }
    bool hasBorder() const { return hasBorder_; }

    float x1() const { return x1_; }
    float y1() const { return y1_; }
    float x2() const { return x2_; }
    float y2() const { return y2_; }
    void setX1(float v);
    void setY1(float v);
    void setX2(float v);
    void setY2(float v);

    const Font& font() const { return font_; }
    void setFont(Font f);
    Alignment alignment() const { return alignment_; }
    const PictureRef& cursor() const { return cursor_; }

    // Whether mouse input can land on this kind of control at all.
    bool takesMouse() const;

    // Event handlers, bound by the screen at every load.
    std::function<void()> onClick;
    std::function<void()> onMouseMove;
    std::function<void()> onChange;

    // Properties by name, for the script driver and tests. Values use the runtime's text
    // form (numbers as text, booleans as "True"/"False"). Unknown names return nullopt /
    // false.
    virtual std::optional<std::string> property(std::string_view name) const;
    virtual bool setProperty(std::string_view name, std::string_view value);

  protected:
    Runtime& runtime() const;
    void changed() const;  // something visible changed: the renderer repaints

  private:
    ControlSet& owner_;
    std::string name_;
    std::optional<int> index_;
    ControlKind kind_;
    float left_, top_, width_, height_;
    bool visible_, enabled_;
    PictureRef picture_;
    bool stretch_;
    std::string caption_, text_;
    Colour foreColor_, backColor_;
    bool backOpaque_;
    Colour fillColor_;
    bool filled_;
    Colour borderColor_;
    float borderWidth_;
    ShapeKind shape_;
    float x1_, y1_, x2_, y2_;
    Font font_;
    Alignment alignment_;
    PictureRef cursor_;
    bool hasBorder_;
};

// A control array: elements named alike, told apart by index.
template <class T = Control>
class ControlArray {
  public:
    template <class DesignOf>
    ControlArray(ControlSet& owner, const std::string& name, ControlKind kind, int first, int last,
                 DesignOf designOf) {
        for (int i = first; i <= last; ++i)
            items_.push_back(std::make_unique<T>(owner, name, kind, designOf(i), i));
        first_ = first;
    }
    T& operator[](int index);
    const T& operator[](int index) const;
    int lowerBound() const { return first_; }
    int upperBound() const { return first_ + static_cast<int>(items_.size()) - 1; }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

  private:
    std::vector<std::unique_ptr<T>> items_;
    int first_ = 0;
};

}  // namespace vk

#include "runtime/errors.h"

template <class T>
T& vk::ControlArray<T>::operator[](int index) {
    if (index < first_ || index > upperBound()) raise(ErrorNumber::SubscriptOutOfRange);
    return *items_[static_cast<std::size_t>(index - first_)];
}

template <class T>
const T& vk::ControlArray<T>::operator[](int index) const {
    if (index < first_ || index > upperBound()) raise(ErrorNumber::SubscriptOutOfRange);
    return *items_[static_cast<std::size_t>(index - first_)];
}

namespace vk {

// Captions hold numbers as text: reading converts (raising "Type mismatch" on text that
// is not a number), writing stores the runtime's text form.
inline double captionValue(const Control& c) { return toDouble(c.caption()); }
inline void setCaptionValue(Control& c, double v) { c.setCaption(textOf(v)); }
inline double textValue(const Control& c) { return toDouble(c.text()); }
inline void setTextValue(Control& c, double v) { c.setText(textOf(v)); }

}  // namespace vk
