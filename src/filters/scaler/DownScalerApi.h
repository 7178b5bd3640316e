// Class id and control interfaces of the scaler filter nvds.ax ("Norvane Down Scaler"): IDownScaler (scale
// mode, frame grab, hold) and IMirrorFlip. Included by the filter and by the capture engine.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "filters/common/FilterGuid.h"

// {B7732A38-B64B-483D-9A57-7518AE5B7D87}
QUILLO_FILTER_GUID(CLSID_NorvaneDownScaler, 0xB7732A38, 0xB64B, 0x483D, 0x9A, 0x57, 0x75, 0x18, 0xAE, 0x5B, 0x7D, 0x87);
// {31E2D139-2266-46B7-A8E2-A2CDEB9E1779}
QUILLO_FILTER_GUID(IID_IDownScaler, 0x31E2D139, 0x2266, 0x46B7, 0xA8, 0xE2, 0xA2, 0xCD, 0xEB, 0x9E, 0x17, 0x79);
// {FEEF28DB-061D-4C97-AAAA-E3B1502DD297}
QUILLO_FILTER_GUID(IID_IMirrorFlip, 0xFEEF28DB, 0x061D, 0x4C97, 0xAA, 0xAA, 0xE3, 0xB1, 0x50, 0x2D, 0xD2, 0x97);

struct IDownScaler : public IUnknown
{
    // TRUE: a 1280x800 camera frame is delivered as 1280x720 (40 rows cut above and below); FALSE: the size
    // passes through. Takes effect when the output pin next connects.
    virtual HRESULT STDMETHODCALLTYPE SetScaleMode(BOOL scale) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScaleMode(BOOL* scale) = 0;
    // Writes the newest frame, as delivered (orientation and crop applied), as a 24-bit BMP file at path: the
    // next frame the camera sends, which also goes downstream, so the call waits up to one frame interval
    // (a few at most). The frame is also written into buffer when it fits in size bytes; nothing is written
    // past size, and a null buffer with size 0 is fine. Fails with VFW_E_WRONG_STATE, writing nothing,
    // before the first frame and when the filter is not running (no frame comes).
    virtual HRESULT STDMETHODCALLTYPE GrabFrame(BYTE* buffer, LONG size, LPCWSTR path) = 0;
    // TRUE: nothing is delivered downstream (a grab still gets the next frame); FALSE resumes.
    virtual HRESULT STDMETHODCALLTYPE SetHold(BOOL hold) = 0;
};
__CRT_UUID_DECL(IDownScaler, 0x31E2D139, 0x2266, 0x46B7, 0xA8, 0xE2, 0xA2, 0xCD, 0xEB, 0x9E, 0x17, 0x79)

struct IMirrorFlip : public IUnknown
{
    // Left-right mirror and upside-down flip, both from the next frame on.
    virtual HRESULT STDMETHODCALLTYPE SetMirrorFlip(BOOL mirror, BOOL flip) = 0;
};
__CRT_UUID_DECL(IMirrorFlip, 0xFEEF28DB, 0x061D, 0x4C97, 0xAA, 0xAA, 0xE3, 0xB1, 0x50, 0x2D, 0xD2, 0x97)
