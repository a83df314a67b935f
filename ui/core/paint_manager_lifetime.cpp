#include "ui/core/paint_manager.h"

namespace SkinUI {

CUIPtrArray CPaintManagerUI::s_aPreMessages;
HPEN CPaintManagerUI::s_hUpdateRectPen = nullptr;

CPaintManagerUI::CPaintManagerUI() {
    InitResourcePart();
    InitWindowPart();
}

CPaintManagerUI::~CPaintManagerUI() {
    ReleaseWindowPart();
    ReleaseResourcePart();
}

}  // namespace SkinUI
