#include "shell/ok_pulse.h"

namespace vorkala {

namespace {
constexpr float kGrownHeight = 1015, kGrownWidth = 1555;
constexpr float kDesignHeight = 915, kDesignWidth = 1455;
}  // namespace

void pulseOkButton(vk::Control& button, std::int16_t& counter) {
    ++counter;
    if (counter == 1) {
        button.setHeight(kGrownHeight);
        button.setWidth(kGrownWidth);
    }
    if (counter == 2) {
        button.setHeight(kDesignHeight);
        button.setWidth(kDesignWidth);
        counter = 0;
    }
}

}  // namespace vorkala
