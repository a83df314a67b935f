#include "value_check.h"

#include <algorithm>
#include <cwctype>

namespace skinview {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// An optionally signed decimal after optional blanks; advances `p`.
bool ReadInteger(const wchar_t*& p) {
    while (*p == L' ' || *p == L'\t') ++p;
    if (*p == L'+' || *p == L'-') ++p;
    if (!IsDigit(*p)) return false;
    while (IsDigit(*p)) ++p;
    while (*p == L' ' || *p == L'\t') ++p;
    return true;
}

// `count` integers separated by commas, nothing else.
std::wstring CheckIntegers(const std::wstring& value, int count) {
    const std::wstring wrong =
        count == 1 ? L"not a whole number" : L"wants " + std::to_wstring(count) + L" whole numbers separated by commas";
    const wchar_t* p = value.c_str();
    for (int i = 0; i < count; ++i) {
        if (i > 0 && *p++ != L',') return wrong;
        if (!ReadInteger(p)) return wrong;
    }
    return *p == 0 ? L"" : wrong;
}

std::wstring Lower(const std::wstring& s) {
    std::wstring out(s);
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

size_t EditDistance(const std::wstring& a, const std::wstring& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::wstring CheckValue(SkinUI::attr::EValueKind kind, const std::wstring& value) {
    using namespace SkinUI::attr;
    switch (kind) {
        case kValueBool:
            if (Lower(value) == L"true" || Lower(value) == L"false") return L"";
            return L"not true or false (reads as false)";
        case kValueInt:
        case kValueFont:
            return CheckIntegers(value, 1);
        case kValuePair:
            return CheckIntegers(value, 2);
        case kValueRect:
            return CheckIntegers(value, 4);
        case kValueColor: {
            const wchar_t* p = value.c_str();
            while (*p == L' ' || *p == L'\t') ++p;
            if (*p == L'#') ++p;
            size_t digits = 0;
            while (std::iswxdigit(*p) && digits < 9) {
                ++p;
                ++digits;
            }
            if (digits == 0 || digits > 8 || *p != 0) return L"not a colour (#AARRGGBB)";
            return L"";
        }
        case kValueImage:
        case kValueStyle:
            return value.empty() ? L"empty" : L"";
    }
    return L"";
}

std::wstring NearestName(const std::wstring& word, const std::vector<std::wstring>& candidates) {
    const std::wstring lower = Lower(word);
    std::wstring best;
    size_t bestDistance = 0;
    for (const std::wstring& candidate : candidates) {
        const size_t d = EditDistance(lower, Lower(candidate));
        if (best.empty() || d < bestDistance) {
            best = candidate;
            bestDistance = d;
        }
    }
    // A typo changes a few letters; beyond a third of the word it is another word.
    const size_t limit = std::max<size_t>(1, std::min<size_t>(3, (word.size() + 2) / 3));
    return bestDistance <= limit ? best : L"";
}

}  // namespace skinview
