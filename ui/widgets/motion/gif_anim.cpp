#include "ui/widgets/motion/gif_anim.h"

#include <cstring>
#include <utility>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/resource_settings.h"
#include "ui/core/ui_buffer.h"

namespace SkinUI {

CGifAnimUI::CGifAnimUI() : TMotionControl<CControlUI>(100) {}

const wchar_t* CGifAnimUI::GetClass() const { return L"GifAnimUI"; }

void* CGifAnimUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"GifAnim") == 0) return static_cast<CGifAnimUI*>(this);
    return CControlUI::GetInterface(name);
}

void CGifAnimUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"image")) SetImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"autoplay")) SetAutoPlay(attr::IsTrue(value));
    else if (attr::NameIs(name, L"autosize")) SetAutoSize(attr::IsTrue(value));
    else CControlUI::ApplyAttribute(name, value);
}

void CGifAnimUI::SetImage(const wchar_t* file) {
    m_sImage = file != nullptr ? file : L"";
    m_bLoaded = false;
    m_anim = TGifAnimation();
    Load();
}

void CGifAnimUI::SetAutoPlay(bool autoPlay) {
    m_bAutoPlay = autoPlay;
    if (!autoPlay) PauseGif();
    else if (m_loops == 0) PlayGif();
}

void CGifAnimUI::SetAutoSize(bool autoSize) {
    m_bAutoSize = autoSize;
    ApplyAutoSize();
}

void CGifAnimUI::Load() {
    if (m_bLoaded) return;
    m_bLoaded = true;
    TGifAnimation animation;
    CUIBuffer bytes;
    // A bare file name, or an image description's file.
    TUIImageSpec spec;
    spec.ParseImageSpec(m_sImage, nullptr, nullptr);
    if (!spec.sImageName.IsEmpty() && CUIResourceSettings::ReadResourceFile(spec.sImageName, bytes)) {
        DecodeGif(bytes.Data(), bytes.Size(), animation);
    }
    SetAnimation(std::move(animation));
}

void CGifAnimUI::SetAnimation(TGifAnimation animation) {
    m_anim = std::move(animation);
    m_bLoaded = true;
    // Frames whose pixels do not fill the screen are not drawn.
    const size_t area = m_anim.width > 0 && m_anim.height > 0 ? size_t(m_anim.width) * size_t(m_anim.height) : 0;
    for (TGifFrame& frame : m_anim.frames) {
        if (frame.pixels.size() < area || area == 0) {
            m_anim.frames.clear();
            break;
        }
        if (frame.delayMs == 0) frame.delayMs = 100;
    }
    m_frame = 0;
    m_shown = -1;
    m_inFrame = 0;
    m_loops = 0;
    m_bitmap.Reset();
    ApplyAutoSize();
    if (m_bAutoPlay) PlayGif();
    else PauseGif();
    Repaint();
}

const TGifAnimation& CGifAnimUI::GetAnimation() {
    Load();
    return m_anim;
}

void CGifAnimUI::ApplyAutoSize() {
    if (!m_bAutoSize || m_anim.frames.empty()) return;
    SetFixedWidth(m_anim.width);  // stored unscaled, read scaled
    SetFixedHeight(m_anim.height);
}

void CGifAnimUI::PlayGif() {
    // A finished animation plays again from the start.
    if (m_anim.loopCount > 0 && m_loops >= m_anim.loopCount) {
        m_loops = 0;
        m_inFrame = 0;
        ShowFrame(0);
    }
    if (m_anim.frames.size() < 2) {
        m_clock.Pause();
        return;
    }
    ArmForFrame();
    m_clock.Play();
}

void CGifAnimUI::PauseGif() { m_clock.Pause(); }

void CGifAnimUI::StopGif() {
    m_clock.Pause();
    m_loops = 0;
    m_inFrame = 0;
    ShowFrame(0);
}

void CGifAnimUI::ShowFrame(int frame) {
    if (frame == m_frame) return;
    m_frame = frame;
    Repaint();
}

void CGifAnimUI::ArmForFrame() {
    if (m_anim.frames.empty()) return;
    const UINT delay = m_anim.frames[m_frame].delayMs;
    m_clock.SetInterval(m_inFrame < delay ? delay - m_inFrame : 1);
}

void CGifAnimUI::OnMotionTick(DWORD elapsedMs) {
    const int count = static_cast<int>(m_anim.frames.size());
    if (count < 2) {
        m_clock.Pause();
        return;
    }
    int frame = m_frame;
    m_inFrame += elapsedMs;
    // At most one whole play per tick: a long gap does not spin through the loops.
    for (int step = 0; step < count; ++step) {
        const UINT delay = m_anim.frames[frame].delayMs > 0 ? m_anim.frames[frame].delayMs : 1;
        if (m_inFrame < delay) break;
        if (frame + 1 == count) {
            ++m_loops;
            if (m_anim.loopCount > 0 && m_loops >= m_anim.loopCount) {
                m_inFrame = 0;
                ShowFrame(frame);
                m_clock.Pause();
                return;
            }
        }
        m_inFrame -= delay;
        frame = (frame + 1) % count;
    }
    const UINT delay = m_anim.frames[frame].delayMs;
    if (m_inFrame >= delay) m_inFrame = 0;
    ShowFrame(frame);
    ArmForFrame();
}

void CGifAnimUI::DrawForeImage(HDC dc) {
    Load();
    if (!m_anim.frames.empty() && m_shown != m_frame && m_bitmap.Ensure(m_anim.width, m_anim.height)) {
        const std::vector<uint32_t>& pixels = m_anim.frames[m_frame].pixels;
        std::memcpy(m_bitmap.Pixels(), pixels.data(), size_t(m_anim.width) * size_t(m_anim.height) * 4);
        m_shown = m_frame;
    }
    if (!m_anim.frames.empty()) m_bitmap.Draw(dc, m_rcItem, m_rcPaint);
    CControlUI::DrawForeImage(dc);
}

}  // namespace SkinUI
