// Markup parsing and skin archive throughput.
//
//   xml_parse_bench.exe [launcher.exe] [--size MiB] [--rounds N]
//
// 1. Generates a large skin (nested layouts, many attributes, some CJK text and
//    entities) and parses it with CXmlDocument, next to the bare UTF-8 to UTF-16
//    conversion of the same bytes (the floor any parser pays). Prints MB/s of
//    both and their ratio.
// 2. Replaces 300,000 "{\n}" sequences in a label-sized text of about 1 MiB,
//    next to one copy of the same text. Prints both and their ratio.
// 3. Opens the skin archive embedded in the launcher ("ZIPRES" 130) and reads
//    and decodes every image in it. Prints the time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ui/core/image_loader.h"
#include "ui/core/ui_string.h"
#include "ui/core/ui_buffer.h"
#include "ui/core/xml_document.h"
#include "ui/core/zip_archive.h"

#include "bench/bench_clock.h"

using namespace SkinUI;

namespace {

// A skin of about `bytes` bytes of UTF-8.
std::string GenerateSkin(size_t bytes) {
    std::string s = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                    "<Window size=\"800,600\" caption=\"0,0,0,30\" roundcorner=\"4,4\" showshadow=\"true\">\n"
                    "  <Font id=\"120\" name=\"\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91\" size=\"12\"/>\n"
                    "  <VerticalLayout bkcolor=\"#FFFFFFFF\">\n";
    unsigned n = 0;
    while (s.size() < bytes) {
        char buf[1024];
        snprintf(buf, sizeof(buf),
                 "    <HorizontalLayout name=\"row%u\" height=\"30\" padding=\"4,2,4,2\" bkcolor=\"#FFEEEEEE\" "
                 "childpadding=\"6\" inset=\"1,1,1,1\">\n"
                 "      <VerticalLayout width=\"120\">\n"
                 "        <Label name=\"label%u\" text=\"\xE6\xA3\x80\xE6\xB5\x8B\xE5\x88\xB0 &amp; item %u &lt;ok&gt;\" "
                 "font=\"120\" textcolor=\"#FF333333\" align=\"left\" endellipsis=\"true\" "
                 "tooltip=\"Row %u of the generated skin\"/>\n"
                 "        <Button name=\"btn%u\" width=\"60\" height=\"24\" "
                 "normalimage=\"file='btn_install.png' source='0,0,60,24' corner='4,4,4,4'\" "
                 "hotimage=\"file='btn_install.png' source='0,24,60,48' corner='4,4,4,4'\" text=\"OK\"/>\n"
                 "      </VerticalLayout>\n"
                 "      <Control/>\n"
                 "      <Progress name=\"p%u\" value=\"%u\" max=\"100\" foreimage=\"progress_bar.png\"/>\n"
                 "    </HorizontalLayout>\n",
                 n, n, n, n, n, n, n % 100);
        s += buf;
        ++n;
    }
    s += "  </VerticalLayout>\n</Window>\n";
    return s;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BenchParser(size_t megabytes, int rounds) {
    const std::string skin = GenerateSkin(megabytes << 20);
    const double mb = static_cast<double>(skin.size()) / (1024.0 * 1024.0);
    std::vector<double> parse, convert;
    int elements = 0;
    for (int r = 0; r < rounds; ++r) {
        // Floor: the conversion alone, including its buffer.
        double t0 = Now();
        const int n = MultiByteToWideChar(CP_UTF8, 0, skin.data() + 3, static_cast<int>(skin.size() - 3), nullptr, 0);
        wchar_t* wide = static_cast<wchar_t*>(malloc((static_cast<size_t>(n) + 1) * sizeof(wchar_t)));
        MultiByteToWideChar(CP_UTF8, 0, skin.data() + 3, static_cast<int>(skin.size() - 3), wide, n);
        wide[n] = 0;
        convert.push_back(Now() - t0);
        free(wide);

        CXmlDocument doc;
        t0 = Now();
        const bool ok = doc.ParseBytes(skin.data(), skin.size(), XmlEncodingUtf8);
        parse.push_back(Now() - t0);
        if (!ok) {
            wprintf(L"parse failed: %ls\n", doc.LastErrorMessage());
            return;
        }
        elements = doc.GetElementCount() - 1;
        // Touch the attributes once, as the builder does.
        for (CXmlElement row = doc.RootElement().FirstChild().NextSibling().FirstChild(); !row.IsNull();
             row = row.NextSibling()) {
            (void)row.AttrCount();
        }
    }
    const double p = Median(parse), c = Median(convert);
    wprintf(L"markup: %.2f MiB, %d elements, %d rounds (medians)\n", mb, elements, rounds);
    wprintf(L"  CXmlDocument::ParseBytes   %8.1f MB/s  (%.2f ms)\n", mb / p, p * 1000.0);
    wprintf(L"  MultiByteToWideChar alone  %8.1f MB/s  (%.2f ms)\n", mb / c, c * 1000.0);
    wprintf(L"  parser / conversion time   %8.2fx\n", p / c);
}

void BenchLineBreaks(int rounds) {
    const int kBreaks = 300000;
    std::wstring text;
    for (int i = 0; i < kBreaks; ++i) text += L"{\\n}";
    std::vector<double> replace, copy;
    for (int r = 0; r < rounds; ++r) {
        double t0 = Now();
        CUIString copied(text.c_str());
        copy.push_back(Now() - t0);
        CUIString value(text.c_str());
        t0 = Now();
        const int n = value.Replace(L"{\\n}", L"\n");
        replace.push_back(Now() - t0);
        if (n != kBreaks || copied.GetLength() != static_cast<int>(text.size())) {
            wprintf(L"line breaks: replaced %d of %d\n", n, kBreaks);
            return;
        }
    }
    const double rp = Median(replace), cp = Median(copy);
    wprintf(L"line breaks: %d \"{\\n}\" in %.2f MiB of text, %d rounds (medians)\n", kBreaks,
            text.size() * 2.0 / (1024.0 * 1024.0), rounds);
    wprintf(L"  CUIString::Replace         %8.2f ms\n", rp * 1000.0);
    wprintf(L"  one copy of the text       %8.2f ms\n", cp * 1000.0);
    wprintf(L"  replace / copy time        %8.2fx\n", rp / cp);
}

bool EndsWithNoCase(const std::string& s, const char* suffix) {
    const size_t n = strlen(suffix);
    return s.size() >= n && _stricmp(s.c_str() + s.size() - n, suffix) == 0;
}

void BenchArchive(const wchar_t* launcher, int rounds) {
    HMODULE module = LoadLibraryExW(launcher, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        wprintf(L"archive: cannot load %ls\n", launcher);
        return;
    }
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(130), L"ZIPRES");
    const DWORD size = res ? SizeofResource(module, res) : 0;
    const void* data = res ? LockResource(LoadResource(module, res)) : nullptr;
    if (!data || size == 0) {
        wprintf(L"archive: no ZIPRES 130 in %ls\n", launcher);
        FreeLibrary(module);
        return;
    }
    std::vector<double> open, images;
    int count = 0;
    size_t pixels = 0;
    for (int r = 0; r < rounds; ++r) {
        double t0 = Now();
        CZipArchive archive;
        const bool ok = archive.OpenMemory(data, size);
        const double t1 = Now();
        if (!ok) {
            wprintf(L"archive: does not open\n");
            break;
        }
        count = 0;
        pixels = 0;
        for (int i = 0; i < archive.GetMemberCount(); ++i) {
            const std::string& name = archive.GetMember(i)->name;
            if (!EndsWithNoCase(name, ".png") && !EndsWithNoCase(name, ".jpg")) continue;
            CUIBuffer bytes;
            if (archive.Extract(i, bytes) != CZipArchive::kOk) continue;
            TUIImage* image = DecodeSkinImage(bytes.Data(), bytes.Size(), 0);
            if (image) {
                ++count;
                pixels += static_cast<size_t>(image->nWidth) * image->nHeight;
                FreeSkinImage(image);
            }
        }
        open.push_back(t1 - t0);
        images.push_back(Now() - t1);
    }
    if (!open.empty()) {
        wprintf(L"archive: %lu bytes, %d images, %.0f kpixels, %d rounds (medians)\n", static_cast<unsigned long>(size),
                count, pixels / 1000.0, rounds);
        wprintf(L"  open directory             %8.3f ms\n", Median(open) * 1000.0);
        wprintf(L"  read + decode every image  %8.3f ms\n", Median(images) * 1000.0);
        wprintf(L"  total                      %8.3f ms\n", (Median(open) + Median(images)) * 1000.0);
    }
    FreeLibrary(module);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring launcher = L"TavrelStart.exe";
    size_t megabytes = 4;
    int rounds = 9;
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--size") == 0 && i + 1 < argc) {
            megabytes = static_cast<size_t>(_wtoi(argv[++i]));
        } else if (wcscmp(argv[i], L"--rounds") == 0 && i + 1 < argc) {
            rounds = std::max(1, _wtoi(argv[++i]));
        } else {
            launcher = argv[i];
        }
    }
    if (megabytes == 0) megabytes = 1;
    BenchParser(megabytes, rounds);
    BenchLineBreaks(rounds);
    BenchArchive(launcher.c_str(), rounds * 5);
    return 0;
}
