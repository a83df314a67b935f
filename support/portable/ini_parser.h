// INI text parsing core of the configuration store. Portable: no platform headers.
// Text is taken byte-wise (the store feeds it narrow text in code page 936).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace qvx {

using TIniSection = std::map<std::string, std::string>;
using TIniSections = std::map<std::string, TIniSection>;

struct TIniSyntax {
    char separator = '=';
    char escape = '\\';
    std::vector<std::string> commentMarkers{"#"};
};

// Trims space, tab, line feed, carriage return, form feed and vertical tab at both ends.
std::string TrimIniSpace(const std::string& text);

// Removes comments from one line: a marker not preceded by the escape character cuts the line
// there; an escaped marker stays literal and loses its escape character.
std::string StripIniComment(std::string line, const TIniSyntax& syntax);

// Parses `text` into `sections` (cleared first). Each malformed line adds one diagnostic
// ("l.<n>: ini parsing failed, ...") to `diagnostics` (not cleared) and the parse goes on.
void ParseIni(const std::string& text, const TIniSyntax& syntax, TIniSections& sections,
              std::vector<std::string>& diagnostics);

} // namespace qvx
