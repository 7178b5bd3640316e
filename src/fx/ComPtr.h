// fx::ComPtr<T>: one counted reference to a COM object, released when replaced or destroyed.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace fx {

template <class T> class ComPtr
{
public:
    ComPtr() = default;
    // Takes a new reference (AddRef) to `p`.
    explicit ComPtr(T* p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~ComPtr() { Release(); }

    ComPtr& operator=(const ComPtr& other)
    {
        Assign(other.m_p);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            T* taken = other.m_p;
            other.m_p = nullptr;
            Release();
            m_p = taken;
        }
        return *this;
    }

    // Holds `p` with a reference of its own (AddRef), releasing what was held before.
    void Assign(T* p)
    {
        if (p)
            p->AddRef();
        T* old = m_p;
        m_p = p;
        if (old)
            old->Release();
    }
    // Takes over the caller's reference to `p` without AddRef, releasing what was held before.
    void Attach(T* p)
    {
        T* old = m_p;
        m_p = p;
        if (old)
            old->Release();
    }
    // Hands the reference to the caller, who must release it.
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    void Release()
    {
        T* old = m_p;
        m_p = nullptr;
        if (old)
            old->Release();
    }

    // For out-parameters (`CoCreateInstance(..., (void**)&ptr)`): releases what was held first.
    T** operator&()
    {
        Release();
        return &m_p;
    }
    T** ReleaseAndGetAddressOf() { return &*this; }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // Asks the held object for another interface; `out` is released first and stays empty on failure.
    template <class U> HRESULT QueryInterface(REFIID iid, ComPtr<U>& out) const
    {
        out.Release();
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(iid, reinterpret_cast<void**>(&out));
    }
    template <class U> HRESULT QueryInterface(ComPtr<U>& out) const { return QueryInterface(__uuidof(U), out); }

private:
    T* m_p = nullptr;
};

} // namespace fx
