#include "tests/ui/controls/draw_canvas.h"

#include <gtest/gtest.h>

#include <objidl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include "stb_image_write.h"
#pragma GCC diagnostic pop

namespace drawtest {

namespace {

// GDI+ for the drawing tests that run without a paint manager.
class CGdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

const bool g_registered = (::testing::AddGlobalTestEnvironment(new CGdiplusEnvironment), true);

HBITMAP CreateDib(int width, int height, DWORD** bits) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP bmp = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<DWORD*>(p);
    return bmp;
}

}  // namespace

CCanvas::CCanvas(int width, int height, DWORD fill) : m_width(width), m_height(height) {
    (void)g_registered;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = CreateDib(width, height, &m_bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

CCanvas::~CCanvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

void CCanvas::Fill(DWORD argb) {
    ::GdiFlush();
    std::fill(m_bits, m_bits + m_width * m_height, argb);
}

DWORD CCanvas::At(int x, int y) const {
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0xDEADBEEF;
    return m_bits[y * m_width + x];
}

int CCanvas::CountNot(DWORD argb) const {
    ::GdiFlush();
    int n = 0;
    for (int i = 0; i < m_width * m_height; ++i) {
        if ((m_bits[i] & 0x00FFFFFF) != (argb & 0x00FFFFFF)) ++n;
    }
    return n;
}

HBITMAP MakeBitmap(int width, int height, const std::function<DWORD(int, int)>& pixel) {
    DWORD* bits = nullptr;
    HBITMAP bmp = CreateDib(width, height, &bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bits[y * width + x] = pixel(x, y);
    }
    return bmp;
}

bool WritePng(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& pixel) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            DWORD c = pixel(x, y);
            unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = static_cast<unsigned char>(R(c));
            p[1] = static_cast<unsigned char>(G(c));
            p[2] = static_cast<unsigned char>(B(c));
            p[3] = static_cast<unsigned char>(A(c));
        }
    }
    int len = 0;
    unsigned char* png = stbi_write_png_to_mem(rgba.data(), width * 4, width, height, 4, &len);
    if (png == nullptr) return false;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = false;
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = ::WriteFile(file, png, static_cast<DWORD>(len), &written, nullptr) && written == static_cast<DWORD>(len);
        ::CloseHandle(file);
    }
    STBIW_FREE(png);
    return ok;
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path(dir);
    path += L"skinui_controls_";
    path += std::to_wstring(::GetCurrentProcessId());
    path += L"_";
    path += name;
    return path;
}

bool Near(DWORD a, DWORD b, int tol) {
    return std::abs(R(a) - R(b)) <= tol && std::abs(G(a) - G(b)) <= tol && std::abs(B(a) - B(b)) <= tol;
}

}  // namespace drawtest
