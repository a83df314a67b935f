// The Windows Installer's product-state query, with msi.dll loaded on the first query:
// most starts never ask (the stored marker already says the repair was done), and the
// library brings a dozen more with it (about 3 MiB of the process's memory), which
// ReleaseProductQuery lets go again before the repair window is built.
#pragma once

// The installer's state of the product, or -1 (unknown) when the installer's library or
// its query cannot be loaded.
int QueryProductState(const wchar_t* productCode);

// Unloads the installer's library after the last query; a later query loads it again.
void ReleaseProductQuery();
