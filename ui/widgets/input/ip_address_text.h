// IPv4 addresses as the IP-address fields hold them: four octets, each 0..255 or blank
// (kBlankOctet), read from and written as dotted text, and packed into 32 bits with the
// first octet in the highest byte (what MAKEIPADDRESS builds).
#pragma once

#include <windows.h>

#include "ui/core/ui_string.h"

namespace SkinUI {

const int kBlankOctet = -1;

// Up to four dot-separated fields of digits; each field's number is clamped to 0..255,
// a field without digits is blank. Other characters and fields past the fourth are
// ignored; null reads as all blank.
void ParseAddress(const wchar_t* text, int octets[4]);
// "a.b.c.d" with blank octets as 0; empty when all four are blank.
CUIString FormatAddress(const int octets[4]);
// Blank octets pack as 0.
DWORD PackAddress(const int octets[4]);
void UnpackAddress(DWORD address, int octets[4]);
// A number clamped to an octet (below 0: 0).
int ClampOctet(long long value);

}  // namespace SkinUI
