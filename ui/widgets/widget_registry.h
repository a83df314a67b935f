// The framework's further controls (scrolling and layouts, input, lists, text and media,
// hosting) are not known to the control factory until a program asks for them. The
// launcher never does, so none of their code reaches its exe.
#pragma once

namespace SkinUI {

// Adds every further control class to the control factory, in the factory's class order.
// Safe to call more than once; a later call registers the same classes again.
void RegisterWidgetControls();

// An attribute that a further control reads from the elements of other controls,
// which keep it as an extra attribute (GetExtraAttribute): a button's
// "bindbrowsername" names the web browser its click drives. Tools that check skins
// count these as attributes of every element that answers GetInterface(element).
struct TWidgetExtraAttribute {
    const wchar_t* element;
    const wchar_t* name;
};
// The table of such attributes; `count` gets its length.
const TWidgetExtraAttribute* WidgetExtraAttributes(int* count);

}  // namespace SkinUI
