#pragma once
// Compares a picture of a skin with a reference picture, for golden-picture
// tests: how many pixels differ, where, and a picture of the differences.

#include <windows.h>

#include <string>

#include "client_capture.h"

namespace skinview {

// A pixel differs when one of its channels differs by more than this (rounding
// in blending is not a difference; a colour changed by a designer is). Text
// rasterised differently changes few pixels by much: the pixel tolerance of
// the comparison absorbs that.
const int kChannelSlack = 4;

struct Comparison {
    bool sameSize = false;
    long differing = 0;  // pixels; every pixel when the sizes differ
    RECT box = {0, 0, 0, 0};  // bounding box of the differing pixels (right, bottom exclusive)
};

Comparison ComparePictures(const Picture& picture, const Picture& reference);

// The reference faded to a light grey, with the differing pixels in red.
Picture DiffPicture(const Picture& picture, const Picture& reference);

// Reads a PNG (or any picture stb_image decodes) as opaque RGBA.
bool ReadPictureFile(const std::wstring& path, Picture& out);

}  // namespace skinview
