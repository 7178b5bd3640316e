// Brings the running file numbers of the settings record up to date from the files in a folder (pictures of
// the record's current format, or recordings). Returns true when a numbered file was found.
#pragma once

#include <string>

#include "settings/SettingsRecord.h"

bool FindNextFileNumber(SettingsRecord& record, const std::wstring& folder, int videoFlag);
