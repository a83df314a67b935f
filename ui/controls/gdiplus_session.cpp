#include "ui/controls/gdiplus_session.h"

#include <atomic>
#include <mutex>

#include "ui/controls/gdiplus_flat.h"
#include "ui/core/system_library.h"

namespace SkinUI {

namespace {

std::mutex g_lock;
int g_members = 0;
ULONG_PTR g_token = 0;
// Set while GDI+ runs: the drawing calls that ask on every frame take no lock once it has started.
std::atomic<bool> g_running{false};

}  // namespace

void GdiplusSessionJoin() {
    std::lock_guard<std::mutex> hold(g_lock);
    ++g_members;
}

void GdiplusSessionLeave() {
    ULONG_PTR ending = 0;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (g_members > 0) --g_members;
        if (g_members == 0 && g_token != 0) {
            g_running.store(false, std::memory_order_release);
            ending = g_token;
            g_token = 0;
        }
    }
    if (ending != 0) Gdiplus::GdiplusShutdown(ending);
}

bool GdiplusReady() {
    if (g_running.load(std::memory_order_acquire)) return true;
    // No GDI+ on this system (or not all of what is drawn with): nothing is drawn through it.
    if (!DelayImportsReady("gdiplus.dll")) return false;
    // GDI+ starts outside the lock (its start-up loads libraries and may start a thread);
    // when two threads both start it, the second start is shut down again.
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok || token == 0) return false;
    ULONG_PTR surplus = 0;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (g_token == 0) {
            g_token = token;
            g_running.store(true, std::memory_order_release);
        } else {
            surplus = token;
        }
    }
    if (surplus != 0) Gdiplus::GdiplusShutdown(surplus);
    return true;
}

}  // namespace SkinUI
