// CFlashUI: the Shockwave Flash object, hosted when the system has it ("Flash" in
// markup). Attributes: "movie" (the file or address played), "transparent" (default
// off: on asks the object to draw windowless over the control's background), besides
// ActiveX's "delaycreate". Its class needs no entry in the program's allow-list.
//
// Flash reached its end of life in 2020 and most systems no longer have it: there the
// control shows only its own background, sends "activexfailed" (wParam: the HRESULT,
// REGDB_E_CLASSNOTREG) once, and the rest of the window works as before.
#pragma once

#include "ui/widgets/hosting/activex.h"

namespace SkinUI {

class CFlashUI : public CActiveXUI {
public:
    CFlashUI();

    const wchar_t* GetClass() const override;          // "FlashUI"
    void* GetInterface(const wchar_t* name) override;  // "Flash"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

    const CUIString& GetMovie() const { return m_sMovie; }
    // Plays `movie` now when the object runs, else once it does.
    void SetMovie(const wchar_t* movie);
    bool IsTransparent() const { return m_bTransparent; }
    void SetTransparent(bool transparent) { m_bTransparent = transparent; }

    // The object's class, {D27CDB6E-AE6D-11CF-96B8-444553540000}.
    static const CLSID& FlashClassId();

protected:
    bool IsOwnClass(const CLSID& clsid) const override;
    void OnObjectCreated() override;

private:
    // Sets a property of the object through its dispatch interface.
    bool PutProperty(const wchar_t* name, const wchar_t* value);

    CUIString m_sMovie;
    bool m_bTransparent;
};

}  // namespace SkinUI
