#include "runtime/sdl/x_server_hold.h"

#include <X11/Xlib.h>

#include <cstdlib>

#include "runtime/sdl/video_driver.h"

namespace vk::sdl {

namespace {

bool offersDirectRendering(Display* display) {
    int opcode = 0, event = 0, error = 0;
    for (const char* extension : {"DRI3", "DRI2", "NV-GLX"})
        if (XQueryExtension(display, extension, &opcode, &event, &error)) return true;
    return false;
}

}  // namespace

XServerHold::XServerHold() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name || !mayTryVideoDriver("x11")) return;
    Display* display = XOpenDisplay(name);
    reached_ = display != nullptr;
    if (!display) return;
    display_ = display;
    offersGpu_ = offersDirectRendering(display);
}

XServerHold::~XServerHold() { release(); }

void XServerHold::release() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
    display_ = nullptr;
}

}  // namespace vk::sdl
