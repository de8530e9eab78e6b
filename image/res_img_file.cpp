#include "image/res_img_file.h"

#include "foundation/file_path.h"
#include "image/bmp_file.h"
#include "image/jpeg_file.h"
#include "image/png_file.h"
#include "image/tiff_file.h"

namespace {

enum class ImageType { Unknown, Bmp, Jpeg, Tiff, Png };

ImageType TypeOf(LPCWSTR path)
{
    if (!path)
        return ImageType::Unknown;
    const CString extension = GetPathExtension(path);
    if (extension == u".bmp")
        return ImageType::Bmp;
    if (extension == u".jpg" || extension == u".jpeg")
        return ImageType::Jpeg;
    if (extension == u".tif" || extension == u".tiff")
        return ImageType::Tiff;
    if (extension == u".png")
        return ImageType::Png;
    return ImageType::Unknown;
}

} // namespace

BITMAPINFOHEADER* CResImgFile::Load(LPCWSTR path, BITMAPINFOHEADER* reuse)
{
    switch (TypeOf(path)) {
    case ImageType::Bmp: return CImgFileBmp().Load(path, reuse);
    case ImageType::Jpeg: return CImgFileJpeg().Load(path, reuse);
    case ImageType::Tiff: return CImgFileTiff().Load(path, reuse);
    case ImageType::Png: return CImgFilePng().Load(path, reuse);
    case ImageType::Unknown: break;
    }
    return reuse;
}

int CResImgFile::Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path, int quality)
{
    switch (TypeOf(path)) {
    case ImageType::Bmp: return CImgFileBmp().Save(bits, header, path);
    case ImageType::Jpeg: return CImgFileJpeg().Save(bits, header, path, quality);
    case ImageType::Tiff: return CImgFileTiff().Save(bits, header, path);
    case ImageType::Png: return CImgFilePng().Save(bits, header, path);
    case ImageType::Unknown: break;
    }
    return 0;
}
