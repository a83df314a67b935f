#include "ui/widgets/menu/menu.h"

#include <cwchar>
#include <memory>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"
#include "ui/core/shadow.h"
#include "ui/core/skin_builder.h"
#include "ui/widgets/menu/menu_element.h"
#include "ui/widgets/menu/menu_level.h"

namespace SkinUI {

namespace {

// The menu open in this (the UI) thread: one at a time.
CMenuUI* g_openMenu = nullptr;

const UINT kHoverTimer = 1;  // CMenuElementUI's
const UINT kDefaultShowDelay = 400;
const UINT kMostShowDelay = 10000;

enum { kAtPoint, kBelow, kBeside };

CMenuElementUI* AsItem(CControlUI* control) {
    return control != nullptr ? static_cast<CMenuElementUI*>(control->GetInterface(L"MenuElement")) : nullptr;
}

// Drops every reference `manager` keeps to the subtree: it is moving to another window.
void ReapTree(CPaintManagerUI* manager, CControlUI* control) {
    if (manager == nullptr || control == nullptr) return;
    manager->ReapObjects(control);
    auto* box = static_cast<IContainerUI*>(control->GetInterface(L"IContainer"));
    for (int i = 0; box != nullptr && i < box->GetCount(); ++i) ReapTree(manager, box->GetItemAt(i));
}

bool HasVisibleRow(CContainerUI* source) {
    for (int i = 0; i < source->GetCount(); ++i) {
        if (CControlUI* row = source->GetItemAt(i)) {
            if (row->IsVisible() || row->GetInterface(L"MenuElement") != nullptr) return true;
        }
    }
    return false;
}

RECT WorkAreaAt(const RECT& rc) {
    RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &info)) work = info.rcWork;
    return work;
}

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

}  // namespace

CMenuUI::CMenuUI()
    : m_nShowDelay(-1),
      m_bShadow(true),
      m_pOwner(nullptr),
      m_pNotifyManager(nullptr),
      m_rcAnchor{},
      m_bAnchored(false),
      m_pChosen(nullptr),
      m_bTracking(false),
      m_bOwnerGone(false) {
    m_bVisible = false;  // a definition: never laid out or painted in place
    m_dwBackColor = 0xFFFBFBFB;
    m_dwBorderColor = 0xFF9A9A9A;
    m_nBorderSize = 1;
    m_rcInset = CUIRect(2, 2, 2, 2);
}

CMenuUI::~CMenuUI() {
    if (m_pAlive != nullptr) *m_pAlive = false;
    m_bDying = true;
    Close();
    if (m_pNotifyManager != nullptr) m_pNotifyManager->RemoveNotifier(this);
}

const wchar_t* CMenuUI::GetClass() const { return L"MenuUI"; }

void* CMenuUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Menu") == 0) return static_cast<CMenuUI*>(this);
    return CContainerUI::GetInterface(name);
}

void CMenuUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pManager && IsOpen() && m_pOwner == m_pManager) Close();
    CContainerUI::SetManager(manager, parent, init);
    if (manager == m_pNotifyManager) return;
    if (m_pNotifyManager != nullptr) m_pNotifyManager->RemoveNotifier(this);
    m_pNotifyManager = manager;
    if (manager != nullptr) manager->AddNotifier(this);
}

void CMenuUI::SetVisible(bool) {}

CPaintManagerUI* CMenuUI::GetFontManager() const { return m_pManager != nullptr ? m_pManager : m_pOwner; }

CMenuUI* CMenuUI::GetOpenMenu() { return g_openMenu; }

HWND CMenuUI::GetLevelWindow(int level) const {
    if (level < 0 || level >= GetLevelCount()) return nullptr;
    return m_levels[level].popup->GetHWND();
}

CMenuLevelUI* CMenuUI::GetLevelRoot(int level) const {
    return level >= 0 && level < GetLevelCount() ? m_levels[level].root : nullptr;
}

CMenuElementUI* CMenuUI::GetHotItem(int level) const {
    if (level < 0 || level >= GetLevelCount()) return nullptr;
    CMenuElementUI* hot = m_levels[level].hot;
    return hot != nullptr && m_levels[level].root->GetItemIndex(hot) >= 0 ? hot : nullptr;
}

// ---- placement ----

RECT CMenuUI::PlaceAtPoint(POINT pt, SIZE size, const RECT& work) {
    const RECT anchor = {pt.x, pt.y, pt.x, pt.y};
    const RECT across = CPopupWindow::Place(anchor, size, work, EPopupSide::kRight);
    const RECT down = CPopupWindow::Place(anchor, size, work, EPopupSide::kBelow);
    return RECT{across.left, down.top, across.right, down.bottom};
}

UINT CMenuUI::ShowDelay() const {
    UINT delay = kDefaultShowDelay;
    if (m_nShowDelay >= 0) {
        delay = static_cast<UINT>(m_nShowDelay);
    } else {
        DWORD system = 0;
        if (::SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &system, 0)) delay = system;
    }
    if (delay > kMostShowDelay) delay = kMostShowDelay;
    return delay > 0 ? delay : 1;
}

void CMenuUI::ApplyShadow(CPaintManagerUI& pm) const {
    CShadowUI* shadow = pm.GetShadow();
    if (!m_bShadow || shadow == nullptr) return;
    shadow->SetSize(6);
    shadow->SetSharpness(6);
    shadow->SetDarkness(60);
    shadow->SetPosition(1, 2);
    shadow->SetColor(0);
    shadow->ShowShadow(true);
}

// ---- opening and closing ----

CUIString CMenuUI::TrackPopup(CPaintManagerUI* owner, POINT screenPt) {
    if (!Open(owner, RECT{screenPt.x, screenPt.y, screenPt.x, screenPt.y}, true)) return CUIString();
    return RunLoop();
}

CUIString CMenuUI::TrackPopupBelow(CPaintManagerUI* owner, const RECT& anchor) {
    if (!Open(owner, anchor, false)) return CUIString();
    return RunLoop();
}

CUIString CMenuUI::TrackPopupFrom(CPaintManagerUI* owner, const wchar_t* skin, POINT screenPt) {
    if (owner == nullptr || skin == nullptr || g_openMenu != nullptr) return CUIString();
    CSkinBuilder builder;
    std::unique_ptr<CControlUI> made(builder.Create(skin));
    auto* menu = made != nullptr ? static_cast<CMenuUI*>(made->GetInterface(L"Menu")) : nullptr;
    if (menu == nullptr) return CUIString();
    return menu->TrackPopup(owner, screenPt);
}

bool CMenuUI::Popup(CPaintManagerUI* owner, POINT screenPt) {
    return Open(owner, RECT{screenPt.x, screenPt.y, screenPt.x, screenPt.y}, true);
}

bool CMenuUI::PopupBelow(CPaintManagerUI* owner, const RECT& anchor) { return Open(owner, anchor, false); }

bool CMenuUI::Open(CPaintManagerUI* owner, const RECT& anchor, bool atPoint) {
    if (g_openMenu != nullptr || m_bDying || owner == nullptr) return false;
    HWND window = owner->GetPaintWindow();
    if (window == nullptr || !::IsWindow(window) || !HasVisibleRow(this)) return false;
    g_openMenu = this;
    m_pOwner = owner;
    m_pChosen = nullptr;
    m_sChosen.Empty();
    m_bOwnerGone = false;
    m_rcAnchor = anchor;
    m_bAnchored = !atPoint;
    if (!OpenLevel(this, anchor, atPoint ? kAtPoint : kBelow)) {
        g_openMenu = nullptr;
        m_pOwner = nullptr;
        return false;
    }
    owner->AddMessageFilter(this);
    if (m_bAnchored) m_levels[0].popup->SetPassThrough(anchor);
    return true;
}

bool CMenuUI::OpenLevel(CContainerUI* source, const RECT& anchor, int how) {
    CPopupWindow* parent = m_levels.empty() ? nullptr : m_levels.back().popup;
    CPaintManagerUI* parentManager = parent != nullptr ? &parent->GetPaintManager() : m_pOwner;
    CPopupWindow* popup = CPopupWindow::Create(parentManager, parent, this);
    if (popup == nullptr) return false;
    CPaintManagerUI& pm = popup->GetPaintManager();
    for (const wchar_t* element : {L"VScrollBar", L"HScrollBar"}) {
        if (const wchar_t* defaults = m_pOwner->GetDefaultAttributeList(element)) pm.AddDefaultAttributeList(element, defaults);
    }
    ApplyShadow(pm);
    auto* root = new CMenuLevelUI(this);
    root->SetBkColor(m_dwBackColor);
    root->SetBkImage(m_sBkImage);
    root->SetBorderColor(m_dwBorderColor);
    root->SetBorderSize(m_nBorderSize);
    root->SetBorderRound(m_cxyBorderRound);
    root->SetInset(m_rcInset);
    pm.AttachRoot(root);
    pm.AddMessageFilter(root);

    // The rows move into the level's window while it is open.
    CPaintManagerUI* from = source->GetManager();
    const bool autoDestroy = source->IsAutoDestroy();
    source->SetAutoDestroy(false);
    int moved = 0;
    while (source->GetCount() > 0) {
        CControlUI* row = source->GetItemAt(0);
        source->RemoveAt(0);
        ReapTree(from, row);
        root->Add(row);
        row->SetInternVisible(true);
        if (CMenuElementUI* item = AsItem(row)) item->SetTracker(this);
        ++moved;
    }
    source->SetAutoDestroy(autoDestroy);
    if (CMenuElementUI* item = AsItem(source)) item->SetSubmenuOut(moved);
    m_levels.push_back(TLevel{popup, root, source, nullptr});

    const int leastWidth = m_pOwner->ScaleValue(m_cxyFixed.cx > 0 ? m_cxyFixed.cx : 120);
    const SIZE size = root->MeasureLevel(pm.GetPaintDC(), leastWidth);
    if (how == kAtPoint) {
        const RECT rc = PlaceAtPoint(POINT{anchor.left, anchor.top}, size, WorkAreaAt(anchor));
        ::SetWindowPos(popup->GetHWND(), nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(popup->GetHWND(), SW_SHOWNOACTIVATE);
    } else {
        popup->ShowAt(anchor, size, how == kBelow ? EPopupSide::kBelow : EPopupSide::kRight);
    }
    RECT client = {};
    ::GetClientRect(popup->GetHWND(), &client);
    if (size.cy > client.bottom - client.top) root->EnableScrollBar(true, false);  // cut to the work area
    root->PlaceAt(client, false);
    pm.NotifyAccessible(EVENT_SYSTEM_MENUPOPUPSTART, root);
    return true;
}

void CMenuUI::Close() {
    if (!m_levels.empty()) m_levels[0].popup->Close(EPopupClose::kProgram);
}

void CMenuUI::CloseLevelsFrom(int level) {
    if (level >= 0 && level < GetLevelCount()) m_levels[level].popup->Close(EPopupClose::kProgram);
}

void CMenuUI::OnPopupClosed(CPopupWindow* popup, EPopupClose why) {
    int index = -1;
    for (int i = 0; i < GetLevelCount(); ++i) {
        if (m_levels[i].popup == popup) index = i;
    }
    if (index < 0) return;
    // Deeper levels closed first (the popup closes its children before itself).
    while (GetLevelCount() > index + 1) m_levels.back().popup->Close(why);
    const TLevel level = m_levels.back();
    m_levels.pop_back();

    // The shadow lets go of the window now, before the window's own destruction deletes it.
    CPaintManagerUI& pm = popup->GetPaintManager();
    if (CShadowUI* shadow = pm.GetShadow()) {
        shadow->ShowShadow(false);
        shadow->Destroy();
    }
    // The rows go back where they came from; without a place to go they go with the window.
    CContainerUI* source = index == 0 && m_bDying ? nullptr : level.source;
    if (CMenuElementUI* owner = AsItem(level.source)) owner->SetSubmenuOut(0);
    pm.RemoveMessageFilter(level.root);
    level.root->SetMenu(nullptr);
    level.root->SetAutoDestroy(false);
    while (level.root->GetCount() > 0) {
        CControlUI* row = level.root->GetItemAt(0);
        level.root->RemoveAt(0);
        if (CMenuElementUI* item = AsItem(row)) {
            item->SetTracker(nullptr);
            item->SetHot(false);
        }
        ReapTree(&pm, row);
        if (source != nullptr && source->Add(row)) {
            // A menu of no window (built from a file) takes its rows back out of the level's.
            if (source->GetManager() == nullptr) row->SetManager(nullptr, source, false);
            row->SetInternVisible(false);
        } else {
            delete row;
        }
    }
    level.root->SetAutoDestroy(true);
    if (index > 0) return;

    // The menu has closed.
    m_eClosed = why;
    if (why == EPopupClose::kOwnerGone) m_bOwnerGone = true;
    if (m_pOwner != nullptr) m_pOwner->RemoveMessageFilter(this);
    if (g_openMenu == this) g_openMenu = nullptr;
    if (m_bTracking || m_bDying) return;  // the loop tells the owner
    CMenuElementUI* chosen = m_pChosen;
    m_pChosen = nullptr;
    CPaintManagerUI* owner = m_pOwner;
    m_pOwner = nullptr;
    if (chosen != nullptr && owner != nullptr && !m_bOwnerGone) {
        owner->SendNotify(chosen, L"menuselect", static_cast<WPARAM>(GetItemIndexAnywhere(chosen)));
    }
}

int CMenuUI::GetItemIndexAnywhere(CControlUI* row) {
    auto* parent = row != nullptr && row->GetParent() != nullptr
                       ? static_cast<IContainerUI*>(row->GetParent()->GetInterface(L"IContainer"))
                       : nullptr;
    return parent != nullptr ? parent->GetItemIndex(row) : -1;
}

CUIString CMenuUI::RunLoop() {
    bool alive = true;
    m_pAlive = &alive;
    m_bTracking = true;
    HWND ownerWindow = m_pOwner->GetPaintWindow();
    while (alive && IsOpen()) {
        MSG msg;
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            Close();
            break;
        }
        if (IsKeyMessage(msg.message)) {
            // The keyboard belongs to the menu while it is open, wherever the focus is.
            if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) ::TranslateMessage(&msg);
            HandleKey(msg.message, msg.wParam);
            continue;
        }
        if (m_bAnchored && msg.hwnd == ownerWindow &&
            (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK)) {
            // A press on what opened the menu closes it, and goes no further.
            POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            ::ClientToScreen(ownerWindow, &pt);
            if (::PtInRect(&m_rcAnchor, pt)) {
                Close();
                continue;
            }
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (!alive) return CUIString();
    m_pAlive = nullptr;
    m_bTracking = false;
    if (IsOpen()) Close();
    const CUIString name = m_sChosen;
    CMenuElementUI* chosen = m_pChosen;
    m_pChosen = nullptr;
    CPaintManagerUI* owner = m_pOwner;
    m_pOwner = nullptr;
    if (chosen != nullptr && owner != nullptr && !m_bOwnerGone) {
        // May destroy this menu: nothing of it is used after.
        owner->SendNotify(chosen, L"menuselect", static_cast<WPARAM>(GetItemIndexAnywhere(chosen)));
    }
    return name;
}

// ---- rows ----

int CMenuUI::LevelOf(const CControlUI* item) const {
    for (int i = GetLevelCount() - 1; i >= 0; --i) {
        if (m_levels[i].root->GetItemIndex(const_cast<CControlUI*>(item)) >= 0) return i;
    }
    return -1;
}

void CMenuUI::SetHot(int level, CMenuElementUI* item) {
    if (level < 0 || level >= GetLevelCount()) return;
    TLevel& l = m_levels[level];
    CMenuElementUI* old = GetHotItem(level);
    l.hot = item;
    if (old == item) return;
    if (old != nullptr) {
        old->SetHot(false);
        if (old->GetManager() != nullptr) old->GetManager()->KillControlTimer(old, kHoverTimer);
    }
    if (item != nullptr) {
        item->SetHot(true);
        l.root->ScrollToShow(item->GetPos());
    }
}

void CMenuUI::MoveHot(int level, int step, bool fromEnd) {
    if (level < 0 || level >= GetLevelCount()) return;
    CMenuLevelUI* root = m_levels[level].root;
    const int count = root->GetCount();
    if (count <= 0) return;
    CMenuElementUI* hot = GetHotItem(level);
    int i = hot != nullptr && !fromEnd ? root->GetItemIndex(hot) : (step > 0 ? -1 : count);
    for (int tries = 0; tries < count; ++tries) {
        i = ((i + step) % count + count) % count;
        CMenuElementUI* item = AsItem(root->GetItemAt(i));
        if (item != nullptr && item->IsSelectable()) {
            SetHot(level, item);
            return;
        }
    }
}

void CMenuUI::HoverItem(CMenuElementUI* item) {
    const int level = LevelOf(item);
    if (level < 0) return;
    // Back in a submenu: its row in the parent level stays highlighted.
    if (level > 0) {
        if (CMenuElementUI* source = AsItem(m_levels[level].source)) SetHot(level - 1, source);
    }
    SetHot(level, item);
    const bool deeper = GetLevelCount() > level + 1;
    if ((deeper || (item->HasSubmenu() && item->IsSelectable())) && item->GetManager() != nullptr) {
        item->GetManager()->SetControlTimer(item, kHoverTimer, ShowDelay());
    }
}

void CMenuUI::HoverElapsed(CMenuElementUI* item) {
    const int level = LevelOf(item);
    if (level < 0 || GetHotItem(level) != item) return;
    if (GetLevelCount() > level + 1) {
        if (m_levels[level + 1].source == item) return;
        CloseLevelsFrom(level + 1);
    }
    if (item->HasSubmenu() && item->IsSelectable()) OpenSubmenu(item, false);
}

void CMenuUI::LeaveItem(CMenuElementUI* item) {
    const int level = LevelOf(item);
    if (level < 0 || GetHotItem(level) != item) return;
    if (GetLevelCount() > level + 1 && m_levels[level + 1].source == item) return;  // its submenu is open
    SetHot(level, nullptr);
}

void CMenuUI::InvokeItem(CMenuElementUI* item) {
    const int level = LevelOf(item);
    if (level < 0 || !item->IsSelectable()) return;
    if (!item->HasSubmenu()) {
        Choose(item);
        return;
    }
    SetHot(level, item);
    if (GetLevelCount() > level + 1 && m_levels[level + 1].source == item) return;
    OpenSubmenu(item, false);
}

void CMenuUI::OpenSubmenu(CMenuElementUI* item, bool selectFirst) {
    const int level = LevelOf(item);
    if (level < 0) return;
    CloseLevelsFrom(level + 1);
    if (item->GetCount() == 0) return;
    HWND parent = m_levels[level].popup->GetHWND();
    RECT row = item->GetPos();
    ::MapWindowPoints(parent, HWND_DESKTOP, reinterpret_cast<POINT*>(&row), 2);
    RECT frame = {};
    ::GetWindowRect(parent, &frame);
    const int inset = m_pOwner->ScaleValue(static_cast<int>(m_rcInset.top) + m_nBorderSize);
    const RECT anchor = {frame.left, row.top - inset, frame.right, row.bottom};
    if (!OpenLevel(item, anchor, kBeside)) return;
    if (selectFirst) MoveHot(level + 1, 1, true);
}

void CMenuUI::Choose(CMenuElementUI* item) {
    m_pChosen = item;
    m_sChosen = item->GetName();
    Close();
}

void CMenuUI::ItemGone(CMenuElementUI* item) {
    if (m_pChosen == item) m_pChosen = nullptr;
    for (int i = 0; i < GetLevelCount(); ++i) {
        if (m_levels[i].hot == item) m_levels[i].hot = nullptr;
        if (m_levels[i].source == item) {
            // Its rows lose their home: they go with their window.
            m_levels[i].source = nullptr;
            CloseLevelsFrom(i);
            return;
        }
    }
}

// ---- keys ----

bool CMenuUI::HandleKey(UINT msg, WPARAM key) {
    if (m_levels.empty()) return false;
    const int level = GetLevelCount() - 1;
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        CMenuElementUI* hot = GetHotItem(level);
        switch (key) {
            case VK_DOWN: MoveHot(level, 1); break;
            case VK_UP: MoveHot(level, -1); break;
            case VK_HOME: MoveHot(level, 1, true); break;
            case VK_END: MoveHot(level, -1, true); break;
            case VK_RIGHT:
                if (hot != nullptr && hot->HasSubmenu() && hot->IsSelectable()) OpenSubmenu(hot, true);
                break;
            case VK_RETURN:
                if (hot == nullptr) break;
                if (hot->HasSubmenu()) {
                    if (hot->IsSelectable()) OpenSubmenu(hot, true);
                } else {
                    InvokeItem(hot);
                }
                break;
            case VK_LEFT:
                if (level > 0) CloseLevelsFrom(level);
                break;
            case VK_ESCAPE:
                if (level > 0) {
                    CloseLevelsFrom(level);
                } else {
                    Close();
                }
                break;
            case VK_F10: Close(); break;
            default: break;
        }
        return true;
    }
    if (msg == WM_CHAR || msg == WM_SYSCHAR) {
        if (key < 32 || key > 0xFFFF) return true;
        wchar_t letter = static_cast<wchar_t>(key);
        ::CharUpperBuffW(&letter, 1);
        CMenuLevelUI* root = m_levels[level].root;
        const int count = root->GetCount();
        CMenuElementUI* hot = GetHotItem(level);
        const int from = hot != nullptr ? root->GetItemIndex(hot) : -1;
        CMenuElementUI* next = nullptr;
        int matches = 0;
        for (int step = 1; step <= count; ++step) {
            CMenuElementUI* item = AsItem(root->GetItemAt((from + step + count) % count));
            if (item == nullptr || !item->IsSelectable() || item->GetMnemonic() != letter) continue;
            if (next == nullptr) next = item;
            ++matches;
        }
        if (matches == 1) {
            if (next->HasSubmenu()) {
                SetHot(level, next);
                OpenSubmenu(next, true);
            } else {
                InvokeItem(next);
            }
        } else if (next != nullptr) {
            SetHot(level, next);
        }
        return true;
    }
    return IsKeyMessage(msg);
}

LRESULT CMenuUI::FilterMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
    if (!IsOpen() || !IsKeyMessage(msg)) return 0;
    handled = true;
    HandleKey(msg, wParam);
    return 0;
}

void CMenuUI::ReceiveNotify(TUINotify& msg) {
    if (m_sTrigger.IsEmpty() || msg.pSender == nullptr || msg.sType != L"click") return;
    if (msg.pSender->GetName() != m_sTrigger || m_pManager == nullptr || msg.pSender->GetManager() != m_pManager) return;
    RECT anchor = msg.pSender->GetPos();
    ::MapWindowPoints(m_pManager->GetPaintWindow(), HWND_DESKTOP, reinterpret_cast<POINT*>(&anchor), 2);
    TrackPopupBelow(m_pManager, anchor);
}

// ---- markup ----

void CMenuUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    TMenuLooks& looks = m_looks;
    if (attr::NameIs(name, L"trigger")) m_sTrigger = value;
    else if (attr::NameIs(name, L"itemheight")) looks.itemHeight = attr::ToCoord(value);
    else if (attr::NameIs(name, L"separatorheight")) looks.separatorHeight = attr::ToCoord(value);
    else if (attr::NameIs(name, L"iconwidth")) looks.iconWidth = attr::ToCoord(value) < 0 ? 0 : attr::ToCoord(value);
    else if (attr::NameIs(name, L"itemfont")) looks.font = attr::ToFontId(value);
    else if (attr::NameIs(name, L"itemtextcolor")) looks.textColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemhottextcolor")) looks.hotTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemhotbkcolor")) looks.hotBkColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"itemhotimage")) looks.hotImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"itemdisabledtextcolor")) looks.disabledTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"shortcuttextcolor")) looks.shortcutTextColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"separatorcolor")) looks.separatorColor = attr::ToColor(value, false);
    else if (attr::NameIs(name, L"checkimage")) looks.checkImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"arrowimage")) looks.arrowImage = attr::ImageDesc(value);
    else if (attr::NameIs(name, L"showdelay")) m_nShowDelay = attr::ToInt(value) < 0 ? 0 : attr::ToInt(value);
    else if (attr::NameIs(name, L"shadow")) m_bShadow = attr::IsTrue(value);
    else CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
