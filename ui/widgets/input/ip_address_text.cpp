#include "ui/widgets/input/ip_address_text.h"

namespace SkinUI {

int ClampOctet(long long value) { return value < 0 ? 0 : value > 255 ? 255 : static_cast<int>(value); }

void ParseAddress(const wchar_t* text, int octets[4]) {
    for (int i = 0; i < 4; ++i) octets[i] = kBlankOctet;
    int field = 0;
    for (const wchar_t* p = text; p != nullptr && *p != 0 && field < 4; ++p) {
        if (*p == L'.') {
            ++field;
        } else if (*p >= L'0' && *p <= L'9') {
            const int current = octets[field] == kBlankOctet ? 0 : octets[field];
            octets[field] = ClampOctet(current * 10LL + (*p - L'0'));
        }
    }
}

CUIString FormatAddress(const int octets[4]) {
    bool any = false;
    for (int i = 0; i < 4; ++i) any = any || octets[i] != kBlankOctet;
    if (!any) return CUIString();
    CUIString text;
    text.Format(L"%d.%d.%d.%d", ClampOctet(octets[0]), ClampOctet(octets[1]), ClampOctet(octets[2]),
                ClampOctet(octets[3]));
    return text;
}

DWORD PackAddress(const int octets[4]) {
    DWORD address = 0;
    for (int i = 0; i < 4; ++i) address = (address << 8) | static_cast<DWORD>(ClampOctet(octets[i]));
    return address;
}

void UnpackAddress(DWORD address, int octets[4]) {
    for (int i = 0; i < 4; ++i) octets[i] = static_cast<int>((address >> (24 - 8 * i)) & 0xFF);
}

}  // namespace SkinUI
