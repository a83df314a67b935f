#pragma once
// skinview --watch: the preview window stays open and is rebuilt whenever a
// file under the skin's folder changes (the skin, its includes, its images).

#include <functional>
#include <string>

#include "options.h"

namespace skinview {

struct WatchCallbacks {
    // Reads the skin's source again (an archive is re-read whole); false when it cannot.
    std::function<bool()> reload;
    // Empty when the skin builds; otherwise why not.
    std::function<std::wstring()> buildProblem;
    // Before each build: the lint findings.
    std::function<void()> beforeBuild;
    // After each good build, with the new window (dumps its tree on request).
    std::function<void(void* window)> afterBuild;
};

// Runs until the preview window is closed. `folder` is watched with its
// sub-folders. Returns the exit code.
int RunWatch(const Options& options, const std::wstring& skinName, const std::wstring& folder,
             const WatchCallbacks& callbacks);

}  // namespace skinview
