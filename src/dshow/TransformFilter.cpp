// One-input, one-output filter base.
#include "dshow/TransformFilter.h"

namespace dshow {

TransformInputPin::TransformInputPin(TransformFilter& filter, const wchar_t* name)
    : InputPin(filter, name), m_owner(filter)
{
}

HRESULT TransformInputPin::CheckMediaType(const AM_MEDIA_TYPE& mt)
{
    HRESULT hr = m_owner.CheckInputType(mt);
    if (hr != S_OK)
        return hr == S_FALSE ? VFW_E_TYPE_NOT_ACCEPTED : hr;
    // With the output already connected the new input must still produce the output's type.
    TransformOutputPin& out = m_owner.Output();
    if (out.IsConnected())
        return m_owner.CheckTransform(mt, out.ConnectionType().Get());
    return S_OK;
}

HRESULT TransformInputPin::CompleteConnect(IPin*)
{
    return m_owner.OnInputConnected(m_mt.Get());
}

void TransformInputPin::BreakConnect()
{
    m_owner.OnInputDisconnected();
}

HRESULT TransformInputPin::OnReceive(IMediaSample* sample)
{
    return m_owner.Receive(sample);
}

HRESULT TransformInputPin::OnEndOfStream()
{
    TransformOutputPin& out = m_owner.Output();
    return out.IsConnected() ? out.DeliverEndOfStream() : S_OK;
}

HRESULT TransformInputPin::OnBeginFlush()
{
    TransformOutputPin& out = m_owner.Output();
    return out.IsConnected() ? out.DeliverBeginFlush() : S_OK;
}

HRESULT TransformInputPin::OnEndFlush()
{
    TransformOutputPin& out = m_owner.Output();
    return out.IsConnected() ? out.DeliverEndFlush() : S_OK;
}

HRESULT TransformInputPin::OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    TransformOutputPin& out = m_owner.Output();
    return out.IsConnected() ? out.DeliverNewSegment(start, stop, rate) : S_OK;
}

TransformOutputPin::TransformOutputPin(TransformFilter& filter, const wchar_t* name)
    : OutputPin(filter, name), m_owner(filter)
{
}

HRESULT TransformOutputPin::CheckMediaType(const AM_MEDIA_TYPE& mt)
{
    TransformInputPin& in = m_owner.Input();
    if (!in.IsConnected())
        return VFW_E_NOT_CONNECTED;
    HRESULT hr = m_owner.CheckTransform(in.ConnectionType().Get(), mt);
    return hr == S_FALSE ? VFW_E_TYPE_NOT_ACCEPTED : hr;
}

HRESULT TransformOutputPin::GetMediaType(int index, MediaType& mt)
{
    TransformInputPin& in = m_owner.Input();
    if (!in.IsConnected())
        return VFW_S_NO_MORE_ITEMS;
    return m_owner.GetOutputType(index, in.ConnectionType().Get(), mt);
}

HRESULT TransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    return m_owner.DecideBufferSize(allocator, request);
}

HRESULT TransformOutputPin::CompleteConnect(IPin*)
{
    return m_owner.OnOutputConnected(m_mt.Get());
}

void TransformOutputPin::BreakConnect()
{
    m_owner.OnOutputDisconnected();
}

TransformFilter::TransformFilter(const CLSID& clsid, const wchar_t* inputName, const wchar_t* outputName)
    : BaseFilter(clsid), m_input(*this, inputName), m_output(*this, outputName)
{
}

Pin* TransformFilter::PinAt(int index)
{
    if (index == 0)
        return &m_input;
    if (index == 1)
        return &m_output;
    return nullptr;
}

void TransformFilter::CopySampleProperties(IMediaSample* from, IMediaSample* to)
{
    REFERENCE_TIME start = 0, stop = 0;
    HRESULT hr = from->GetTime(&start, &stop);
    if (hr == S_OK)
        to->SetTime(&start, &stop);
    else if (hr == VFW_S_NO_STOP_TIME)
        to->SetTime(&start, nullptr);
    else
        to->SetTime(nullptr, nullptr);
    LONGLONG mediaStart = 0, mediaStop = 0;
    if (from->GetMediaTime(&mediaStart, &mediaStop) == S_OK)
        to->SetMediaTime(&mediaStart, &mediaStop);
    else
        to->SetMediaTime(nullptr, nullptr);
    to->SetSyncPoint(from->IsSyncPoint() == S_OK);
    to->SetDiscontinuity(from->IsDiscontinuity() == S_OK);
    to->SetPreroll(from->IsPreroll() == S_OK);
}

HRESULT TransformFilter::Receive(IMediaSample* in)
{
    if (!m_output.IsConnected())
        return S_OK; // Nothing downstream: the sample is consumed.
    ComPtr<IMediaSample> out;
    HRESULT hr = m_output.GetDeliveryBuffer(out.Put(), nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    CopySampleProperties(in, out.Get());
    hr = Transform(in, out.Get());
    if (hr == S_FALSE)
        return S_OK;
    if (FAILED(hr))
        return hr;
    return m_output.Deliver(out.Get());
}

HRESULT TransformFilter::Transform(IMediaSample*, IMediaSample*)
{
    return E_NOTIMPL;
}

HRESULT TransformFilter::OnInputConnected(const AM_MEDIA_TYPE&)
{
    return S_OK;
}

HRESULT TransformFilter::OnOutputConnected(const AM_MEDIA_TYPE&)
{
    return S_OK;
}

void TransformFilter::OnInputDisconnected() {}

void TransformFilter::OnOutputDisconnected() {}

} // namespace dshow
