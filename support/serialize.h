// Persistence of single string values under two key levels.
#pragma once

#include <string>

class ISerialize {
public:
    virtual ~ISerialize() = default;
    // Stores `data` under `valueName` in key1\key2, creating the keys as needed.
    virtual bool Write(const wchar_t* key1, const wchar_t* key2, const wchar_t* valueName, const wchar_t* data) = 0;
    // The stored text, or `fallback` (null counts as empty) when anything is missing or empty.
    virtual std::wstring Read(const wchar_t* key1, const wchar_t* key2, const wchar_t* valueName,
                              const wchar_t* fallback) = 0;
    // Deletes key1[\key2[\key3]] with everything beneath it; false only when key1 is null.
    virtual bool Delete(const wchar_t* key1, const wchar_t* key2, const wchar_t* key3) = 0;
};
