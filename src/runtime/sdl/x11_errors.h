// On X11, SDL wakes its waiting event loop by sending an event to the game's window over a
// second connection to the X server. On a busy server such a wake-up can arrive after the
// window is gone (the game ended meanwhile), and Xlib's default handler then ends the game
// with an error status at its very end, after a clean exit.
#pragma once

namespace vk::sdl {

// Lets that one error (an event sent to a window that no longer exists) pass, and leaves
// every other error to Xlib's own handler. Before SDL starts: SDL keeps the handler it
// finds and puts it back before it closes its connections, where the error shows.
void tolerateEventsToClosedWindows();

}  // namespace vk::sdl
