#include "ui/controls/scratch_dc.h"

namespace SkinUI {

namespace {

thread_local HDC t_kept = nullptr;
thread_local bool t_lent = false;

}  // namespace

CScratchDC::CScratchDC() {
    if (t_lent) {
        m_dc = ::CreateCompatibleDC(nullptr);
        m_own = true;
        return;
    }
    if (t_kept == nullptr) t_kept = ::CreateCompatibleDC(nullptr);
    m_dc = t_kept;
    t_lent = m_dc != nullptr;
}

CScratchDC::~CScratchDC() {
    if (m_own) {
        if (m_dc != nullptr) ::DeleteDC(m_dc);
    } else if (m_dc != nullptr) {
        t_lent = false;
    }
}

void CScratchDC::ReleaseForThread() {
    if (t_kept == nullptr || t_lent) return;
    ::DeleteDC(t_kept);
    t_kept = nullptr;
}

}  // namespace SkinUI
