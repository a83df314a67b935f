// What a screen reader sees of a hosted ActiveX control: the hosted object's own
// accessible object where it has one (its role, name, value and description are read
// from it, and its children show as the host's; code reaches it through
// CActiveXUI::GetObjectAccessible), and a client element, named like any control,
// where it has none.
#pragma once

#include <oleacc.h>

#include "ui/core/accessible_model.h"

namespace SkinUI {

// The rules, for Accessible::SetFurtherRules; what they leave open is asked of `next`.
const TAccessibleRules* HostingAccessibleRules(const TAccessibleRules* next);
// The accessible object a control hosts (an ActiveX host's object's), with a reference;
// null for none.
IAccessible* HostingAccessibleContent(CControlUI* control);

}  // namespace SkinUI
