// CSampleGrabberCB: the snapshot writer. The scaler writes the preview's newest frame as a temporary BMP file;
// the writer loads it, stamps the date when asked, and saves it as the next numbered BMP, JPEG or PNG picture
// through GDI+. Exactly one exists, for the whole run, with a scratch buffer sized for the largest frame.
#pragma once

#include <windows.h>

#include <string>

class Preview;

// The scratch buffer the scaler copies the grabbed frame into (1280 x 1024 x 3 bytes, made once).
struct ScratchBuffer
{
    BYTE* pBuffer = nullptr;
    long lBufferSize = 0;
};
extern ScratchBuffer cb;

class CSampleGrabberCB
{
public:
    CSampleGrabberCB();
    ~CSampleGrabberCB();
    CSampleGrabberCB(const CSampleGrabberCB&) = delete;
    CSampleGrabberCB& operator=(const CSampleGrabberCB&) = delete;

    // Writes the picture from szGrabPath (the arguments are not used). The frame size and the owner come from
    // the snapshot state the preview graph keeps. Returns 0.
    long CopyBitmap(double sampleTime, BYTE* buffer, long size);

    wchar_t szPictureDir[MAX_PATH] = {};
    wchar_t szGrabPath[MAX_PATH] = {};
    wchar_t szLastPicture[MAX_PATH] = {};
};

extern CSampleGrabberCB g_SampleGrabberCB;

// The index of the GDI+ encoder for a MIME type ("image/jpeg"), its class id in *clsid; -1 when none.
int GetEncoderClsid(const wchar_t* mimeType, CLSID* clsid);
