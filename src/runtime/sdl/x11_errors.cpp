#include "runtime/sdl/x11_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace vk::sdl {

namespace {

XErrorHandler previousHandler = nullptr;

int handleError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previousHandler ? previousHandler(display, error) : 0;
}

}  // namespace

void tolerateEventsToClosedWindows() {
    if (!previousHandler) previousHandler = XSetErrorHandler(handleError);
}

}  // namespace vk::sdl
