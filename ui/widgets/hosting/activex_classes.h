// Which COM classes skins may host, how a class is named in markup, and whether the
// calling thread can host one at all.
//
// A skin names a class by CLSID ("{8856F961-340A-11D0-A96B-00C04FD705A2}") or by
// ProgID ("Shell.Explorer.2"). Either way the class is created only when the program
// allowed it: a skin folder must not be a way to load any in-process server on the
// machine. The list is the program's, one per process, empty until it adds classes.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace SkinUI {
namespace ActiveXClasses {

// The program's allow-list (UI thread only).
void Allow(const CLSID& clsid);
void Disallow(const CLSID& clsid);
void DisallowAll();
bool IsAllowed(const CLSID& clsid);

// Turns a CLSID text (braces optional) or a ProgID into the class. CO_E_CLASSSTRING
// for malformed text and (the system's answer) for an unknown ProgID.
HRESULT Resolve(const wchar_t* name, CLSID& clsid);

// S_OK when the calling thread is in a single-threaded apartment (COM and OLE set up
// by the program); CO_E_NOTINITIALIZED when nothing is set up, RPC_E_CHANGED_MODE in a
// multi-threaded apartment. The thread's state is left as it was.
HRESULT ThreadReady();

}  // namespace ActiveXClasses
}  // namespace SkinUI
