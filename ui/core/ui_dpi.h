// CUIDpiScale: the DPI scale of one window. Geometry read from markup is stored
// unscaled and passed through Scale() on every read: MulDiv(v, percent, 100).
#pragma once

#include <windows.h>

namespace SkinUI {

class CUIDpiScale {
public:
    // How the process handles DPI; stored for the window code, scaling itself
    // depends only on the percentage.
    enum EMode { kUnaware = 0, kSystemAware = 1, kPerMonitorAware = 2 };

    CUIDpiScale() = default;

    // 96 DPI is 100 percent.
    void SetDpi(UINT dpi);
    UINT GetDpi() const;
    void SetScale(int percent);
    int GetScale() const { return m_percent; }
    void SetMode(EMode mode) { m_mode = mode; }
    EMode GetMode() const { return m_mode; }

    int Scale(int value) const;
    // Back from device pixels to unscaled units: MulDiv(v, 100, percent).
    int ScaleBack(int value) const;
    SIZE Scale(SIZE size) const;
    POINT Scale(POINT pt) const;
    // Left and top are scaled, and width and height separately.
    RECT Scale(const RECT& rc) const;
    void ScaleRect(RECT* rc) const;

private:
    int m_percent = 100;
    EMode m_mode = kUnaware;
};

}  // namespace SkinUI
