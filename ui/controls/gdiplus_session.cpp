#include "ui/controls/gdiplus_session.h"

#include <atomic>
#include <mutex>

#include "ui/controls/gdiplus_flat.h"

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
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_members > 0) --g_members;
    if (g_members == 0 && g_token != 0) {
        g_running.store(false, std::memory_order_release);
        Gdiplus::GdiplusShutdown(g_token);
        g_token = 0;
    }
}

bool GdiplusReady() {
    if (g_running.load(std::memory_order_acquire)) return true;
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_token == 0) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok) g_token = 0;
    }
    g_running.store(g_token != 0, std::memory_order_release);
    return g_token != 0;
}

}  // namespace SkinUI
