// Class id of the AVI writer filter nvav.ax ("Norvane AVI Writer"), and its creation function for programs
// that link the filter's static library instead of loading the module. The filter is controlled through
// IConfigAviMux and IFileSinkFilter (strmif.h).
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "filters/common/FilterGuid.h"

// {97AFAA2B-F9E7-45DD-8209-C51486286C69}
QUILLO_FILTER_GUID(CLSID_NorvaneAviWriter, 0x97AFAA2B, 0xF9E7, 0x45DD, 0x82, 0x09, 0xC5, 0x14, 0x86, 0x28, 0x6C, 0x69);

// A new writer filter (reference count 1, handed out as riid), as the module's class factory makes it.
HRESULT CreateAviWriterFilter(REFIID riid, void** ppv);
