// The registry settings store (see RegistryStore.h). Trace lines keep the toolbar's method names: the toolbar
// owns the settings and calls these for its own reads and writes.
#include "settings/RegistryStore.h"

#include <shlobj.h>

#include <vector>

#include "common/RegistryKey.h"
#include "settings/DebugLog.h"

namespace {

using namespace store;

// Values above this size are never read: no setting is anywhere near it.
constexpr DWORD kMaxValueBytes = 4096;

// A key of the store: the common key with the checked reads of the store's rules.
class RegKey : public RegistryKey
{
public:
    bool Open(HKEY root, const std::wstring& path, REGSAM access)
    {
        return RegistryKey::Open(root, path, access) == ERROR_SUCCESS;
    }
    // The raw value, refused when missing or too large.
    bool Query(const wchar_t* name, DWORD& type, std::vector<uint8_t>& data) const
    {
        DWORD bytes = 0;
        if (RegQueryValueExW(Get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || bytes > kMaxValueBytes)
            return false;
        data.assign(bytes, 0);
        DWORD got = bytes;
        if (RegQueryValueExW(Get(), name, nullptr, &type, bytes ? data.data() : nullptr, &got) != ERROR_SUCCESS ||
            got != bytes)
            return false;
        return true;
    }
    bool ReadDword(const wchar_t* name, uint32_t& value) const
    {
        DWORD type = 0;
        std::vector<uint8_t> data;
        return Query(name, type, data) && DwordFromValue(type, data.data(), data.size(), value);
    }
    bool ReadText(const wchar_t* name, std::wstring& text) const
    {
        DWORD type = 0;
        std::vector<uint8_t> data;
        return Query(name, type, data) && TextFromValue(type, data.data(), data.size(), text);
    }
    bool WriteDword(const wchar_t* name, DWORD value) const
    {
        return RegistryKey::WriteDword(name, value) == ERROR_SUCCESS;
    }
    // Texts of 255 characters or more are refused.
    bool WriteText(const wchar_t* name, const std::wstring& text) const
    {
        return text.size() <= kMaxTextChars && RegistryKey::WriteText(name, text) == ERROR_SUCCESS;
    }
};

std::wstring Path(const wchar_t* subkey)
{
    return std::wstring(kProductKey) + subkey;
}

// Booleans of the record are written as 0 or 1.
DWORD Flag(bool on)
{
    return on ? 1 : 0;
}

void ReadFlag(const RegKey& key, const wchar_t* name, bool& field)
{
    uint32_t value = 0;
    if (key.ReadDword(name, value))
        field = RegistryTrue(value);
}

void ReadFlag(const RegKey& key, const wchar_t* name, unsigned char& field)
{
    uint32_t value = 0;
    if (key.ReadDword(name, value))
        field = RegistryTrue(value) ? 1 : 0;
}

void ReadInt(const RegKey& key, const wchar_t* name, int& field)
{
    uint32_t value = 0;
    if (key.ReadDword(name, value))
        field = static_cast<int>(value);
}

void ReadPosition(const RegKey& key, int& position)
{
    uint32_t value = 0;
    if (key.ReadDword(L"ToolbarPosition", value))
        (void)ToolbarPositionFromValue(value, position); // an impossible edge keeps the current one
}

// A stored folder as it stands; an empty one is the user's own folder of that kind.
void ReadFolder(const RegKey& key, const wchar_t* name, int csidl, std::wstring& field)
{
    std::wstring text;
    if (!key.ReadText(name, text))
        return;
    field = text.empty() ? UserFolderWithBackslash(csidl) : text;
}

int* ImageField(SettingsRecord& record, int index)
{
    int* fields[kImageValueCount] = {&record.iBrightness_value, &record.iContrast_value,   &record.iGamma_value,
                                     &record.iHue_value,        &record.iSaturation_value, &record.iSharpness_value};
    return fields[index];
}

} // namespace

bool RegistrySettingsWriter::SelectKey(const std::wstring& subkey, bool create)
{
    if (subkey.empty()) {
        m_strSubkey.clear();
        return true;
    }
    HKEY key = nullptr;
    if (create)
        m_lResult = RegCreateKeyExW(m_hRoot, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                    nullptr, &key, nullptr);
    else
        m_lResult = RegOpenKeyExW(m_hRoot, subkey.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (m_lResult != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    m_strSubkey = subkey;
    return true;
}

bool RegistrySettingsWriter::WriteDword(const wchar_t* name, DWORD value)
{
    RegKey key;
    if (m_strSubkey.empty() || !key.Open(m_hRoot, m_strSubkey, KEY_WRITE))
        return false;
    return key.WriteDword(name, value);
}

bool RegistrySettingsWriter::WriteText(const wchar_t* name, const std::wstring& text)
{
    RegKey key;
    if (m_strSubkey.empty() || text.size() > kMaxTextChars || !key.Open(m_hRoot, m_strSubkey, KEY_WRITE))
        return false;
    return key.WriteText(name, text);
}

std::wstring UserFolderWithBackslash(int csidl)
{
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, csidl, TRUE))
        return std::wstring();
    return std::wstring(folder) + L"\\";
}

bool SettingsStore::KeysPresent() const
{
    RegKey options, image;
    return options.Open(m_root, Path(kOptionsKey), KEY_READ) && image.Open(m_root, Path(kImageKey), KEY_READ);
}

void SettingsStore::Deploy(const ImageValues* cameraDefaults)
{
    DebugLog("CSkinDlg::DeployRegistryOnCurUser[IN]");
    if (cameraDefaults) {
        DebugLog("CSkinDlg::DeployRegistryOnCurUser GetDefautImageValue() return true!!!");
        for (int i = 0; i < kImageValueCount; ++i)
            DebugLogW(L"CSkinDlg::DeployRegistryOnCurUser %s=%d", kImageValueNames[i], cameraDefaults->values[i]);
    } else {
        DebugLog("CSkinDlg::DeployRegistryOnCurUser GetDefautImageValue() return false!!!");
    }
    RegistrySettingsWriter writer(m_root);
    size_t count = 0;
    const DefaultValue* values = DeploymentValues(&count);
    const wchar_t* selected = nullptr;
    bool keyReady = false;
    int image = 0;
    for (size_t i = 0; i < count; ++i) {
        const DefaultValue& v = values[i];
        if (v.subkey != selected) {
            selected = v.subkey;
            keyReady = writer.SelectKey(Path(v.subkey), true);
        }
        if (!keyReady)
            continue; // a key that cannot be made is skipped with its values
        if (v.type == kTypeDword) {
            (void)writer.WriteDword(v.name, v.number); // write failures are silent
        } else if (v.text) {
            (void)writer.WriteText(v.name, v.text);
        } else if (image < kImageValueCount) {
            const int value = cameraDefaults ? cameraDefaults->values[image] : kImageFallbackValues[image];
            ++image;
            (void)writer.WriteText(v.name, std::to_wstring(value));
        }
    }
}

void SettingsStore::ReadEarlyOptions(SettingsRecord& record) const
{
    RegKey key;
    if (!key.Open(m_root, Path(kOptionsKey), KEY_READ))
        return;
    ReadFlag(key, L"AutoHide", record.m_bAutoHide);
    ReadPosition(key, record.m_nToolbarPosition);
}

bool SettingsStore::ReadSettings(SettingsRecord& record) const
{
    RegKey options, picture, video;
    if (!options.Open(m_root, Path(kOptionsKey), KEY_READ) || !picture.Open(m_root, Path(kPictureKey), KEY_READ) ||
        !video.Open(m_root, Path(kVideoKey), KEY_READ))
        return false;
    ReadFlag(options, L"AutoHide", record.m_bAutoHide);
    ReadPosition(options, record.m_nToolbarPosition);
    ReadFlag(picture, L"DateStamp", record.m_bDateStamp);
    uint32_t format = 0;
    if (picture.ReadDword(L"ExportFile", format))
        (void)ExportFormatFromValue(format, record.m_nExportFile); // an unknown format keeps the current one
    ReadFlag(picture, L"ShowImageAfterSnapshot", record.m_bShowImageAfterSnapshot);
    ReadInt(picture, L"Size", record.m_nPictureSize);
    ReadFolder(picture, L"My Pictures", CSIDL_MYPICTURES, record.m_strPicturePath);
    ReadFolder(video, L"My Video", CSIDL_MYVIDEO, record.m_strVideoPath);
    ReadFlag(video, L"PlayVideoAfterRecording", record.m_bPlayVideoAfterRecording);
    return true;
}

void SettingsStore::WriteSettings(const SettingsRecord& record) const
{
    RegKey options, picture, video;
    if (!options.Open(m_root, Path(kOptionsKey), KEY_ALL_ACCESS) ||
        !picture.Open(m_root, Path(kPictureKey), KEY_ALL_ACCESS) ||
        !video.Open(m_root, Path(kVideoKey), KEY_ALL_ACCESS))
        return;
    // Write failures are silent: the user sees the setting in force for this run either way.
    (void)options.WriteDword(L"AutoHide", Flag(record.m_bAutoHide));
    (void)options.WriteDword(L"ToolbarPosition", static_cast<DWORD>(record.m_nToolbarPosition));
    (void)picture.WriteDword(L"DateStamp", Flag(record.m_bDateStamp != 0));
    (void)picture.WriteDword(L"ExportFile", static_cast<DWORD>(record.m_nExportFile));
    (void)picture.WriteDword(L"ShowImageAfterSnapshot", Flag(record.m_bShowImageAfterSnapshot != 0));
    (void)picture.WriteDword(L"Size", static_cast<DWORD>(record.m_nPictureSize));
    (void)picture.WriteText(L"My Pictures", record.m_strPicturePath);
    (void)video.WriteText(L"My Video", record.m_strVideoPath);
    (void)video.WriteDword(L"PlayVideoAfterRecording", Flag(record.m_bPlayVideoAfterRecording != 0));
    (void)video.WriteDword(L"Size", static_cast<DWORD>(record.m_nPictureSize));
}

void SettingsStore::ReadProperties(SettingsRecord& record) const
{
    DebugLog("CSkinDlg::ReadPropertiesFromRegistry[IN]");
    RegKey image, options;
    if (!image.Open(m_root, Path(kImageKey), KEY_READ) || !options.Open(m_root, Path(kPropertyOptionsKey), KEY_READ))
        return;
    for (int i = 0; i < kImageValueCount; ++i) {
        std::wstring text;
        if (image.ReadText(kImageValueNames[i], text))
            *ImageField(record, i) = DecimalTextToInt(text);
    }
    ReadFlag(image, L"Set", record.m_bImageSet);
    uint32_t frequency = 0;
    if (options.ReadDword(L"PowerlineFrequency", frequency)) {
        record.m_nPowerlineFrequency = static_cast<int>(frequency);
        record.m_bPowerline60Hz = frequency == 2;
    }
    ReadInt(options, L"DefaultFrequency", record.m_nDefaultFrequency);
    for (int i = 0; i < kImageValueCount; ++i)
        DebugLogW(L"CSkinDlg::ReadPropertiesFromRegistry i%s_value=%d", kImageValueNames[i], *ImageField(record, i));
    DebugLog("CSkinDlg::ReadPropertiesFromRegistry m_bImageSet=%d", record.m_bImageSet ? 1 : 0);
    DebugLog("CSkinDlg::ReadPropertiesFromRegistry m_nPowerlineFrequency=%d", record.m_nPowerlineFrequency);
}

void SettingsStore::WriteProperties(SettingsRecord& record, bool withImageValues) const
{
    DebugLog("CSkinDlg::ModifyPropertiesToRegistry[IN]");
    RegKey image, options;
    if (!image.Open(m_root, Path(kImageKey), KEY_ALL_ACCESS) ||
        !options.Open(m_root, Path(kPropertyOptionsKey), KEY_ALL_ACCESS))
        return;
    if (withImageValues) {
        for (int i = 0; i < kImageValueCount; ++i)
            (void)image.WriteText(kImageValueNames[i], std::to_wstring(*ImageField(record, i)));
    }
    record.m_bImageSet = true;
    (void)image.WriteDword(L"Set", 1);
    (void)options.WriteDword(L"PowerlineFrequency", record.m_bPowerline60Hz ? 2 : 1);
}

bool SettingsStore::WriteOneDword(const wchar_t* subkey, const wchar_t* name, DWORD value) const
{
    RegKey key;
    return key.Open(m_root, Path(subkey), KEY_ALL_ACCESS) && key.WriteDword(name, value);
}

bool SettingsStore::WriteAutoHide(bool autoHide) const
{
    return WriteOneDword(kOptionsKey, L"AutoHide", Flag(autoHide));
}

bool SettingsStore::WriteToolbarPosition(int position) const
{
    return WriteOneDword(kOptionsKey, L"ToolbarPosition", static_cast<DWORD>(position));
}

bool SettingsStore::WritePictureSize(int size) const
{
    return WriteOneDword(kPictureKey, L"Size", static_cast<DWORD>(size));
}

bool SettingsStore::WriteFrequencies(const SettingsRecord& record) const
{
    RegKey key;
    if (!key.Open(m_root, Path(kPropertyOptionsKey), KEY_ALL_ACCESS))
        return false;
    const bool defaultWritten = key.WriteDword(L"DefaultFrequency", static_cast<DWORD>(record.m_nDefaultFrequency));
    const bool powerlineWritten = key.WriteDword(L"PowerlineFrequency", record.m_bPowerline60Hz ? 2 : 1);
    return defaultWritten && powerlineWritten;
}
