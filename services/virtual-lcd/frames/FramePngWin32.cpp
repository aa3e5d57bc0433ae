#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <vector>

#include "lcdlink/LcdServiceInterface.h"
#include "services/virtual-lcd/frames/FramePng.h"

// PNG through the Windows Imaging Component: every Windows has its encoder,
// so the Windows build needs no image library of its own.
namespace korvan::virtual_lcd {
namespace {

using Microsoft::WRL::ComPtr;

// COM on the calling thread for one encoding. A thread where COM already
// runs in the other model is used as it is.
class ComOnThisThread {
 public:
  ComOnThisThread() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComOnThisThread() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComOnThisThread(const ComOnThisThread&) = delete;
  ComOnThisThread& operator=(const ComOnThisThread&) = delete;
  bool Ready() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// Room for any PNG of `raw` filtered bytes: deflate's stored blocks when
// nothing compresses, the chunks' own bytes and any small chunk added.
std::size_t MostPngBytes(std::size_t raw) {
  return raw + raw / 8 + 4096;
}

// An 8-bit grey frame of width x height, written into `memory`.
bool StartFrame(IWICImagingFactory& factory, std::string& memory, UINT width, UINT height,
                ComPtr<IWICStream>& stream, ComPtr<IWICBitmapEncoder>& encoder,
                ComPtr<IWICBitmapFrameEncode>& frame) {
  WICPixelFormatGUID format = GUID_WICPixelFormat8bppGray;
  return SUCCEEDED(factory.CreateStream(&stream)) &&
         SUCCEEDED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(memory.data()),
                                                static_cast<DWORD>(memory.size()))) &&
         SUCCEEDED(factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
         SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
         SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width, height)) &&
         SUCCEEDED(frame->SetPixelFormat(&format)) &&
         IsEqualGUID(format, GUID_WICPixelFormat8bppGray);  // never converted
}

}  // namespace

std::string FramePng(const std::uint8_t* pixels, int scale) {
  if (scale < 1 || scale > kMaxPngScale) return {};
  const auto step = static_cast<UINT>(scale);
  const UINT width = LCD_FRAME_WIDTH * step;
  const UINT height = LCD_FRAME_HEIGHT * step;
  const ComOnThisThread com;  // declared first: released after every interface
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  std::string png(MostPngBytes(std::size_t{width + 1} * height), '\0');
  bool ok = com.Ready() &&
            SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_PPV_ARGS(&factory))) &&
            StartFrame(*factory.Get(), png, width, height, stream, encoder, frame);
  // Whole squares per pixel, so the image stays as crisp as the LCD: each
  // widened row is written `scale` times.
  std::vector<BYTE> row(width);
  for (UINT y = 0; ok && y < LCD_FRAME_HEIGHT; ++y) {
    for (UINT x = 0; x < width; ++x) row[x] = pixels[y * LCD_FRAME_WIDTH + x / step];
    for (UINT copy = 0; ok && copy < step; ++copy) {
      ok = SUCCEEDED(frame->WritePixels(1, width, width, row.data()));
    }
  }
  ULARGE_INTEGER written{};
  ok = ok && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()) &&
       SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &written));
  if (!ok) return {};
  png.resize(static_cast<std::size_t>(written.QuadPart));
  return png;
}

}  // namespace korvan::virtual_lcd
