// The one place where the runtime shows a message to the user.
#pragma once

#include <string>

namespace zembrio {

// Message-box style codes: the button set in the low four bits, the icon in the next four.
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;

inline constexpr int kIdOk = 1;

// Shows text under caption and returns the pressed button. Until the GUI exists the message goes to
// standard error as "caption: text" and the answer is OK.
int messageDialog(const std::string& caption, const std::string& text, unsigned style);

} // namespace zembrio
