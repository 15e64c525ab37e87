// The code box of the selection screen: the whole text typed into it is compared with
// the codes, letter case counting; its prompts blink until the player clicks into it.
#pragma once

namespace vorkala {

// Shows the right roster's secret fighter.
inline constexpr const char* kSecretFighterCode = "Rodimir Kestl";
// Show a turbo start button with its side's lives picture.
inline constexpr const char* kLeftTurboCode = "turbo levak";
inline constexpr const char* kRightTurboCode = "turbo pravak";
// Puts the left human back on the right roster's ladder at step 11, with three lives.
inline constexpr const char* kLadderResumeCode = "zpet do veze";
inline constexpr int kResumeStep = 11;
inline constexpr double kResumeEnergyBonus = 200;
// Shows the button that deletes the saved progress.
inline constexpr const char* kDeleteButtonCode = "smazat hrace";

// The prompts, which match no code.
inline constexpr const char* kCzechCodePrompt = "zde napis tvuj K\u00d3D!";
inline constexpr const char* kEnglishCodePrompt = "write here your code!";

}  // namespace vorkala
