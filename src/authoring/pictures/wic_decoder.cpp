// WebP, HEIC and AVIF through Windows' own codecs (WIC): WebP comes with Windows 10 (1809) and later,
// HEIC and AVIF with Windows' free image extensions. A format without a codec on this computer is
// told as such (WINCODEC_ERR_COMPONENTNOTFOUND), so the author learns what to install. Pixels come
// as stored: the picture source turns them upright itself.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>

#include "system_decoders.h"

namespace fenok::pack {
namespace {

// COM on the calling thread for the length of one decode: pictures are fitted on worker threads, and
// the studio's own thread already has COM (as a single-threaded apartment), which is kept as it is.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return pointer_; }
  T* get() const { return pointer_; }
  T** out() { return &pointer_; }

 private:
  T* pointer_ = nullptr;
};

bool reads(PictureFormat format) {
  return format == PictureFormat::webp || format == PictureFormat::heic || format == PictureFormat::avif;
}

PictureCheck refused(HRESULT result, PictureFormat format, Message& problem) {
  if (result == WINCODEC_ERR_COMPONENTNOTFOUND) return PictureCheck::noDecoder;
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  problem = message(Msg::pictureDamaged, formatName(format), code);
  return PictureCheck::unreadable;
}

// The first frame of a file, decoded by whichever codec Windows has for it, with what it needs alive.
struct Frame {
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
};

PictureCheck openFrame(const std::vector<std::uint8_t>& bytes, PictureFormat format, Frame& opened, Message& problem) {
  if (!opened.com.usable()) return PictureCheck::noDecoder;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(opened.factory.out()));
  if (SUCCEEDED(result)) result = opened.factory->CreateStream(stream.out());
  if (SUCCEEDED(result))
    result = stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  if (SUCCEEDED(result))
    result = opened.factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                     decoder.out());
  if (SUCCEEDED(result)) result = decoder->GetFrame(0, opened.frame.out());
  if (SUCCEEDED(result)) result = opened.frame->GetSize(&opened.width, &opened.height);
  return SUCCEEDED(result) ? PictureCheck::readable : refused(result, format, problem);
}

PictureCheck size(const std::vector<std::uint8_t>& bytes, PictureFormat format, int& width, int& height,
                  Message& problem) {
  Frame opened;
  const PictureCheck check = openFrame(bytes, format, opened, problem);
  width = static_cast<int>(opened.width);
  height = static_cast<int>(opened.height);
  return check;
}

PictureCheck decode(const std::vector<std::uint8_t>& bytes, PictureFormat format, Pixels& pixels, Message& problem) {
  Frame opened;
  const PictureCheck check = openFrame(bytes, format, opened, problem);
  if (check != PictureCheck::readable) return check;
  ComPtr<IWICFormatConverter> converter;
  HRESULT result = opened.factory->CreateFormatConverter(converter.out());
  if (SUCCEEDED(result))
    result = converter->Initialize(opened.frame.get(), GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr,
                                   0.0, WICBitmapPaletteTypeCustom);
  if (FAILED(result)) return refused(result, format, problem);
  pixels.width = static_cast<int>(opened.width);
  pixels.height = static_cast<int>(opened.height);
  pixels.channels = kRgba;
  const UINT stride = opened.width * kRgba;
  pixels.data.resize(static_cast<std::size_t>(stride) * opened.height);
  result = converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.data.size()), pixels.data.data());
  if (FAILED(result)) return refused(result, format, problem);
  dropOpaqueAlpha(pixels);
  return PictureCheck::readable;
}

}  // namespace

const PictureDecoder kWicDecoder{"WIC", reads, size, decode};

}  // namespace fenok::pack
