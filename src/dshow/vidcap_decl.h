// Declarations of the kernel-streaming camera interfaces and DirectShow class ids that MinGW-w64's headers
// lack (its vidcap.h is missing): IKsTopologyInfo, IVideoProcAmp, the KSNODETYPE_* node types, and the
// Sample Grabber / Null Renderer class ids. Include this instead of vidcap.h.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>
#include <ksproxy.h>
#include <qedit.h>

// The GUID objects below are defined here with "selectany" so that every translation unit may include this
// header; ksmedia.h only declares some of them and no MinGW import library defines them.
#ifndef QUILLO_SELECTANY_GUID
#define QUILLO_SELECTANY_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                                         \
    EXTERN_C const GUID DECLSPEC_SELECTANY name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
#endif

// Kernel-streaming topology node types of a USB video-class camera.
QUILLO_SELECTANY_GUID(KSNODETYPE_VIDEO_PROCESSING, 0xDFF229E5, 0xF70F, 0x11D0, 0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31,
                      0x96);
QUILLO_SELECTANY_GUID(KSNODETYPE_VIDEO_CAMERA_TERMINAL, 0xDFF229E6, 0xF70F, 0x11D0, 0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22,
                      0x31, 0x96);
QUILLO_SELECTANY_GUID(KSNODETYPE_VIDEO_SELECTOR, 0xDFF229E4, 0xF70F, 0x11D0, 0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31,
                      0x96);
QUILLO_SELECTANY_GUID(KSNODETYPE_VIDEO_INPUT_TERMINAL, 0xDFF229E2, 0xF70F, 0x11D0, 0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22,
                      0x31, 0x96);
QUILLO_SELECTANY_GUID(KSNODETYPE_VIDEO_STREAMING, 0xDFF229E1, 0xF70F, 0x11D0, 0xB9, 0x17, 0x00, 0xA0, 0xC9, 0x22, 0x31,
                      0x96);

// Interface ids of the two vidcap.h interfaces.
QUILLO_SELECTANY_GUID(IID_IKsTopologyInfo, 0x720D4AC0, 0x7533, 0x11D0, 0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00);
QUILLO_SELECTANY_GUID(IID_IVideoProcAmp, 0x4050560E, 0x42A7, 0x413A, 0x85, 0xC2, 0x09, 0x26, 0x9A, 0x2D, 0x0F, 0x44);

// Defined in libstrmiids.a, declared nowhere in MinGW's headers.
EXTERN_C const CLSID CLSID_SampleGrabber;
EXTERN_C const CLSID CLSID_NullRenderer;

// KSNODETYPE_DEV_SPECIFIC (extension unit) comes from ksmedia.h and libksguid.a / libksuser.a.

#ifndef __IKsTopologyInfo_INTERFACE_DEFINED__
#define __IKsTopologyInfo_INTERFACE_DEFINED__
// Topology of a kernel-streaming filter: categories, nodes and their connections. CreateNodeInstance hands
// out a per-node object (for a video-processing node, one that offers IVideoProcAmp).
struct IKsTopologyInfo : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE get_NumCategories(DWORD* pdwNumCategories) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Category(DWORD dwIndex, GUID* pCategory) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NumConnections(DWORD* pdwNumConnections) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ConnectionInfo(DWORD dwIndex, KSTOPOLOGY_CONNECTION* pConnectionInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NodeName(DWORD dwNodeId, WCHAR* pwchNodeName, DWORD dwBufSize,
                                                   DWORD* pdwNameLen) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NumNodes(DWORD* pdwNumNodes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NodeType(DWORD dwNodeId, GUID* pNodeType) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateNodeInstance(DWORD dwNodeId, REFIID iid, void** ppvObject) = 0;
};
__CRT_UUID_DECL(IKsTopologyInfo, 0x720D4AC0, 0x7533, 0x11D0, 0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00)
#endif

#ifndef __IVideoProcAmp_INTERFACE_DEFINED__
#define __IVideoProcAmp_INTERFACE_DEFINED__
// Video-processing node controls. Each property has get (value, flags), put (value, flags) and getRange
// (min, max, step, default, caps flags), in this slot order.
#define QUILLO_VIDEOPROCAMP_PROPERTY(Name)                                                                             \
    virtual HRESULT STDMETHODCALLTYPE get_##Name(long* pValue, long* pFlags) = 0;                                      \
    virtual HRESULT STDMETHODCALLTYPE put_##Name(long Value, long Flags) = 0;                                          \
    virtual HRESULT STDMETHODCALLTYPE getRange_##Name(long* pMin, long* pMax, long* pSteppingDelta, long* pDefault,    \
                                                      long* pCapsFlag) = 0;
struct IVideoProcAmp : public IUnknown
{
    QUILLO_VIDEOPROCAMP_PROPERTY(BacklightCompensation)
    QUILLO_VIDEOPROCAMP_PROPERTY(Brightness)
    QUILLO_VIDEOPROCAMP_PROPERTY(ColorEnable)
    QUILLO_VIDEOPROCAMP_PROPERTY(Contrast)
    QUILLO_VIDEOPROCAMP_PROPERTY(Gamma)
    QUILLO_VIDEOPROCAMP_PROPERTY(Saturation)
    QUILLO_VIDEOPROCAMP_PROPERTY(Sharpness)
    QUILLO_VIDEOPROCAMP_PROPERTY(WhiteBalance)
    QUILLO_VIDEOPROCAMP_PROPERTY(Gain)
    QUILLO_VIDEOPROCAMP_PROPERTY(Hue)
    QUILLO_VIDEOPROCAMP_PROPERTY(DigitalMultiplier)
    QUILLO_VIDEOPROCAMP_PROPERTY(PowerlineFrequency)
    // White balance as red and blue components: two values.
    virtual HRESULT STDMETHODCALLTYPE get_WhiteBalanceComponent(long* pValue1, long* pValue2, long* pFlags) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_WhiteBalanceComponent(long Value1, long Value2, long Flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE getRange_WhiteBalanceComponent(long* pMin, long* pMax, long* pSteppingDelta,
                                                                     long* pDefault, long* pCapsFlag) = 0;
};
#undef QUILLO_VIDEOPROCAMP_PROPERTY
__CRT_UUID_DECL(IVideoProcAmp, 0x4050560E, 0x42A7, 0x413A, 0x85, 0xC2, 0x09, 0x26, 0x9A, 0x2D, 0x0F, 0x44)
#endif
