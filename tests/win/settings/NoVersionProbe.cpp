// A program without a version resource: exits with 0 when GetProgramVersion reports none, 1 when it
// claims a version, so the settings tests can check the missing-resource case.
#include "settings/LangText.h"

int wmain()
{
    std::wstring version;
    return GetProgramVersion(version) ? 1 : 0;
}
