#include "ui/core/paint_manager.h"

namespace SkinUI {

// Window half of construction: GDI+ start-up, the shadow, common controls and
// the other per-window resources. Filled in with the window, input and paint code.
void CPaintManagerUI::InitWindowPart() {}

// Window half of destruction: delayed clean-ups, queued notifications, the
// root, timers, tooltip, buffers, the window context, parsed image
// descriptions, GDI+ and the shadow.
void CPaintManagerUI::ReleaseWindowPart() {}

}  // namespace SkinUI
