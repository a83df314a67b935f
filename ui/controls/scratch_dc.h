// A memory DC kept for the thread and lent to one drawing at a time. Drawing code
// that selects an image into a memory DC for a few blits then pays for creating
// the DC once, not at every drawing (a progress step repaints its bar ten times
// a second). A drawing that starts while the DC is lent (a drawing inside a
// drawing) gets a DC of its own. The borrower must select back what it selected.
#pragma once

#include <windows.h>

namespace SkinUI {

class CScratchDC {
public:
    CScratchDC();
    ~CScratchDC();
    CScratchDC(const CScratchDC&) = delete;
    CScratchDC& operator=(const CScratchDC&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

    // Deletes the calling thread's kept DC (the framework's end, the last window's end).
    static void ReleaseForThread();

private:
    HDC m_dc = nullptr;
    bool m_own = false;  // a DC of its own, deleted at the end
};

}  // namespace SkinUI
