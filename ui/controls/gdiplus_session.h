// GDI+ is started when a drawing first needs it, not with each window: a window whose skin
// draws nothing through GDI+ (opaque fills, GDI text, images) never loads the library,
// which took about 6 ms of the first frame under Wine. Paint managers are the session's
// members; when the last one goes, a started GDI+ is shut down.
#pragma once

namespace SkinUI {

void GdiplusSessionJoin();
void GdiplusSessionLeave();

// Call before any GDI+ function: starts GDI+ on first use. False when it cannot start, and
// the caller then draws nothing through GDI+.
bool GdiplusReady();

}  // namespace SkinUI
