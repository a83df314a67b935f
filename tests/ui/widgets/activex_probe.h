// A small ActiveX control for the host's tests, made available in this process only
// (its class object is registered with COM while a CProbeClass lives). It runs
// windowed or windowless, draws a plain fill, and writes down the calls it receives.
// Its memory outlives its last reference, so that a call after release is caught
// instead of crashing.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <string>
#include <vector>

namespace probe {

extern const CLSID kProbeClsid;

enum EMode {
    kWindowed,
    kWindowless,
    kFailCreate,    // the class object refuses to make the object
    kFailEveryCall, // every call of the object fails
    kReentrant,     // calls back into its site from inside the host's calls
};

// The accessible object the probe gives (windowless: by QueryInterface; windowed: its
// window's, through WM_GETOBJECT). Its place is the probe's rectangle.
enum EAccessible {
    kNoAccessible,     // none of its own (a windowed probe's window has the system's)
    kTwoChildren,      // client "Probe page": "Headline", an object of its own, above "Story", a simple button
    kAccessibleFails,  // every call fails
    kAccessibleLoops,  // claims accCount children, each of them the object itself, and hits itself
    kAccessibleAsksBack,  // as kAccessibleLoops, but counts 1 more than its host's count, asked meanwhile
};

struct TProbeState {
    EMode mode = kWindowed;
    EAccessible accessible = kNoAccessible;
    long accCount = 0;
    LONG accRefs = 0;        // references held on the accessible objects
    HWND container = nullptr;  // the window the probe is placed in
    std::vector<std::string> calls;
    LONG refs = 0;
    int addRefs = 0;
    int releases = 0;
    bool callAfterRelease = false;
    HWND window = nullptr;
    HWND reportedWindow = nullptr;  // when set, the window it names as its own instead
    RECT pos = {};
    // The calls, joined with spaces, leaving out those in `skip`.
    std::string Joined(const std::vector<std::string>& skip = {}) const;
    int Count(const std::string& call) const;
};

// Registers the class for as long as it lives; each object it makes writes into `state`.
class CProbeClass {
public:
    explicit CProbeClass(TProbeState& state);
    ~CProbeClass();
    CProbeClass(const CProbeClass&) = delete;
    CProbeClass& operator=(const CProbeClass&) = delete;
    bool Registered() const { return m_cookie != 0; }

private:
    DWORD m_cookie = 0;
    IClassFactory* m_factory = nullptr;
};

}  // namespace probe
