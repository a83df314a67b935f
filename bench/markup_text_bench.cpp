// Markup text against plain text of the same characters.
//
//   markup_text_bench.exe [--draws N]
//
// A text of 200 characters with three styles (bold, italic, a colour) and two links is
// drawn with PaintMarkupTextEx, as a "showhtml" label draws it (link rectangles and
// targets noted), and the same 200 characters without their tags with PaintText, both
// wrapped in the same 400 x 100 box of a 32-bit memory bitmap with the same font and
// flags. Each sample times N draws of one kind; the two kinds alternate, 9 samples
// each, and the kept medians are compared. Lines starting with "table:" carry the
// figures that bench/run collects per build.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_stats.h"
#include "bench/bench_window.h"
#include "ui/controls/label_links.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;

namespace {

const int kWidth = 400;
const int kHeight = 100;
const int kSamples = 9;
const UINT kStyle = DT_WORDBREAK | DT_LEFT | DT_TOP | DT_NOPREFIX;

// The markup (its plain characters are padded to exactly 200 in wmain).
std::wstring MakeMarkup() {
    const std::wstring markup =
        L"Welcome to <b>Tavrel</b>: the launcher keeps your game up to date. Read <a faq>the FAQ</a> before "
        L"you start, <i>check the notes</i> of this version, see <c #FF3366CC>what changed</c> or "
        L"<a https://example.invalid/support>ask support</a>";
    return markup;
}

std::wstring Plain(const std::wstring& markup) {
    std::wstring plain;
    bool inTag = false;
    for (wchar_t c : markup) {
        if (c == L'<') inTag = true;
        if (!inTag) plain += c;
        if (c == L'>') inTag = false;
    }
    return plain;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int draws = 200;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--draws") == 0) draws = _wtoi(argv[i + 1]);
    }
    if (draws < 1) draws = 1;

    std::wstring markup = MakeMarkup();
    const size_t shown = Plain(markup).size();
    const std::wstring padding = L" at any time of the day or night, from wherever you are in the world, in your own language.";
    if (shown < 200) markup += padding.substr(0, 200 - shown);
    const std::wstring plain = Plain(markup);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MarkupTextBench";
    RegisterClassW(&wc);
    TBenchWindow window;
    if (!window.Create(wc.hInstance, wc.lpszClassName, kWidth, kHeight, WS_POPUP)) return 1;
    window.Route();
    CPaintManagerUI& pm = window.pm;
    TSurface surface(kWidth, kHeight);
    HDC dc = surface.dc;

    TUILabelLinks links;
    int linkRects = 0;
    auto drawMarkup = [&] {
        RECT rc = {0, 0, kWidth, kHeight};
        links.count = kMaxLinkRects;
        CUIRender::PaintMarkupTextEx(dc, &pm, rc, markup.c_str(), 0xFF000000, -1, kStyle, links.look, links.rects,
                                     links.targets, links.ordinals, links.count);
        linkRects = links.count;
    };
    auto drawPlain = [&] {
        RECT rc = {0, 0, kWidth, kHeight};
        CUIRender::PaintText(dc, &pm, rc, plain.c_str(), 0xFF000000, -1, kStyle);
    };
    drawMarkup();  // first draws: fonts made, code paged in
    drawPlain();

    std::vector<double> markupTimes, plainTimes;
    for (int s = 0; s < kSamples; ++s) {
        double t0 = Now();
        for (int i = 0; i < draws; ++i) drawMarkup();
        markupTimes.push_back((Now() - t0) / draws);
        t0 = Now();
        for (int i = 0; i < draws; ++i) drawPlain();
        plainTimes.push_back((Now() - t0) / draws);
    }
    int droppedMarkup = 0, droppedPlain = 0;
    const double markupMedian = KeptMedian(markupTimes, droppedMarkup);
    const double plainMedian = KeptMedian(plainTimes, droppedPlain);

    std::printf("characters: %u, link rectangles: %d, draws per sample: %d, samples: %d\n",
                static_cast<unsigned>(plain.size()), linkRects, draws, kSamples);
    std::printf("markup text: %.1f us per draw (median, %d samples dropped)\n", markupMedian * 1e6, droppedMarkup);
    std::printf("plain text:  %.1f us per draw (median, %d samples dropped)\n", plainMedian * 1e6, droppedPlain);
    if (plainMedian > 0) {
        std::printf("table: markup text of 200 characters, 3 styles, 2 links / plain text: %.2f (at most 2)\n",
                    markupMedian / plainMedian);
    }

    return 0;
}
