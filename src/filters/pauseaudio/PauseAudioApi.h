// Class id and control interface of the audio-pause filter nvpa.ax ("Norvane Pause Audio").
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "filters/common/FilterGuid.h"

// {4DBDC55B-ACFC-4915-A9D0-0711C5FC3631}
QUILLO_FILTER_GUID(CLSID_NorvanePauseAudio, 0x4DBDC55B, 0xACFC, 0x4915, 0xA9, 0xD0, 0x07, 0x11, 0xC5, 0xFC, 0x36, 0x31);
// {E5024F6E-759C-452C-A9CA-C55F03ED6918}
QUILLO_FILTER_GUID(IID_IPauseAudio, 0xE5024F6E, 0x759C, 0x452C, 0xA9, 0xCA, 0xC5, 0x5F, 0x03, 0xED, 0x69, 0x18);

struct IPauseAudio : public IUnknown
{
    // TRUE: audio samples are dropped; FALSE resumes, with time stamps continuing where delivery stopped.
    virtual HRESULT STDMETHODCALLTYPE SetHold(BOOL hold) = 0;
};
__CRT_UUID_DECL(IPauseAudio, 0xE5024F6E, 0x759C, 0x452C, 0xA9, 0xCA, 0xC5, 0x5F, 0x03, 0xED, 0x69, 0x18)
