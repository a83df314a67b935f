// The system's windowless text services (riched20.dll), looked up at run time.
//
// Calling convention: the text host and text services interfaces are declared by
// the system without __stdcall on their own methods (only IUnknown's three are
// stdcall). On x86_64 there is one convention, so this does not matter. On i686
// Microsoft's compiler makes such member functions __thiscall ('this' in ECX,
// callee pops the arguments), and riched20.dll calls our host and expects to be
// called that way. mingw's <textserv.h> declares them the same way (no
// convention), and GCC's default for member functions on i686-w64-mingw32 is
// __thiscall too. TEXTSERV_CALL spells the convention out on every method we
// implement and every call we make goes through the header's declarations, and
// the static_asserts in text_services.cpp pin the header's declarations to
// __thiscall, so that a header or compiler that differs fails to build instead
// of corrupting the stack at run time. A STDMETHOD host would have compiled
// and run on x86_64 and crashed on i686.
#pragma once

#include <windows.h>
#include <richedit.h>
#include <textserv.h>

#if defined(__i386__)
#define TEXTSERV_CALL __attribute__((thiscall))
#else
#define TEXTSERV_CALL
#endif

namespace SkinUI {
namespace TextServices {

// The interface identifiers as riched20.dll exports them (null before Ready()).
const IID* ServicesIid();
const IID* HostIid();

// Loads riched20.dll from the system directory once and finds CreateTextServices and
// the two identifiers. False when any is missing: rich edits then stay empty and inert.
bool Ready();

// Creates text services for `host`; returns the ITextServices interface (one reference)
// or null.
ITextServices* Create(ITextHost* host);

}  // namespace TextServices
}  // namespace SkinUI
