#pragma once
// CShadowUI: a soft shadow around a skinned window, drawn by a separate layered
// window of the class "ObrinShadowWnd". The shadow follows its window's position,
// size, visibility and Z order (it watches the window through a subclass), and is
// drawn either from a nine-grid image ("shadowimage" cut by "shadowcorner") or,
// without an image, from size, sharpness, darkness, colour and offset.
// Where layered windows are unavailable no shadow is shown.

#include <windows.h>

#include "ui/core/ui_rect.h"
#include "ui/core/ui_string.h"

namespace SkinUI {

class CPaintManagerUI;

class CShadowUI {
public:
    static const wchar_t kWindowClassName[];  // "ObrinShadowWnd"

    CShadowUI();
    ~CShadowUI();
    CShadowUI(const CShadowUI&) = delete;
    CShadowUI& operator=(const CShadowUI&) = delete;

    // Registers the shadow window class once per process; true when it is available.
    static bool RegisterWindowClass(HINSTANCE instance);

    // Binds the shadow to the paint manager of the window it will follow.
    void SetManager(CPaintManagerUI* manager);
    CPaintManagerUI* GetManager() const { return m_manager; }

    // Creates the shadow window for `owner` (the skinned window) when the shadow is
    // switched on; does nothing when it is off, already created, or layered windows
    // are unavailable.
    void Create(HWND owner);
    // Destroys the shadow window and stops following the skinned window.
    void Destroy();

    // Settings from the skin. Each returns false for a value out of range.
    void ShowShadow(bool show);
    bool IsShowShadow() const { return m_show; }
    bool SetSize(int size);               // 0..255 pixels around the window
    int GetSize() const { return m_size; }
    bool SetSharpness(int sharpness);     // 0..20: higher is a harder edge
    int GetSharpness() const { return m_sharpness; }
    bool SetDarkness(int darkness);       // 0..255: alpha next to the window
    int GetDarkness() const { return m_darkness; }
    bool SetPosition(int x, int y);       // offset of the shadow, each within +-size
    POINT GetPosition() const { return m_offset; }
    void SetColor(DWORD argb);            // colour of a computed shadow (alpha ignored)
    DWORD GetColor() const { return m_color; }
    bool SetImage(const wchar_t* name);   // image drawn as a nine-grid instead
    const CUIString& GetImage() const { return m_image; }
    bool SetShadowCorner(const RECT& corner);
    const CUIRect& GetShadowCorner() const { return m_corner; }

    // The shadow window (null until created) and the screen rectangle it covers
    // for a skinned window at `ownerRect` (size and offset scaled by the window's DPI).
    HWND GetHWND() const { return m_hWnd; }
    RECT ShadowRectFor(const RECT& ownerRect) const;

    // Follows the skinned window: rebuilds the bitmap when its size changed, moves
    // behind it, and shows or hides with it. Called on its position changes.
    void Update();
    // Draws the shadow again at the next update (after the window's DPI scale changed).
    void Refresh();

    // Alpha of a computed shadow at `distance` pixels outside the window's edge
    // (negative: under the window). Exposed for tests.
    static BYTE ComputedAlpha(int distance, int size, int sharpness, int darkness);

private:
    static LRESULT CALLBACK OwnerSubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR data);
    static LRESULT CALLBACK ShadowWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Paints the shadow for a skinned window of the given size into a new 32-bit
    // premultiplied bitmap and hands it to the layered window.
    bool Redraw(const RECT& ownerRect);
    bool DrawImage(HDC dc, int width, int height);
    void DrawComputed(BYTE* pixels, int width, int height, const RECT& ownerRect);
    // Size and offset as drawn: scaled by the manager's DPI scale like markup geometry.
    int DrawnSize() const;
    POINT DrawnOffset() const;

    CPaintManagerUI* m_manager = nullptr;
    HWND m_owner = nullptr;
    HWND m_hWnd = nullptr;
    bool m_subclassed = false;
    SIZE m_lastSize = {-1, -1};

    bool m_show = false;
    int m_size = 0;
    int m_sharpness = 5;
    int m_darkness = 150;
    POINT m_offset = {0, 0};
    DWORD m_color = 0;
    CUIString m_image;
    CUIRect m_corner;
};

}  // namespace SkinUI
