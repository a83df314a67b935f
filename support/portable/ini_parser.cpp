#include "support/portable/ini_parser.h"

namespace qvx {
namespace {

const char kSpace[] = " \t\n\r\f\v";

std::string Diagnostic(std::size_t lineNumber, const std::string& what)
{
    return "l." + std::to_string(lineNumber) + ": ini parsing failed, " + what;
}

} // namespace

std::string TrimIniSpace(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

std::string StripIniComment(std::string line, const TIniSyntax& syntax)
{
    for (const std::string& marker : syntax.commentMarkers) {
        if (marker.empty())
            continue;
        std::size_t from = 0;
        for (;;) {
            const std::size_t pos = line.find(marker, from);
            if (pos == std::string::npos)
                break;
            if (pos == 0) {
                line.clear();
                break;
            }
            if (line[pos - 1] == syntax.escape) {
                line.erase(pos - 1, 1);
                from = pos - 1 + marker.size();
                continue;
            }
            line.erase(pos);
            break;
        }
    }
    return line;
}

void ParseIni(const std::string& text, const TIniSyntax& syntax, TIniSections& sections,
              std::vector<std::string>& diagnostics)
{
    sections.clear();
    TIniSection* current = nullptr;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++lineNumber;
        const std::string line = TrimIniSpace(StripIniComment(text.substr(start, end - start), syntax));
        start = end + 1;
        if (line.empty())
            continue;

        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            std::string name;
            if (close == std::string::npos) {
                name = line.substr(1);
                diagnostics.push_back(Diagnostic(lineNumber, "section not closed"));
            } else {
                name = line.substr(1, close - 1);
                if (close == 1)
                    diagnostics.push_back(Diagnostic(lineNumber, "section is empty"));
            }
            current = &sections[name];
            continue;
        }

        if (current == nullptr) {
            diagnostics.push_back(Diagnostic(lineNumber, "field has no section"));
            continue;
        }
        const std::size_t separator = line.find(syntax.separator);
        if (separator == std::string::npos) {
            diagnostics.push_back(Diagnostic(lineNumber, std::string("no '") + syntax.separator + "' found"));
            (*current)[line] = line;
            continue;
        }
        (*current)[TrimIniSpace(line.substr(0, separator))] = TrimIniSpace(line.substr(separator + 1));
    }
}

} // namespace qvx
