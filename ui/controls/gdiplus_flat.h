// The GDI+ flat API as the render engine uses it, and owners for its objects.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace SkinUI {

namespace gp = Gdiplus::DllExports;

// Owns one GDI+ object and frees it with the matching Gdip*Delete call.
template <class T, Gdiplus::GpStatus(WINGDIPAPI* Free)(T*)>
class CGdipObject {
public:
    CGdipObject() : m_p(nullptr) {}
    ~CGdipObject() {
        if (m_p != nullptr) Free(m_p);
    }
    CGdipObject(const CGdipObject&) = delete;
    CGdipObject& operator=(const CGdipObject&) = delete;
    T** Out() { return &m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p;
};

typedef CGdipObject<Gdiplus::GpGraphics, gp::GdipDeleteGraphics> CGdipGraphics;
typedef CGdipObject<Gdiplus::GpBrush, gp::GdipDeleteBrush> CGdipBrush;
typedef CGdipObject<Gdiplus::GpPen, gp::GdipDeletePen> CGdipPen;
typedef CGdipObject<Gdiplus::GpPath, gp::GdipDeletePath> CGdipPath;
typedef CGdipObject<Gdiplus::GpFont, gp::GdipDeleteFont> CGdipFont;
typedef CGdipObject<Gdiplus::GpStringFormat, gp::GdipDeleteStringFormat> CGdipStringFormat;

}  // namespace SkinUI
