#include "generators/WhatsNewSections.h"

namespace tarvel {

namespace {

std::u16string Decimal(size_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

} // namespace

bool IsVersionHeader(std::u16string_view line) {
    return line.size() >= 2 && line.front() == u'[' && line.back() == u']';
}

void WriteWhatsNewSections(TMemIniFile& ini, const std::vector<std::u16string>& lines) {
    const size_t n = lines.size();
    // Every line is looked at as a possible header, but a section's body
    // stops at the next line starting with '[', so each line is written by
    // at most one header and the whole pass stays linear.
    for (size_t i = 0; i < n; ++i) {
        if (!IsVersionHeader(lines[i]))
            continue;
        std::u16string_view name = std::u16string_view(lines[i]).substr(1, lines[i].size() - 2);
        for (size_t j = i + 1; j < n; ++j) {
            const std::u16string& line = lines[j];
            if (line.empty())
                continue;
            if (line.front() == u'[')
                break;
            ini.WriteString(name, Decimal(j - i - 1), line);
        }
    }
}

std::u16string WhatsNewLegacyLine(const std::vector<std::u16string>& lines) {
    size_t size = 0;
    for (const std::u16string& line : lines)
        size += line.size() + 2;
    std::u16string joined;
    joined.reserve(size);
    for (const std::u16string& line : lines) {
        joined += line;
        joined += u"%n";
    }
    return joined;
}

} // namespace tarvel
