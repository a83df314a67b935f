// CDragImageTarget: the system's drag image over a drop target's window.
//
// A drag from the shell carries a picture (the icons of the files, and their count),
// which the system draws under the pointer while it is over the desktop. Over one of
// our windows the target has to pass the drag on to the system's drop-target helper
// for the picture to go on following the pointer. The paint manager derives from this
// and passes each step of a drag from its own IDropTarget methods. Where the system
// has no such helper nothing is shown, and the drop works the same.
#pragma once

#include <windows.h>
#include <ole2.h>

struct IDropTargetHelper;

namespace SkinUI {

class CDragImageTarget {
public:
    CDragImageTarget() = default;
    CDragImageTarget(const CDragImageTarget&) = delete;
    CDragImageTarget& operator=(const CDragImageTarget&) = delete;

    bool HasDragImage() const { return m_pImage != nullptr; }

protected:
    ~CDragImageTarget() = default;
    // Made when the window registers as a drop target (OLE is loaded then), released
    // when it revokes, which the deriving class does before it goes.
    void StartDragImage() noexcept;
    void StopDragImage() noexcept;
    enum { kImageEnter, kImageOver, kImageLeave, kImageDrop };
    // One step of the drag; `effect` is the one the target answers with.
    void PassDragImage(int step, HWND window, IDataObject* data, POINTL pt, DWORD effect) noexcept;

private:
    IDropTargetHelper* m_pImage = nullptr;
};

}  // namespace SkinUI
