// CGifAnimUI: an animated GIF from the skin's files, each frame standing for its
// own delay, drawn stretched over the control like any image.
//
// "image" names the file; "autoplay" (default true) starts it once it can be
// seen, else PlayGif does; PauseGif holds the frame shown and StopGif goes back
// to the first. The file's loop count is honoured: after that many plays the
// last frame stays. "autosize" gives the control the image's size (scaled by
// DPI). A file that does not decode shows nothing.
//
// The timer runs only while the control can be seen (motion_clock.h), and is
// set for the time left of the frame shown: a tick is a frame change.
#pragma once

#include "ui/controls/control.h"
#include "ui/widgets/motion/gif_decoder.h"
#include "ui/widgets/motion/motion_bitmap.h"
#include "ui/widgets/motion/motion_control.h"

namespace SkinUI {

class CGifAnimUI : public TMotionControl<CControlUI> {
public:
    CGifAnimUI();

    const wchar_t* GetClass() const override;          // "GifAnimUI"
    void* GetInterface(const wchar_t* name) override;  // "GifAnim"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawForeImage(HDC dc) override;

    const CUIString& GetImage() const { return m_sImage; }
    void SetImage(const wchar_t* file);
    bool IsAutoPlay() const { return m_bAutoPlay; }
    void SetAutoPlay(bool autoPlay);
    bool IsAutoSize() const { return m_bAutoSize; }
    void SetAutoSize(bool autoSize);

    // Takes decoded frames in place of the file's (tests, and programs that
    // decode their own).
    void SetAnimation(TGifAnimation animation);
    const TGifAnimation& GetAnimation();

    void PlayGif();
    void PauseGif();
    void StopGif();
    bool IsPlaying() const { return m_clock.IsPlaying(); }
    int GetFrame() const { return m_frame; }
    int GetLoopsPlayed() const { return m_loops; }

protected:
    void OnMotionTick(DWORD elapsedMs) override;

private:
    void Load();
    void ShowFrame(int frame);
    // Sets the timer for the rest of the frame shown.
    void ArmForFrame();
    void ApplyAutoSize();

    CUIString m_sImage;
    TGifAnimation m_anim;
    CMotionBitmap m_bitmap;
    int m_frame = 0;
    int m_shown = -1;      // the frame in the bitmap
    DWORD m_inFrame = 0;   // milliseconds of the frame gone by
    int m_loops = 0;       // whole plays done
    bool m_bLoaded = false;
    bool m_bAutoPlay = true;
    bool m_bAutoSize = false;
};

}  // namespace SkinUI
