#include "ui/controls/gdiplus_session.h"

#include <mutex>

#include "ui/controls/gdiplus_flat.h"

namespace SkinUI {

namespace {

std::mutex g_lock;
int g_members = 0;
ULONG_PTR g_token = 0;

}  // namespace

void GdiplusSessionJoin() {
    std::lock_guard<std::mutex> hold(g_lock);
    ++g_members;
}

void GdiplusSessionLeave() {
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_members > 0) --g_members;
    if (g_members == 0 && g_token != 0) {
        Gdiplus::GdiplusShutdown(g_token);
        g_token = 0;
    }
}

bool GdiplusReady() {
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_token == 0) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok) g_token = 0;
    }
    return g_token != 0;
}

}  // namespace SkinUI
