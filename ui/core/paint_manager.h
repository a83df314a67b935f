// CPaintManagerUI: the per-window manager of a skinned window.
//
// It holds the window's control tree, lays it out and paints it, turns window
// messages into control events, delivers notifications, and keeps the window's
// tables of images, fonts, default attribute lists and styles (each with a
// process-wide shared twin), plus the process-wide resource settings.
//
// Where things are implemented:
//   paint_manager_resources.cpp  resource tables, shared tables, defaults, DPI,
//                                resource settings, TermFramework
//   paint_manager_lifetime.cpp   constructor, destructor, process-wide statics;
//                                they call InitWindowPart / ReleaseWindowPart
//   paint_manager_window_part.cpp  InitWindowPart / ReleaseWindowPart (window side)
//   paint_manager_*.cpp (window) everything in the "window, input and paint" section
//   paint_manager_drop.cpp       the window's drop target (IDropTarget), with the
//                                system's drag image over it (drag_image.h)
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "ui/core/drag_image.h"
#include "ui/core/dropped_files.h"

#include "ui/core/ui_dpi.h"
#include "ui/core/ui_events.h"
#include "ui/core/ui_ptr_array.h"
#include "ui/core/ui_rect.h"
#include "ui/core/ui_resources.h"
#include "ui/core/ui_string.h"
#include "ui/core/ui_string_map.h"

namespace SkinUI {

class CAccessibleHub;
class CControlUI;
class CShadowUI;
struct TUIImageSpec;

// The framework's private message: deferred clean-up and queued notifications.
const UINT WM_SKINUI_ASYNC = WM_APP + 1;

class CPaintManagerUI : public IDropTarget, public CDragImageTarget {
public:
    CPaintManagerUI();
    virtual ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // ------------------------------------------------------------------
    // Process-wide resource settings (set once at start-up)
    // ------------------------------------------------------------------
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();
    // Prefix put before file names (file-system mode) and before the archive name.
    static void SetResourcePath(const wchar_t* path);
    static const wchar_t* GetResourcePath();
    // Selects an archive file (resource path + name) for reading skin data;
    // empty or null selects file-system mode.
    static void SetResourceZip(const wchar_t* name, bool cached = false, const wchar_t* password = nullptr);
    // Selects an archive held in memory ("membuffer"); a second call is ignored.
    // The block is read in place and must stay valid while the framework runs.
    static void SetResourceArchive(const void* data, unsigned int size, const wchar_t* password = nullptr);
    static const wchar_t* GetResourceZip();
    static bool IsCachedResourceZip();
    // Releases the catalogue, every shared table and the shared default font,
    // and closes the cached archive. Called once before the process exits.
    static void TermFramework();

    // ------------------------------------------------------------------
    // Images
    // ------------------------------------------------------------------
    // Loads and registers an image; null on failure. With `type` the name must
    // start with a digit and is read as a decimal resource identifier.
    const TUIImage* AddImage(const wchar_t* name, const wchar_t* type = nullptr, DWORD mask = 0,
                             bool hueAdjust = false, bool shared = false, HINSTANCE instance = nullptr);
    // Own table, then the shared table.
    const TUIImage* GetImage(const wchar_t* name);
    // GetImage; when absent, AddImage (not shared) and look it up again.
    const TUIImage* GetImageEx(const wchar_t* name, const wchar_t* type = nullptr, DWORD mask = 0,
                               bool hueAdjust = false, HINSTANCE instance = nullptr);
    // Removal works on the table the flag names (own unless `shared`).
    bool RemoveImage(const wchar_t* name, bool shared = false);
    void RemoveAllImages(bool shared = false);

    // ------------------------------------------------------------------
    // Fonts
    // ------------------------------------------------------------------
    HFONT AddFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic,
                  bool shared = false);
    void SetDefaultFont(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                        bool shared = false);
    // Negative or unknown id: the default font.
    HFONT GetFont(int id);
    TUIFont* GetFontInfo(int id);
    TUIFont* GetFontInfo(HFONT font);
    HFONT FindFont(const wchar_t* face, int size, bool bold, bool underline, bool italic);
    TUIFont* GetDefaultFontInfo();
    bool RemoveFont(int id, bool shared = false);
    void RemoveAllFonts(bool shared = false);
    // Adds a font file (read like an image) to the process's private fonts.
    bool AddFontFile(const wchar_t* fileName);

    // ------------------------------------------------------------------
    // Default attribute lists and styles
    // ------------------------------------------------------------------
    // Replaces any earlier list of the element name.
    void AddDefaultAttributeList(const wchar_t* elementName, const wchar_t* attributes, bool shared = false);
    // Own table, then shared; null when absent.
    const wchar_t* GetDefaultAttributeList(const wchar_t* elementName);
    bool RemoveDefaultAttributeList(const wchar_t* elementName, bool shared = false);
    void RemoveAllDefaultAttributeLists(bool shared = false);
    // Keeps the first text of a name; later ones are discarded.
    void AddStyle(const wchar_t* name, const wchar_t* attributes, bool shared = false);
    const wchar_t* GetStyle(const wchar_t* name);
    bool RemoveStyle(const wchar_t* name, bool shared = false);
    void RemoveAllStyles(bool shared = false);

    // When on, everything this manager registers goes to the shared tables.
    void SetUseSharedTables(bool on) { useSharedTables = on; }
    bool IsUseSharedTables() const { return useSharedTables; }

    // ------------------------------------------------------------------
    // Default colours (copied from the shared ones at construction; the
    // window attributes change this manager's copies only)
    // ------------------------------------------------------------------
    DWORD GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
    void SetDefaultDisabledColor(DWORD color) { m_dwDefaultDisabledColor = color; }
    DWORD GetDefaultFontColor() const { return m_dwDefaultFontColor; }
    void SetDefaultFontColor(DWORD color) { m_dwDefaultFontColor = color; }
    DWORD GetDefaultLinkFontColor() const { return m_dwDefaultLinkFontColor; }
    void SetDefaultLinkFontColor(DWORD color) { m_dwDefaultLinkFontColor = color; }
    DWORD GetDefaultLinkHoverFontColor() const { return m_dwDefaultLinkHoverFontColor; }
    void SetDefaultLinkHoverFontColor(DWORD color) { m_dwDefaultLinkHoverFontColor = color; }
    DWORD GetDefaultSelectedBkColor() const { return m_dwDefaultSelectedBkColor; }
    void SetDefaultSelectedBkColor(DWORD color) { m_dwDefaultSelectedBkColor = color; }

    // ------------------------------------------------------------------
    // DPI scale (created on first use, 100 percent)
    // ------------------------------------------------------------------
    CUIDpiScale* GetDPIObj();
    int GetDpiScale();                     // percent
    void SetDpiScale(int percent);
    int ScaleValue(int value);             // MulDiv(value, percent, 100)
    // Moves the window to another percentage after it was built: fonts are made
    // again, parsed image descriptions dropped (each scale has its own bitmaps),
    // the layout and the shadow redone. The answer to WM_DPICHANGED.
    void ChangeDpiScale(int percent);
    RECT ScaleRect(const RECT& rc);
    SIZE ScaleSize(SIZE size);

    // Parsed image descriptions, keyed by description + modifier. The values are
    // TUIImageSpec objects owned by this manager; the render engine fills and
    // frees them (see GetImageSpec / RemoveAllImageSpecs).
    CUIStringMap& GetImageSpecCache() { return m_mImageSpecCache; }
    TUIImageSpec* GetImageSpec(const wchar_t* description, const wchar_t* modifier = nullptr);
    void RemoveAllImageSpecs();

    // --- window, input and paint (paint_manager_*.cpp) ---
    // Set-up and tree.
    void Init(HWND hWnd, const wchar_t* name = nullptr);
    bool AttachRoot(CControlUI* root);
    CControlUI* GetRoot() const { return m_pRoot; }
    HWND GetPaintWindow() const { return m_hWndPaint; }
    HDC GetPaintDC() const { return m_hDcPaint; }
    const wchar_t* GetName() const { return m_sName; }
    HWND GetTooltipWindow() const { return m_hwndTooltip; }
    void NeedUpdate();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void Invalidate();
    void Invalidate(const RECT& rc);
    bool IsPainting() const { return m_bIsPainting; }

    // Window-level settings of the skin's Window element.
    SIZE GetInitSize();
    void SetInitSize(int cx, int cy);
    // Like every markup geometry these are stored unscaled and read scaled; each
    // value is scaled on its own (they are border widths and edge offsets), and a
    // caption bottom of -1 ("the client bottom") stays -1.
    RECT GetSizeBox();
    void SetSizeBox(const RECT& rc);
    RECT GetCaptionRect();
    void SetCaptionRect(const RECT& rc);
    SIZE GetRoundCorner();
    void SetRoundCorner(int cx, int cy);
    SIZE GetMinInfo();
    void SetMinInfo(int cx, int cy);
    SIZE GetMaxInfo();
    void SetMaxInfo(int cx, int cy);
    bool IsShowUpdateRect() const { return m_bShowUpdateRect; }
    void SetShowUpdateRect(bool show);
    bool IsNoActivate() const { return m_bNoActivate; }
    void SetNoActivate(bool noActivate);
    BYTE GetOpacity() const { return m_nOpacity; }
    void SetOpacity(BYTE opacity);
    void SetLayeredOpacity(BYTE opacity);
    bool IsLayered() const { return m_bLayered; }
    void SetLayered(bool layered);
    const RECT& GetLayeredInset() const { return m_rcLayeredInset; }
    void SetLayeredInset(const RECT& rc);
    const wchar_t* GetLayeredImage() const { return m_sLayeredImage; }
    void SetLayeredImage(const wchar_t* image);
    bool IsUseGdiplusText() const { return m_bUseGdiplusText; }
    void SetUseGdiplusText(bool use);
    int GetGdiplusTextRenderingHint() const { return m_trh; }
    void SetGdiplusTextRenderingHint(int hint);
    DWORD GetHoverTime() const { return m_dwHoverTime; }
    void SetHoverTime(DWORD ms);
    bool IsUsedVirtualWnd() const { return m_bUsedVirtualWnd; }
    void UsedVirtualWnd(bool used) { m_bUsedVirtualWnd = used; }
    CShadowUI* GetShadow() const { return m_pShadow; }

    // Listeners (none of them owned).
    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    bool AddPreMessageFilter(IMessageFilterUI* filter);
    bool RemovePreMessageFilter(IMessageFilterUI* filter);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    bool AddTranslateAccelerator(ITranslateAccelerator* translator);
    bool RemoveTranslateAccelerator(ITranslateAccelerator* translator);
    bool AddPostPaint(CControlUI* control);
    bool RemovePostPaint(CControlUI* control);
    bool AddNativeWindow(CControlUI* control, HWND hChildWnd);
    bool RemoveNativeWindow(HWND hChildWnd);
    bool AddMouseLeaveNeeded(CControlUI* control);
    bool RemoveMouseLeaveNeeded(CControlUI* control);

    // Input.
    CControlUI* FindControlAt(POINT pt) const;
    CControlUI* FindControlByName(const wchar_t* name) const;
    CControlUI* GetFocus() const { return m_pFocus; }
    void SetFocusControl(CControlUI* control);
    bool SetNextTabControl(bool forward = true);
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_bMouseCapture; }
    POINT GetMousePos() const { return m_ptLastMousePos; }

    // Option groups (paint_manager_option_groups.cpp): the controls that share a group
    // name, in the order they joined; none of them owned. A control joins at most once,
    // and takes itself out before it is destroyed (an emptied group is dropped then).
    bool AddOptionGroup(const wchar_t* group, CControlUI* control);
    // The members of a group, or null when it has none.
    const CUIPtrArray* GetOptionGroup(const wchar_t* group) const;
    void RemoveOptionGroup(const wchar_t* group, CControlUI* control);

    // Timers.
    bool SetControlTimer(CControlUI* control, UINT key, UINT elapse);
    bool KillControlTimer(CControlUI* control, UINT key);
    void KillControlTimer(CControlUI* control);
    void RemoveAllTimers();

    // Notifications.
    void SendNotify(TUINotify& msg, bool async = false);
    void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false);

    // Used by the control base (ui/controls).
    // Attaches a subtree to this manager under `parent` (manager and parent set
    // on every control, initialised), and enters its named controls in the name map.
    bool InitControls(CControlUI* control, CControlUI* parent = nullptr);
    // Drops every reference to a control that is being destroyed: focus, hover,
    // click and key controls, its name-map entry, post-paint and mouse-leave entries.
    void ReapObjects(CControlUI* control);
    // Process-wide colour adjustment applied by controls with "colorhsl"
    // (hue 0..360 with 180 neutral, saturation and lightness in percent, 100 neutral).
    static void SetHSL(bool use, short hue, short saturation, short lightness);
    static void GetHSL(short* hue, short* saturation, short* lightness);

    // Messages.
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    void AddDelayedCleanup(CControlUI* control);
    // Destroys the delayed-cleanup controls and frees the queued notifications at once
    // (used when the window is gone and the deferring message can no longer arrive).
    void FlushDelayedCleanup();

    // Accessibility (paint_manager_accessible.cpp).
    // Raises a WinEvent for an element of the window's accessibility tree (null: the client area).
    void NotifyAccessible(DWORD event, CControlUI* control);
    // The hub of the window's accessible objects; null without a window or once it is gone.
    CAccessibleHub* GetAccessibleHub();
    // The focus cue is drawn once the keyboard has moved the focus or asked for cues (Tab, arrows, Alt).
    bool IsFocusCueShown() const;

    // Process-wide message loop and pre-dispatch hook.
    static bool TranslateUIMessage(const MSG* pMsg);
    static void RunMessageLoop();

    // Drops of files (paint_manager_drop.cpp). Once a control of the tree accepts drops
    // ("drop"), the window registers as an OLE drop target (OLE must be initialised on the
    // thread; otherwise the control gets "dropunavailable", wParam the error), and revokes
    // before it goes. Files dragged over an accepting control (or a control inside one)
    // highlight it ("dropbkcolor", "dropbordercolor") and are offered a copy; elsewhere the
    // drop is refused. Dropped, they reach the control as "dropfiles" (wParam the count,
    // lParam the CUIDroppedFiles, which is also GetDroppedFiles() while it is handled).
    // The system's drag image goes on following the pointer over the window.
    // Controls call EnableDropTarget when they come to accept drops in the tree.
    void EnableDropTarget(CControlUI* control);
    bool IsDropTargetRegistered() const { return m_nDropState == kDropRegistered; }
    CControlUI* GetDropHover() const { return m_pDropHover; }
    const CUIDroppedFiles& GetDroppedFiles() const { return m_dropFiles; }
    // IDropTarget. The window object owns the manager: the count only tells who holds it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

private:
    // --- window, input and paint: helpers (paint_manager_*.cpp) ---
    bool OnPaint();
    void OnPrintClient(HDC dc, LPARAM flags);
    void LayOutIfNeeded(const RECT& rcClient, bool& layoutRan);
    void PaintLayered(HDC dcPaint, const RECT& rcClient, const RECT& rcPaint);
    void DeleteOffscreenBuffers();
    bool OnMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnMouseHover(LPARAM lParam);
    void OnMouseLeave();
    bool OnSetCursor(LPARAM lParam);
    bool PostAsyncMessage();
    void ProcessAsyncQueue();
    void DestroyDelayedCleanups();
    void DeliverNotify(TUINotify& msg);
    bool TranslateAccelerator(MSG* pMsg);
    void RaiseEventOn(CControlUI* control, int type, POINT pt, WPARAM wParam = 0, LPARAM lParam = 0,
                      WORD keyState = 0, wchar_t key = 0);
    static WORD MapKeyState();
    bool AccessibleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    void ReleaseAccessible();
    void ForgetAccessible(CControlUI* control);
    void NoteKeyboardUse(WPARAM key);
    void FocusMoved(CControlUI* from, CControlUI* to);
    void PaintFocusCue(HDC dc, const RECT& rcPaint);
    void NoteDropControls(CControlUI* subtree);
    void RevokeDropTarget();
    CControlUI* DropControlAt(POINTL pt);
    void SetDropHover(CControlUI* control);
    void PaintDropCue(HDC dc, const RECT& rcPaint);

private:
    // Set-up and tear-down of the window half, called by the constructor (after
    // the resource half) and the destructor (before the resource half).
    void InitWindowPart();
    void ReleaseWindowPart();

    // Resource half of construction and destruction.
    void InitResourcePart();
    void ReleaseResourcePart();
    TUIResourceTables& TargetTables(bool shared);
    // A bitmap for a scale that has none of its own, made from the nearest larger
    // scale that has one, else from the 100 percent bitmap; null when neither exists.
    TUIImage* LoadFromOtherScale(const wchar_t* name, DWORD mask, HINSTANCE instance);
    void MeasureFont(TUIFont* font);
    HFONT CreateFontFromDescription(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                                    bool addBold, LOGFONTW* out);

    // window
    HWND m_hWndPaint = nullptr;
    HDC m_hDcPaint = nullptr;
    CUIString m_sName;
    // tree
    CControlUI* m_pRoot = nullptr;
    // input
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    CControlUI* m_pEventKey = nullptr;
    POINT m_ptLastMousePos = {-1, -1};
    bool m_bMouseCapture = false;
    bool m_bMouseTracking = false;
    // tooltip
    HWND m_hwndTooltip = nullptr;
    TOOLINFOW m_ToolTip = {};
    DWORD m_dwHoverTime = 400;
    // flags
    bool m_bFirstLayout = true;
    bool m_bUpdateNeeded = false;
    bool m_bFocusNeeded = false;
    bool m_bOffscreenPaint = true;
    BYTE m_nOpacity = 255;
    bool m_bLayered = false;
    bool m_bLayeredChanged = false;
    bool m_bNoActivate = false;
    bool m_bShowUpdateRect = false;
    bool m_bUseGdiplusText = false;
    int m_trh = 0;
    bool m_bIsPainting = false;
    bool m_bAsyncNotifyPosted = false;
    bool m_bShadowPending = false;  // the shadow comes on after the first frame
    bool m_bUsedVirtualWnd = false;
    // geometry
    SIZE m_szInitWindowSize = {0, 0};
    SIZE m_szMinWindow = {0, 0};
    SIZE m_szMaxWindow = {0, 0};
    CUIRect m_rcSizeBox;
    CUIRect m_rcCaption;
    SIZE m_szRoundCorner = {0, 0};
    CUIRect m_rcLayeredInset;
    CUIRect m_rcLayeredUpdate;
    // timers: the first id handed out is (4096 + 1) % 240 = 17
    UINT m_uTimerID = 4096;
    // buffers
    HDC m_hDcOffscreen = nullptr;
    HBITMAP m_hbmpOffscreen = nullptr;
    BYTE* m_pOffscreenBits = nullptr;
    HDC m_hDcBackground = nullptr;
    HBITMAP m_hbmpBackground = nullptr;
    BYTE* m_pBackgroundBits = nullptr;
    // lists
    CUIPtrArray m_aNotifiers;            // INotifyUI*
    CUIPtrArray m_aPreMessageFilters;    // IMessageFilterUI*
    CUIPtrArray m_aMessageFilters;       // IMessageFilterUI*
    CUIPtrArray m_aTranslateAccelerator; // ITranslateAccelerator*
    CUIPtrArray m_aPostPaintControls;    // CControlUI*
    CUIPtrArray m_aNativeWindow;         // HWND
    CUIPtrArray m_aNativeWindowControl;  // CControlUI*, parallel to m_aNativeWindow
    CUIPtrArray m_aDelayedCleanup;       // CControlUI*, owned
    CUIPtrArray m_aAsyncNotify;          // TUINotify*, owned
    CUIPtrArray m_aNeedMouseLeave;       // CControlUI*
    CUIPtrArray m_aFonts;                // HANDLE from AddFontMemResourceEx, owned
    CUIPtrArray m_aTimers;               // TTimerInfo*, owned
    // maps
    CUIStringMap m_mNameHash{83};
    CUIStringMap m_mWindowCustomAttrHash{83};
    CUIStringMap m_mOptionGroup{83};
    TUIResourceTables m_ResInfo;         // own images, fonts, attribute lists, styles
    CUIStringMap m_mImageSpecCache;      // TUIImageSpec*, owned
    // defaults
    TUIFont m_DefaultFontInfo;           // own default font (face empty: use shared)
    DWORD m_dwDefaultDisabledColor = 0;
    DWORD m_dwDefaultFontColor = 0;
    DWORD m_dwDefaultLinkFontColor = 0;
    DWORD m_dwDefaultLinkHoverFontColor = 0;
    DWORD m_dwDefaultSelectedBkColor = 0;
    // other
    CShadowUI* m_pShadow = nullptr;      // owned; created with the window half
    CUIDpiScale* m_pDPI = nullptr;       // owned; created on first use
    CUIString m_sLayeredImage;
    bool useSharedTables = false;
    CAccessibleHub* m_pAccessible = nullptr;  // one reference; detached when the window goes
    bool m_bAccessibleGone = false;
    bool m_bFocusCue = false;
    // drop target
    enum { kDropNone, kDropRegistered, kDropFailed, kDropRevoked };
    int m_nDropState = kDropNone;
    ULONG m_nDropRefs = 1;               // the owner's
    bool m_bDragHasFiles = false;        // the data dragged over the window holds files
    CControlUI* m_pDropHover = nullptr;  // the accepting control under the drag
    CUIDroppedFiles m_dropFiles;         // filled for the "dropfiles" notification

    // Process-wide state.
    static CUIPtrArray s_aPreMessages;   // every live paint manager
    static HPEN s_hUpdateRectPen;        // show-dirty outline pen
};

}  // namespace SkinUI
