#include "platform/CommandLine.h"

#include "platform/Unicode.h"

#include <algorithm>
#include <limits>

namespace tarvel {

namespace {

std::vector<std::u16string>& storedArguments() {
    static std::vector<std::u16string> arguments;
    return arguments;
}

char16_t foldAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') ? c - u'a' + u'A' : c;
}

bool sameSwitch(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (foldAsciiLetter(a[i]) != foldAsciiLetter(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::vector<std::u16string> SplitWindowsArguments(std::u16string_view text) {
    std::vector<std::u16string> args;
    std::u16string current;
    // An argument exists once anything, even an empty quoted stretch, began it.
    bool started = false;
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (!quoted && (c == u' ' || c == u'\t')) {
            if (started)
                args.push_back(std::move(current));
            current.clear();
            started = false;
            ++i;
            continue;
        }
        started = true;
        if (c == u'\\') {
            size_t run = 0;
            while (i < text.size() && text[i] == u'\\') {
                ++run;
                ++i;
            }
            if (i < text.size() && text[i] == u'"') {
                current.append(run / 2, u'\\');
                if (run % 2 == 1) {
                    current.push_back(u'"');
                    ++i;
                }
                // With an even run the quote is handled on the next turn.
            } else {
                current.append(run, u'\\');
            }
            continue;
        }
        if (c == u'"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == u'"') {
                current.push_back(u'"');
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current.push_back(c);
        ++i;
    }
    if (started)
        args.push_back(std::move(current));
    return args;
}

void SetCommandLineArguments(int argc, const char* const* argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(U16(argv[i]));
    SetCommandLineArguments(std::move(arguments));
}

void SetCommandLineArguments(std::vector<std::u16string> arguments) {
    storedArguments() = std::move(arguments);
}

const std::vector<std::u16string>& CommandLineArguments() {
    return storedArguments();
}

uint16_t FindSwitch(const std::vector<std::u16string>& args, std::u16string_view sw) {
    // The position is a 16-bit number; arguments past that range cannot be
    // reported without wrapping round to a wrong position.
    const size_t limit = std::min<size_t>(args.size(), std::numeric_limits<uint16_t>::max());
    for (size_t i = 0; i < limit; ++i) {
        if (sameSwitch(args[i], sw))
            return static_cast<uint16_t>(i + 1);
    }
    return 0;
}

uint16_t FindSwitch(std::u16string_view sw) {
    return FindSwitch(CommandLineArguments(), sw);
}

} // namespace tarvel
