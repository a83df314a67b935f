// The settings the dialog edits, kept in an INI file.
#pragma once

#include <string>

struct Settings {
    std::wstring nickname;
    bool autoUpdate = false;
    int volume = 40;

    static Settings Load(const std::wstring& file);
    bool Save(const std::wstring& file) const;
    bool operator==(const Settings& other) const {
        return nickname == other.nickname && autoUpdate == other.autoUpdate && volume == other.volume;
    }
};
