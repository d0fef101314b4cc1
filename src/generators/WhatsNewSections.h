// The What's New box's lines turned into the version sections of
// update.txt, and into the one-line form the updaters up to 4.4 read.
#pragma once

#include "core/IniFiles.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// A line is a version header when it starts with '[' and ends with ']' and
// is longer than the single '['; "[]" is a header with an empty name.
bool IsVersionHeader(std::u16string_view line);

// For each header, WriteString of the lines after it into the section named
// by the text between its brackets, under the key of the line's distance
// from the header less one. An empty line is passed over without reusing its
// number; a line starting with '[' ends the section. Lines are written
// unchanged, spaces and '=' included.
void WriteWhatsNewSections(TMemIniFile& ini, const std::vector<std::u16string>& lines);

// Every line followed by "%n", joined without separator.
std::u16string WhatsNewLegacyLine(const std::vector<std::u16string>& lines);

} // namespace tarvel
