// The game's shared routines: the display switch, the restore table used by every exit,
// the random number routine, and the game's files, sounds and links.
#pragma once

#include <string>
#include <string_view>

#include "progress/saved_progress.h"

namespace vk {
class Clock;
class Runtime;
class SoundChannel;
}  // namespace vk

namespace vorkala {

class Game;

// Switches the display to a pixel size (rounded to whole pixels, halves to even).
void SetDisplayMode(vk::Runtime& runtime, float width, float height);

// Switches back to the desktop size recorded at start when it is one of the known modes;
// any other desktop size is not restored.
void RestoreDisplayMode(Game& game);

// A whole number from lo to hi; reseeds from the time of day on every call, so two calls
// at the same clock value return the same number.
float RandomInRange(const vk::Clock& clock, double lo, double hi);

// The game's files as the screens name them: the program folder and a path below it.
std::string programFile(const vk::Runtime& runtime, std::string_view path);

// Prepares a channel as every screen does: the three options off, the device type (may
// be empty: chosen by the file), the file, then "Open".
void openChannel(vk::SoundChannel& channel, const std::string& deviceType, const std::string& file);
// Plays a one-shot sound again from its start: "Close", "Open", "Play".
void replay(vk::SoundChannel& channel);

// Where the mail and web links of every screen lead.
inline constexpr const char* kContactAddress = "fight@vorkala.example";
inline constexpr const char* kMailLink = "mailto:fight@vorkala.example";
inline constexpr const char* kWebLink = "https://www.vorkala.example/";

}  // namespace vorkala
