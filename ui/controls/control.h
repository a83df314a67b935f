// CControlUI: the base of every element of a skinned window.
//
// A control holds its geometry (the item rectangle set by the layout pass, and
// the unscaled markup sizes that are DPI-scaled on every read), its colours,
// images, text and flags, turns markup attributes into that state, takes part
// in layout (MeasureDesired, PlaceAt), paints itself in a fixed order of layers
// and handles the input events that the paint manager routes to it.
//
// The virtual operations are declared in a fixed slot order (0..95); derived
// classes append after slot 95. Do not reorder them.
#pragma once

#include <windows.h>

#include "ui/controls/delegate.h"
#include "ui/core/ui_events.h"
#include "ui/core/ui_ptr_array.h"
#include "ui/core/ui_rect.h"
#include "ui/core/ui_string.h"
#include "ui/core/ui_string_map.h"

namespace SkinUI {

class CPaintManagerUI;
class CControlUI;

// Search callback of FindMatching: returns the control to report, or null.
typedef CControlUI* (*FindControlProc)(CControlUI* control, void* data);

// Search flags of FindMatching.
enum EUIFindFlags : unsigned int {
    UIFIND_ALL = 0x00000000,
    UIFIND_VISIBLE = 0x00000001,
    UIFIND_ENABLED = 0x00000002,
    UIFIND_HITTEST = 0x00000004,     // data is a POINT*
    UIFIND_UPDATETEST = 0x00000008,  // containers: a callback result on the container hides its children
    UIFIND_TOP_FIRST = 0x00000010,   // children from last to first
    UIFIND_ME_FIRST = 0x80000000,    // the container before its children
};

// Control flags (slot 5).
enum EUIControlFlags : unsigned int {
    UIFLAG_TABSTOP = 0x00000001,
    UIFLAG_SETCURSOR = 0x00000002,
};

// Float alignment bits (the text-drawing flag values).
enum EUIFloatAlign : unsigned int {
    UIFLOAT_CENTER = 0x1,   // DT_CENTER
    UIFLOAT_RIGHT = 0x2,    // DT_RIGHT
    UIFLOAT_VCENTER = 0x4,  // DT_VCENTER
    UIFLOAT_BOTTOM = 0x8,   // DT_BOTTOM
};

// Relative placement of a floating child: fractions of the parent's size.
struct TUIFloatPercent {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

class CControlUI {
public:
    CControlUI();

    // ---- virtual operations, slots 0..95 (order is fixed) ----
    virtual ~CControlUI();                                         // 0
    virtual CUIString GetName() const;                             // 1
    virtual void SetName(const wchar_t* name);                     // 2
    virtual const wchar_t* GetClass() const;                       // 3 "ControlUI"
    virtual void* GetInterface(const wchar_t* name);               // 4 "Control"
    virtual UINT GetControlFlags() const;                          // 5
    virtual bool Activate();                                       // 6
    virtual CPaintManagerUI* GetManager() const;                   // 7
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);  // 8
    virtual CControlUI* GetParent() const;                         // 9
    virtual CUIString GetText() const;                             // 10
    virtual void SetText(const wchar_t* text);                     // 11
    virtual bool IsResourceText() const;                           // 12
    virtual void SetResourceText(bool resource);                   // 13
    virtual bool IsDragEnabled() const;                            // 14
    virtual void SetDragEnabled(bool enable);                      // 15
    virtual bool IsDropEnabled() const;                            // 16
    virtual void SetDropEnabled(bool enable);                      // 17
    virtual bool IsRichEvent() const;                              // 18
    virtual void SetRichEvent(bool enable);                        // 19
    virtual CUIRect GetRelativePos() const;                        // 20
    virtual CUIRect GetClientPos() const;                          // 21 item rectangle (containers: less inset)
    virtual const CUIRect& GetPos() const;                         // 22
    virtual void PlaceAt(CUIRect rc, bool invalidate = true);      // 23
    virtual void MoveBy(int dx, int dy);                           // 24
    virtual int GetWidth() const;                                  // 25
    virtual int GetHeight() const;                                 // 26
    virtual int GetX() const;                                      // 27
    virtual int GetY() const;                                      // 28
    virtual CUIRect GetPadding() const;                            // 29 scaled
    virtual void SetPadding(CUIRect padding);                      // 30
    virtual SIZE GetFixedXY() const;                               // 31 scaled
    virtual void SetFixedXY(SIZE xy);                              // 32
    virtual SIZE GetFixedSize() const;                             // 33 scaled
    virtual int GetFixedWidth() const;                             // 34 scaled
    virtual void SetFixedWidth(int cx);                            // 35
    virtual int GetFixedHeight() const;                            // 36 scaled
    virtual void SetFixedHeight(int cy);                           // 37
    virtual int GetMinWidth() const;                               // 38 scaled
    virtual void SetMinWidth(int cx);                              // 39
    virtual int GetMaxWidth() const;                               // 40 scaled
    virtual void SetMaxWidth(int cx);                              // 41
    virtual int GetMinHeight() const;                              // 42 scaled
    virtual void SetMinHeight(int cy);                             // 43
    virtual int GetMaxHeight() const;                              // 44 scaled
    virtual void SetMaxHeight(int cy);                             // 45
    virtual TUIFloatPercent GetFloatPercent() const;               // 46
    virtual void SetFloatPercent(TUIFloatPercent percent);         // 47
    virtual void SetFloatAlign(UINT align);                        // 48
    virtual UINT GetFloatAlign() const;                            // 49
    virtual CUIString GetToolTip() const;                          // 50
    virtual void SetToolTip(const wchar_t* text);                  // 51
    virtual void SetToolTipWidth(int width);                       // 52
    virtual int GetToolTipWidth() const;                           // 53 scaled
    virtual WORD GetCursor() const;                                // 54
    virtual void SetCursor(WORD cursor);                           // 55
    virtual wchar_t GetShortcut() const;                           // 56
    virtual void SetShortcut(wchar_t ch);                          // 57
    virtual bool IsContextMenuUsed() const;                        // 58
    virtual void SetContextMenuUsed(bool menu);                    // 59
    virtual CUIString GetUserData() const;                         // 60
    virtual void SetUserData(const wchar_t* text);                 // 61
    virtual UINT_PTR GetTag2() const;                              // 62 second tag value
    virtual void SetTag2(UINT_PTR tag);                            // 63
    virtual UINT_PTR GetTag() const;                               // 64 first tag value
    virtual void SetTag(UINT_PTR tag);                             // 65
    virtual bool IsVisible() const;                                // 66 visible and internally visible
    virtual void SetVisible(bool visible = true);                  // 67
    virtual void SetInternVisible(bool visible = true);            // 68
    virtual bool IsEnabled() const;                                // 69
    virtual void SetEnabled(bool enable = true);                   // 70
    virtual bool IsMouseEnabled() const;                           // 71
    virtual void SetMouseEnabled(bool enable = true);              // 72
    virtual bool IsKeyboardEnabled() const;                        // 73
    virtual void SetKeyboardEnabled(bool enable = true);           // 74
    virtual bool IsFocused() const;                                // 75
    virtual void SetFocus();                                       // 76 asks the manager
    virtual bool IsFloat() const;                                  // 77
    virtual void SetFloat(bool floating = true);                   // 78
    virtual CControlUI* FindMatching(FindControlProc proc, void* data, UINT flags);  // 79
    virtual void Initialize();                                     // 80
    virtual void InitializeSelf();                                 // 81
    virtual void RaiseEvent(TUIEvent& event);                      // 82
    virtual void HandleEvent(TUIEvent& event);                     // 83
    virtual void ApplyAttribute(const wchar_t* name, const wchar_t* value);  // 84
    virtual SIZE MeasureDesired(SIZE available);                   // 85
    virtual bool PaintClipped(HDC dc, const RECT& paint, CControlUI* stop);  // 86
    virtual bool PaintLayers(HDC dc, const RECT& paint, CControlUI* stop);   // 87
    virtual void DrawBackColor(HDC dc);                            // 88
    virtual void DrawBackImage(HDC dc);                            // 89
    virtual void DrawStateImage(HDC dc);                           // 90
    virtual void DrawForeColor(HDC dc);                            // 91
    virtual void DrawForeImage(HDC dc);                            // 92
    virtual void DrawLabelText(HDC dc);                            // 93
    virtual void DrawBorder(HDC dc);                               // 94
    virtual void DrawOverlay(HDC dc);                              // 95 after a container's children

    // ---- non-virtual operations ----
    // Invalidates the visible part of the item rectangle (clipped by ancestors).
    void Repaint();
    // Marks this control for layout, repaints it and asks the manager for a layout pass.
    void MarkDirty();
    // Marks the parent (or this control) for layout; asks the manager for a layout pass.
    void MarkParentDirty();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }

    // Applies `name="value"` pairs (or the style named by the whole list).
    // Lists nest through styles at most kMaxListDepth levels deep: a deeper one
    // (a style that names itself, directly or through others) is dropped and
    // the rest applies. Past kMaxListChars characters or kMaxListAttributes
    // attributes of lists in all, the rest is dropped too, so that styles
    // naming styles cannot multiply.
    void ApplyAttributeString(const wchar_t* list);
    enum { kMaxListDepth = 8, kMaxListChars = 1 << 16, kMaxListAttributes = 4096 };
    // Characters and attributes of attribute lists this control has read so far.
    int GetAppliedListChars() const { return m_nListChars; }
    int GetAppliedListAttributes() const { return m_nListAttributes; }
    // Keeps the first value of an unknown attribute.
    void StoreExtraAttribute(const wchar_t* name, const wchar_t* value);
    // An unknown attribute stored earlier, or null.
    const wchar_t* GetExtraAttribute(const wchar_t* name) const;

    // Draws an image description over the item rectangle, within the paint rectangle.
    bool DrawImageSpec(HDC dc, const wchar_t* description, const wchar_t* modifier = nullptr);
    // The colour adjusted by the window's HSL when colour HSL is on.
    DWORD ApplyHsl(DWORD color) const;

    CUIString GetVirtualWnd() const;
    void SetVirtualWnd(const wchar_t* name);

    // Looks.
    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(DWORD color);
    DWORD GetBkColor2() const { return m_dwBackColor2; }
    void SetBkColor2(DWORD color);
    DWORD GetBkColor3() const { return m_dwBackColor3; }
    void SetBkColor3(DWORD color);
    DWORD GetForeColor() const { return m_dwForeColor; }
    void SetForeColor(DWORD color);
    const CUIString& GetBkImage() const { return m_sBkImage; }
    void SetBkImage(const wchar_t* description);
    const CUIString& GetForeImage() const { return m_sForeImage; }
    void SetForeImage(const wchar_t* description);
    DWORD GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(DWORD color);
    DWORD GetFocusBorderColor() const { return m_dwFocusBorderColor; }
    void SetFocusBorderColor(DWORD color);
    bool IsColorHSL() const { return m_bColorHSL; }
    void SetColorHSL(bool hsl);
    int GetBorderSize() const;  // scaled
    void SetBorderSize(int size);
    // Per-side sizes (scaled on read).
    CUIRect GetBorderSizes() const;
    void SetBorderSize(CUIRect sizes);
    void SetLeftBorderSize(int size);
    void SetTopBorderSize(int size);
    void SetRightBorderSize(int size);
    void SetBottomBorderSize(int size);
    int GetBorderStyle() const { return m_nBorderStyle; }
    void SetBorderStyle(int style);
    SIZE GetBorderRound() const;  // scaled
    void SetBorderRound(SIZE round);
    const CUIString& GetGradient() const { return m_sGradient; }
    void SetGradient(const wchar_t* direction);
    // Laid over a control that accepts drops while files are dragged over it (0: none; the
    // border's default is the window's selected colour).
    DWORD GetDropBkColor() const { return m_dwDropBackColor; }
    void SetDropBkColor(DWORD color) { m_dwDropBackColor = color; }
    DWORD GetDropBorderColor() const { return m_dwDropBorderColor; }
    void SetDropBorderColor(DWORD color) { m_dwDropBorderColor = color; }

    const CUIRect& GetPaintRect() const { return m_rcPaint; }
    HINSTANCE GetResourceInstance() const { return m_hInstance; }
    void SetResourceInstance(HINSTANCE instance) { m_hInstance = instance; }

    // Unscaled values as stored from markup (tests and the skin builder read them).
    const CUIRect& GetPaddingRaw() const { return m_rcPadding; }
    SIZE GetFixedXYRaw() const { return m_cXY; }
    SIZE GetFixedSizeRaw() const { return m_cxyFixed; }

    // Listener lists (public, like events).
    CListenerList OnInit;     // param: CControlUI*
    CListenerList OnDestroy;  // param: CControlUI*
    CListenerList OnSize;     // param: CControlUI*
    CListenerList OnEvent;    // param: TUIEvent*; false swallows the event
    CListenerList OnNotify;   // param: TUINotify*; called by the manager before delivery

protected:
    // Scaling helpers: identity without a manager.
    int Scale(int v) const;
    CUIRect ScaleRect(const RECT& rc) const;
    SIZE ScaleSize(SIZE sz) const;
    // Invalidates `rc` clipped by every ancestor's item rectangle.
    void InvalidateClipped(CUIRect rc);

    CPaintManagerUI* m_pManager;
    CControlUI* m_pParent;
    CUIString m_sVirtualWnd;
    CUIString m_sName;
    CUIRect m_rcItem;
    CUIRect m_rcPadding;
    SIZE m_cXY;
    SIZE m_cxyFixed;
    SIZE m_cxyMin;
    SIZE m_cxyMax;
    TUIFloatPercent m_piFloatPercent;
    UINT m_uFloatAlign;
    CUIString m_sText;
    CUIString m_sToolTip;
    CUIString m_sUserData;
    UINT_PTR m_pTag;
    UINT_PTR m_pTag2;
    CUIString m_sGradient;
    DWORD m_dwBackColor;
    DWORD m_dwBackColor2;
    DWORD m_dwBackColor3;
    DWORD m_dwForeColor;
    CUIString m_sBkImage;
    CUIString m_sForeImage;
    DWORD m_dwBorderColor;
    DWORD m_dwFocusBorderColor;
    int m_nBorderSize;
    int m_nBorderStyle;
    int m_nTooltipWidth;
    SIZE m_cxyBorderRound;
    CUIRect m_rcPaint;
    CUIRect m_rcBorderSize;
    HINSTANCE m_hInstance;
    CUIStringMap m_mCustomAttrs;
    int m_nListDepth = 0;
    int m_nListChars = 0;
    int m_nListAttributes = 0;
    wchar_t m_chShortcut;
    WORD m_wCursor;
    bool m_bUpdateNeeded;
    bool m_bMenuUsed;
    bool m_bVisible;
    bool m_bInternVisible;
    bool m_bEnabled;
    bool m_bMouseEnabled;
    bool m_bKeyboardEnabled;
    bool m_bFocused;
    bool m_bFloat;
    bool m_bSetPos;  // inside the resize listeners
    bool m_bRichEvent;
    bool m_bDragEnabled;
    bool m_bDropEnabled;
    DWORD m_dwDropBackColor = 0;
    DWORD m_dwDropBorderColor = 0;
    bool m_bResourceText;
    bool m_bColorHSL;

private:
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;
};

}  // namespace SkinUI
