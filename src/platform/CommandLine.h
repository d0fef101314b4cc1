// The process's command line and the Windows rules for splitting a
// parameters text into arguments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Splits a parameters text as the Windows C runtime (and CommandLineToArgvW
// for everything after the program name) does:
// - blanks and tabs outside quotes separate arguments;
// - a double quote starts or ends a quoted stretch and is dropped; inside a
//   quoted stretch two double quotes in a row give one literal quote;
// - 2n backslashes before a quote give n backslashes and the quote keeps
//   its meaning; 2n+1 give n backslashes and a literal quote;
// - backslashes not followed by a quote are literal;
// - an empty pair of quotes is an empty argument.
std::vector<std::u16string> SplitWindowsArguments(std::u16string_view text);

// Remembers the process's arguments, without the program itself. Called
// once from main; later calls replace them (tests use that).
void SetCommandLineArguments(int argc, const char* const* argv);
void SetCommandLineArguments(std::vector<std::u16string> arguments);

// The arguments remembered by SetCommandLineArguments; empty before.
const std::vector<std::u16string>& CommandLineArguments();

// The position (from 1) of the first argument equal to `sw`, letters a to z
// compared without regard to case, every other character exactly; 0 when
// none is. Only the first 65535 arguments can be told by position.
uint16_t FindSwitch(const std::vector<std::u16string>& args, std::u16string_view sw);

// FindSwitch over the process's own arguments.
uint16_t FindSwitch(std::u16string_view sw);

} // namespace tarvel
