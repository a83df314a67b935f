// The Windows Installer's product-state query, with msi.dll loaded on the first query:
// most starts never ask (the stored marker already says the repair was done), and the
// library brings a dozen more with it.
#pragma once

// The installer's state of the product, or -1 (unknown) when the installer's library or
// its query cannot be loaded.
int QueryProductState(const wchar_t* productCode);
