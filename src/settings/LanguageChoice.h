// Windows-free decisions of the interface language: the language code from the machine's registry value
// or the system default, and the choice between a looked-up text and its English default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The code used when the system does not tell its default language: US English.
constexpr wchar_t kDefaultLanguageCode[] = L"0409";
// The language name used when "Lang.ini" names none.
constexpr wchar_t kDefaultLanguageName[] = L"English";

// Formats a 32-bit language number as the code "%04x" (lower-case hexadecimal, at least four digits).
std::wstring FormatLanguageCode(std::uint32_t language);

// The code from the machine's "Language" value: its first four bytes, least significant first. A value of
// fewer than four bytes counts its missing bytes as zero.
std::wstring LanguageCodeFromRegistryBytes(const std::uint8_t* bytes, std::size_t length);

// The code from the system's "Default" language text (UTF-16 code units, possibly without a terminator).
// An unreadable or empty value gives "0409".
std::wstring LanguageCodeFromSystemDefault(bool valueRead, const std::uint16_t* units, std::size_t count);

// A looked-up text, or the English default when the lookup gave nothing.
std::wstring TextOrDefault(const std::wstring& found, const wchar_t* englishDefault);

// Copies a looked-up text (or its default when empty) into a fixed buffer of bufferChars code units,
// cutting it so that the terminator always fits. Returns buffer.
wchar_t* CopyTextOrDefault(wchar_t* buffer, std::size_t bufferChars, const std::wstring& found,
                           const wchar_t* englishDefault);
