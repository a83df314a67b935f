// CatchAtEntry: the outermost frame of code that Windows calls (window and subclass
// procedures, the worker thread's entry). An exception must stop there: the 32-bit
// build unwinds with tables that cannot pass through the system's own frames, so one
// that leaves a callback ends the process instead of reaching the message loop.
#pragma once

namespace SkinUI {

// Returns body(); when body throws, the exception stops here and fallback() answers.
template <typename Body, typename Fallback>
auto CatchAtEntry(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        // Swallowed, as the message loop swallows a dispatch failure.
    }
    return fallback();
}

}  // namespace SkinUI
