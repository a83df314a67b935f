// The framework's further controls (scrolling and layouts, input, lists, text and media,
// hosting) are not known to the control factory until a program asks for them. The
// launcher never does, so none of their code reaches its exe.
#pragma once

namespace SkinUI {

// Adds every further control class to the control factory, in the factory's class order.
// Safe to call more than once; a later call registers the same classes again.
void RegisterWidgetControls();

}  // namespace SkinUI
