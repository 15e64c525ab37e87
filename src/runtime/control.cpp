#include "runtime/control.h"

#include <array>

#include "runtime/control_set.h"
#include "runtime/runtime.h"
#include "runtime/values.h"

namespace vk {

namespace {

std::string boolText(bool v) { return v ? "True" : "False"; }

bool parseBool(std::string_view text, bool& out) {
    if (text == "True" || text == "true" || text == "-1" || text == "1") {
        out = true;
        return true;
    }
    if (text == "False" || text == "false" || text == "0") {
        out = false;
        return true;
    }
    return false;
}

// Colours may be written as decimal numbers or as &H hexadecimal, as the game writes them.
bool parseColour(std::string_view text, Colour& out) {
    if (text.size() > 2 && (text.substr(0, 2) == "&H" || text.substr(0, 2) == "&h")) {
        std::string digits(text.substr(2));
        while (!digits.empty() && digits.back() == '&') digits.pop_back();
        try {
            out = static_cast<Colour>(std::stoul(digits, nullptr, 16));
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
    try {
        out = static_cast<Colour>(toLong(toDouble(text)));
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace

Control::Control(ControlSet& owner, std::string name, ControlKind kind, Design d,
                 std::optional<int> index)
    : owner_(owner),
      name_(std::move(name)),
      index_(index),
      kind_(kind),
      left_(d.left),
      top_(d.top),
      width_(d.width),
      height_(d.height),
      visible_(d.visible),
      enabled_(d.enabled),
      stretch_(d.stretch),
      caption_(std::move(d.caption)),
      text_(std::move(d.text)),
      foreColor_(d.foreColor),
      backColor_(d.backColor),
      backOpaque_(d.backOpaque),
      fillColor_(d.fillColor),
      filled_(d.filled),
      borderColor_(d.borderColor),
      borderWidth_(d.borderWidth),
      shape_(d.shape),
      x1_(d.x1),
      y1_(d.y1),
      x2_(d.x2),
      y2_(d.y2),
      font_(std::move(d.font)),
      alignment_(d.alignment),
      hasBorder_(d.hasBorder) {
    if (!d.picture.empty()) picture_ = owner.runtime().loadPicture(d.picture);
    if (!d.cursor.empty()) cursor_ = owner.runtime().loadPicture(d.cursor);
    owner.enrol(*this);
}

std::string Control::qualifiedName() const {
    return index_ ? name_ + "(" + std::to_string(*index_) + ")" : name_;
}

Runtime& Control::runtime() const { return owner_.runtime(); }
void Control::changed() const { owner_.runtime().markChanged(); }

void Control::setLeft(float v) { left_ = v, changed(); }
void Control::setTop(float v) { top_ = v, changed(); }
void Control::setWidth(float v) { width_ = v, changed(); }
void Control::setHeight(float v) { height_ = v, changed(); }
void Control::move(float left, float top) { left_ = left, top_ = top, changed(); }

bool Control::contains(float x, float y) const {
    return x >= left_ && y >= top_ && x < left_ + width_ && y < top_ + height_;
}

void Control::setVisible(bool v) { visible_ = v, changed(); }
void Control::setEnabled(bool v) { enabled_ = v; }
void Control::setPicture(PictureRef picture) { picture_ = std::move(picture), changed(); }
void Control::setStretch(bool v) { stretch_ = v, changed(); }
void Control::setCaption(std::string v) { caption_ = std::move(v), changed(); }

void Control::setText(std::string v) {
    if (v == text_) return;
    text_ = std::move(v);
    changed();
    if (onChange) {
        // The handler may unload the screen; keep a copy of the callable alive.
        auto handler = onChange;
        handler();
    }
}

void Control::setForeColor(Colour c) { foreColor_ = c, changed(); }
void Control::setBackColor(Colour c) { backColor_ = c, changed(); }
void Control::setFillColor(Colour c) { fillColor_ = c, changed(); }
void Control::setBorderColor(Colour c) { borderColor_ = c, changed(); }
void Control::setBorderWidth(float v) { borderWidth_ = v, changed(); }
void Control::setX1(float v) { x1_ = v, changed(); }
void Control::setY1(float v) { y1_ = v, changed(); }
void Control::setX2(float v) { x2_ = v, changed(); }
void Control::setY2(float v) { y2_ = v, changed(); }
void Control::setFont(Font f) { font_ = std::move(f), changed(); }

bool Control::takesMouse() const {
    switch (kind_) {
        case ControlKind::Image:
        case ControlKind::PictureBox:
        case ControlKind::Label:
        case ControlKind::TextBox:
        case ControlKind::CommandButton:
            return true;
        default:
            return false;
    }
}

namespace {

struct FloatProperty {
    std::string_view name;
    float (Control::*get)() const;
    void (Control::*set)(float);
};

constexpr std::array kFloatProperties{
    FloatProperty{"Left", &Control::left, &Control::setLeft},
    FloatProperty{"Top", &Control::top, &Control::setTop},
    FloatProperty{"Width", &Control::width, &Control::setWidth},
    FloatProperty{"Height", &Control::height, &Control::setHeight},
    FloatProperty{"X1", &Control::x1, &Control::setX1},
    FloatProperty{"Y1", &Control::y1, &Control::setY1},
    FloatProperty{"X2", &Control::x2, &Control::setX2},
    FloatProperty{"Y2", &Control::y2, &Control::setY2},
    FloatProperty{"BorderWidth", &Control::borderWidth, &Control::setBorderWidth},
};

struct ColourProperty {
    std::string_view name;
    Colour (Control::*get)() const;
    void (Control::*set)(Colour);
};

constexpr std::array kColourProperties{
    ColourProperty{"ForeColor", &Control::foreColor, &Control::setForeColor},
    ColourProperty{"BackColor", &Control::backColor, &Control::setBackColor},
    ColourProperty{"FillColor", &Control::fillColor, &Control::setFillColor},
    ColourProperty{"BorderColor", &Control::borderColor, &Control::setBorderColor},
};

}  // namespace

std::optional<std::string> Control::property(std::string_view name) const {
    for (const auto& p : kFloatProperties)
        if (p.name == name) return textOf((this->*p.get)());
    for (const auto& p : kColourProperties)
        if (p.name == name) return textOf(static_cast<double>((this->*p.get)()));
    if (name == "Visible") return boolText(visible_);
    if (name == "Enabled") return boolText(enabled_);
    if (name == "Stretch") return boolText(stretch_);
    if (name == "Caption") return caption_;
    if (name == "Text") return text_;
    if (name == "Picture") return picture_ ? picture_->source() : std::string("(none)");
    if (name == "FontName") return font_.name;
    if (name == "FontSize") return textOf(font_.size);
    if (name == "FontBold") return boolText(font_.bold);
    if (name == "FontItalic") return boolText(font_.italic);
    return std::nullopt;
}

bool Control::setProperty(std::string_view name, std::string_view value) {
    for (const auto& p : kFloatProperties)
        if (p.name == name) {
            (this->*p.set)(toSingle(value));
            return true;
        }
    for (const auto& p : kColourProperties)
        if (p.name == name) {
            Colour c;
            if (!parseColour(value, c)) return false;
            (this->*p.set)(c);
            return true;
        }
    bool flag = false;
    if (name == "Visible" && parseBool(value, flag)) return setVisible(flag), true;
    if (name == "Enabled" && parseBool(value, flag)) return setEnabled(flag), true;
    if (name == "Stretch" && parseBool(value, flag)) return setStretch(flag), true;
    if (name == "Caption") return setCaption(std::string(value)), true;
    if (name == "Text") return setText(std::string(value)), true;
    if (name == "Picture") return setPicture(runtime().loadPicture(value)), true;
    return false;
}

}  // namespace vk
