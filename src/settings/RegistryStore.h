// The registry settings store: the user's settings under HKEY_CURRENT_USER "Software\Norvane\Quillo\", read
// into and written from the toolbar's settings record. Every read takes a value only when it has the right
// type and shape; otherwise the field keeps what it had. Tests point the store at a root key of their own.
#pragma once

#include <windows.h>

#include <string>

#include "settings/RegistryRules.h"
#include "settings/SettingsRecord.h"

// Writes values into one subkey at a time (the first-start deployment and the camera's default values).
class RegistrySettingsWriter
{
public:
    explicit RegistrySettingsWriter(HKEY root = HKEY_CURRENT_USER) : m_hRoot(root) {}

    void SetRootKey(HKEY root) { m_hRoot = root; }
    // Makes subkey the current one: created or opened with full access when create is set, else opened. An
    // empty subkey clears the current one. False (and the result code kept) when the key cannot be had.
    bool SelectKey(const std::wstring& subkey, bool create);
    bool WriteDword(const wchar_t* name, DWORD value);
    // Texts of 255 characters or more are refused; shorter ones are written with their terminator.
    bool WriteText(const wchar_t* name, const std::wstring& text);
    LONG LastResult() const { return m_lResult; }

private:
    LONG m_lResult = ERROR_SUCCESS;
    HKEY m_hRoot;
    bool m_bNoFlush = true; // keys are never flushed explicitly
    std::wstring m_strSubkey;
};

// The camera's six image defaults, in the order of store::kImageValueNames.
struct ImageValues
{
    int values[store::kImageValueCount];
};

class SettingsStore
{
public:
    explicit SettingsStore(HKEY root = HKEY_CURRENT_USER) : m_root(root) {}

    // True when "Settings\Options\" and "Properties\Image\" both open: no deployment needed.
    bool KeysPresent() const;
    // Creates every key and writes every default; the image values are the camera's when given, else the
    // fallback values. A key that cannot be created is skipped with its values.
    void Deploy(const ImageValues* cameraDefaults);
    // "AutoHide" and "ToolbarPosition" alone, before the menus are built.
    void ReadEarlyOptions(SettingsRecord& record) const;
    // The "Settings" values. False when one of the three keys does not open (nothing is read then).
    bool ReadSettings(SettingsRecord& record) const;
    void WriteSettings(const SettingsRecord& record) const;
    // The "Properties" values; nothing when a key does not open.
    void ReadProperties(SettingsRecord& record) const;
    // "Set" 1 and "PowerlineFrequency"; the six image values too when withImageValues (a live camera).
    void WriteProperties(SettingsRecord& record, bool withImageValues) const;
    bool WriteAutoHide(bool autoHide) const;
    bool WriteToolbarPosition(int position) const;
    bool WritePictureSize(int size) const;
    // "DefaultFrequency" and "PowerlineFrequency" as decided at start.
    bool WriteFrequencies(const SettingsRecord& record) const;

private:
    bool WriteOneDword(const wchar_t* subkey, const wchar_t* name, DWORD value) const;

    HKEY m_root;
};

// The user's pictures or videos folder (CSIDL_MYPICTURES, CSIDL_MYVIDEO; made if missing) with a final
// backslash; empty when the system cannot tell.
std::wstring UserFolderWithBackslash(int csidl);
