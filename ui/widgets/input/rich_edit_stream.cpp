// CRichEditUI: RTF in and out through the services' streams.
#include <windows.h>
#include <richedit.h>

#include <string>

#include "ui/widgets/input/rich_edit.h"

namespace SkinUI {

namespace {

struct TStream {
    std::string bytes;
    size_t at = 0;
};

// Stream callbacks are called by riched20 with the system's convention (CALLBACK).
DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* stream = reinterpret_cast<TStream*>(cookie);
    size_t n = stream->bytes.size() - stream->at;
    if (size < 0) size = 0;
    if (n > static_cast<size_t>(size)) n = static_cast<size_t>(size);
    stream->bytes.copy(reinterpret_cast<char*>(buffer), n, stream->at);
    stream->at += n;
    *done = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* stream = reinterpret_cast<TStream*>(cookie);
    if (size > 0) stream->bytes.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    *done = size;
    return 0;
}

// Groups nested deeper than this are flattened: Wine's reader keeps 32 levels and reads
// past its stack beyond that (it crashed on 64), and real documents nest far less.
// Groups left open at the end are closed: Wine's reader loses count of its styles
// when many are.
const int kMostGroupDepth = 24;

void AppendChar(std::string& out, wchar_t ch) {
    const unsigned code = static_cast<unsigned>(ch);
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else {
        // RTF is 7-bit text: other characters become \uN? escapes.
        out += "\\u" + std::to_string(static_cast<short>(code)) + "?";
    }
}

std::string ToRtfBytes(const wchar_t* rtf) {
    std::string out;
    int depth = 0;
    int flattened = 0;
    for (; *rtf != 0; ++rtf) {
        if (*rtf == L'\\') {
            out += '\\';
            if (rtf[1] != 0) AppendChar(out, *++rtf);  // an escaped brace is text
            continue;
        }
        if (*rtf == L'{') {
            if (depth >= kMostGroupDepth) {
                ++flattened;
                continue;
            }
            ++depth;
        } else if (*rtf == L'}') {
            if (flattened > 0) {
                --flattened;
                continue;
            }
            if (depth == 0) continue;  // closes nothing
            --depth;
        }
        AppendChar(out, *rtf);
    }
    out.append(static_cast<size_t>(depth), '}');  // groups left open are closed
    return out;
}

}  // namespace

bool CRichEditUI::SetRtf(const wchar_t* rtf) {
    if (rtf == nullptr || m_pServices == nullptr) return false;
    if (m_bTextPending) {
        m_sText = rtf;  // read once the box has its width
        m_bPendingRtf = true;
        return true;
    }
    TStream stream;
    stream.bytes = ToRtfBytes(rtf);
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&stream), 0, &ReadStream};
    Send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    Repaint();
    return es.dwError == 0;
}

CUIString CRichEditUI::GetRtf() const {
    if (m_pServices == nullptr) return CUIString();
    TStream stream;
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&stream), 0, &WriteStream};
    Send(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    std::wstring wide(stream.bytes.begin(), stream.bytes.end());
    for (wchar_t& c : wide) c = static_cast<unsigned char>(c);
    return CUIString(wide.c_str());
}

}  // namespace SkinUI
