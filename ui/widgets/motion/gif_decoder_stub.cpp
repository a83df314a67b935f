// TEMPORARY stand-in for the GIF decoder until the real one is merged; delete
// this file then. It decodes nothing.
#include "ui/widgets/motion/gif_decoder.h"

namespace SkinUI {

bool DecodeGif(const BYTE* /*data*/, size_t /*size*/, TGifAnimation& out, const TGifLimits& /*limits*/) {
    out = TGifAnimation();
    return false;
}

}  // namespace SkinUI
