// Image list wrapper.
#include "fx/ImageList.h"

#include "fx/App.h"

namespace fx {

ImageList& ImageList::operator=(ImageList&& other) noexcept
{
    if (this != &other) {
        Destroy();
        m_list = other.m_list;
        other.m_list = nullptr;
    }
    return *this;
}

bool ImageList::Create(int width, int height, UINT flags, int initial, int grow)
{
    EnsureCommonControls();
    Destroy();
    m_list = ImageList_Create(width, height, flags, initial, grow);
    return m_list != nullptr;
}

void ImageList::Destroy()
{
    if (m_list)
        ImageList_Destroy(m_list);
    m_list = nullptr;
}

int ImageList::Add(HBITMAP picture, HBITMAP mask)
{
    return m_list ? ImageList_Add(m_list, picture, mask) : -1;
}

int ImageList::GetImageCount() const
{
    return m_list ? ImageList_GetImageCount(m_list) : 0;
}

bool ImageList::Draw(int index, HDC dc, int x, int y, UINT style) const
{
    return m_list && ImageList_Draw(m_list, index, dc, x, y, style);
}

SIZE ImageList::GetImageSize() const
{
    int width = 0;
    int height = 0;
    if (m_list)
        ImageList_GetIconSize(m_list, &width, &height);
    return SIZE{width, height};
}

} // namespace fx
