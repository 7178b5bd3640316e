// fx::ImageList: an image list of equally sized pictures, destroyed with the object.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace fx {

class ImageList
{
public:
    ImageList() = default;
    ~ImageList() { Destroy(); }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ImageList(ImageList&& other) noexcept : m_list(other.m_list) { other.m_list = nullptr; }
    ImageList& operator=(ImageList&& other) noexcept;

    // Replaces the list with a new empty one (ILC_* flags).
    bool Create(int width, int height, UINT flags, int initial, int grow);
    void Destroy();
    // Adds a picture (the list copies it); returns its index or -1.
    int Add(HBITMAP picture, HBITMAP mask = nullptr);
    int GetImageCount() const;
    bool Draw(int index, HDC dc, int x, int y, UINT style = ILD_NORMAL) const;
    SIZE GetImageSize() const;

    HIMAGELIST Get() const { return m_list; }
    explicit operator bool() const { return m_list != nullptr; }

private:
    HIMAGELIST m_list = nullptr;
};

} // namespace fx
