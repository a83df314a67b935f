// The skin checker: values as their readers take them, image descriptions and
// the image files they name at each display scale.
#include "skin_linter.h"

#include <algorithm>

#include "ui/controls/render.h"
#include "ui/core/image_scale.h"
#include "ui/core/resource_settings.h"
#include "value_check.h"

namespace skinview {
namespace lint {

void Linter::CheckReads(const Place& at, const std::vector<ValueRead>& reads, const std::wstring& className) {
    for (const ValueRead& read : reads) {
        const std::wstring why = CheckValue(read.kind, read.value);
        if (!why.empty()) {
            Add(at, Severity::kError, ValueText(read.attribute, read.value) + L": " + why);
            continue;
        }
        if (read.kind == SkinUI::attr::kValueImage) {
            CheckImage(at, read.attribute, read.value);
        } else if (read.kind == SkinUI::attr::kValueFont) {
            m_fontRefs.push_back(Reference{at, read.attribute, read.value, className});
        } else if (read.kind == SkinUI::attr::kValueStyle) {
            m_styleRefs.push_back(Reference{at, read.attribute, read.value, className});
        }
    }
}

void Linter::CheckImage(const Place& at, const std::wstring& attribute, const std::wstring& description) {
    if (!SkinUI::TUIImageSpec::IsWellFormed(description.c_str())) {
        Add(at, Severity::kError, ValueText(attribute, description) +
                                      L": not a well-formed image description (key='value' pairs, one space apart)");
    }
    std::vector<std::wstring> unknownKeys;
    std::wstring file, resType;
    const ApplyResult r = ParseImage(description.c_str(), unknownKeys, file, resType);
    for (const std::wstring& key : unknownKeys) {
        Add(at, Severity::kWarning, attribute + L": image descriptions have no key \"" + key + L"\"" +
                                        DidYouMean(key, m_imageKeys));
    }
    for (const ValueRead& read : r.reads) {
        const std::wstring why = CheckValue(read.kind, read.value);
        if (!why.empty()) {
            Add(at, Severity::kError, attribute + L": " + read.attribute + L"='" + read.value + L"': " + why);
        }
    }
    if (resType.empty()) CheckImageFile(at, attribute, file);
}

bool Linter::ImageExists(const std::wstring& name) {
    SkinUI::CUIBuffer bytes;
    return SkinUI::CUIResourceSettings::ReadResourceFile(name.c_str(), bytes);
}

// The file drawn at `percent`: the name with "@<percent>" before each '.'.
std::wstring Linter::ScaledName(const std::wstring& name, int percent) {
    std::wstring out;
    for (wchar_t c : name) {
        if (c == L'.') out += L"@" + std::to_wstring(percent);
        out += c;
    }
    return out;
}

void Linter::CheckImageFile(const Place& at, const std::wstring& attribute, const std::wstring& file) {
    if (file.empty()) return;
    if (!ImageExists(file)) {
        Add(at, Severity::kError, attribute + L": image \"" + file + L"\" not found");
        return;
    }
    if (!m_scaleChecked.insert(file).second) return;
    // The scales with pictures of their own, among those the image loader looks for.
    std::vector<int> present;
    for (int i = 0; i < SkinUI::kImageScaleCount; ++i) {
        if (ImageExists(ScaledName(file, SkinUI::kImageScales[i]))) present.push_back(SkinUI::kImageScales[i]);
    }
    // Scales without a picture of their own, grouped by the file they use instead.
    std::vector<std::pair<std::wstring, std::wstring>> uses;  // file, scales
    for (int s : m_settings.scales) {
        if (std::find(present.begin(), present.end(), s) != present.end()) continue;
        int use = 100;
        for (int p : present) {
            if (p > s && (use == 100 || p < use)) use = p;
        }
        const std::wstring used = use == 100 ? file : ScaledName(file, use);
        auto group = std::find_if(uses.begin(), uses.end(), [&](const std::pair<std::wstring, std::wstring>& u) {
            return u.first == used;
        });
        if (group == uses.end()) {
            uses.emplace_back(used, std::to_wstring(s));
        } else {
            group->second += L", " + std::to_wstring(s);
        }
    }
    std::wstring text;
    for (const auto& u : uses) text += (text.empty() ? L"" : L"; ") + u.second + L" % draw " + u.first;
    if (!text.empty()) Add(at, Severity::kNote, L"image \"" + file + L"\" has no picture of its own at every scale: " + text);
}

}  // namespace lint
}  // namespace skinview
