// One-input, one-output filter base. A concrete filter fills the operations: which input types it takes,
// which output types it offers for the connected input, buffer sizes, and either Transform (one output
// sample per input sample) or its own Receive (pass-through, dropping, ...).
#pragma once

#include "dshow/Filter.h"

namespace dshow {

class TransformFilter;

class TransformInputPin : public InputPin
{
public:
    TransformInputPin(TransformFilter& filter, const wchar_t* name);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override;
    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    HRESULT OnReceive(IMediaSample* sample) override;
    HRESULT OnEndOfStream() override;
    HRESULT OnBeginFlush() override;
    HRESULT OnEndFlush() override;
    HRESULT OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

private:
    TransformFilter& m_owner;
};

class TransformOutputPin : public OutputPin
{
public:
    TransformOutputPin(TransformFilter& filter, const wchar_t* name);
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& mt) override;
    HRESULT GetMediaType(int index, MediaType& mt) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;

private:
    TransformFilter& m_owner;
};

class TransformFilter : public BaseFilter
{
public:
    TransformFilter(const CLSID& clsid, const wchar_t* inputName = L"Input", const wchar_t* outputName = L"Output");

    int PinCount() override { return 2; }
    Pin* PinAt(int index) override;

    TransformInputPin& Input() { return m_input; }
    TransformOutputPin& Output() { return m_output; }

    // ---- operations ----
    // S_OK when the input pin takes this type.
    virtual HRESULT CheckInputType(const AM_MEDIA_TYPE& in) = 0;
    // S_OK when `out` can be made from `in`.
    virtual HRESULT CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) = 0;
    // The index-th output type for the connected input type; VFW_S_NO_MORE_ITEMS past the last.
    virtual HRESULT GetOutputType(int index, const AM_MEDIA_TYPE& in, MediaType& out) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // One input sample, streaming lock held. The default gets an output buffer, copies the sample's times
    // and flags, runs Transform and delivers unless Transform says S_FALSE (drop).
    virtual HRESULT Receive(IMediaSample* in);
    virtual HRESULT Transform(IMediaSample* in, IMediaSample* out);
    // Connection hooks (filter lock held); a failure refuses the connection.
    virtual HRESULT OnInputConnected(const AM_MEDIA_TYPE& mt);
    virtual HRESULT OnOutputConnected(const AM_MEDIA_TYPE& mt);
    virtual void OnInputDisconnected();
    virtual void OnOutputDisconnected();

protected:
    // Copies times, media times and the sync-point, discontinuity and preroll flags.
    static void CopySampleProperties(IMediaSample* from, IMediaSample* to);

private:
    TransformInputPin m_input;
    TransformOutputPin m_output;
};

} // namespace dshow
