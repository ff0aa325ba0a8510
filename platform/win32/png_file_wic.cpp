#include "platform/win32/png_file_wic.h"

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"

namespace lobrix {
namespace {

// One COM interface pointer, released when it goes.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// COM on the calling thread for as long as this lives. A thread already in an apartment keeps
// it (RPC_E_CHANGED_MODE: the codecs work in either kind).
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

// "the PNG encoder failed (STEP): the system's text (0x8007000E)".
std::string Failure(const char* step, HRESULT result) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&text), 0,
                 nullptr);
  std::string reason = text != nullptr ? Narrow(text) : std::string();
  if (text != nullptr) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string("the PNG encoder failed (") + step + "): " +
         (reason.empty() ? std::string("error") : reason) + " (" + code + ")";
}

// Writes the pixels into the frame as 24-bit rows (blue, green, red), a band at a time.
HRESULT WriteRows(IWICBitmapFrameEncode* frame, const std::uint32_t* pixels, int width,
                  int height) {
  constexpr int kBand = 64;
  const UINT stride = (static_cast<UINT>(width) * 3 + 3) & ~3u;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride) * kBand);
  for (int top = 0; top < height; top += kBand) {
    const int count = std::min(kBand, height - top);
    for (int y = 0; y < count; ++y) {
      const std::uint32_t* source = pixels + static_cast<std::size_t>(top + y) * width;
      BYTE* target = rows.data() + static_cast<std::size_t>(y) * stride;
      for (int x = 0; x < width; ++x) std::memcpy(target + 3 * x, &source[x], 3);
    }
    const HRESULT written =
        frame->WritePixels(static_cast<UINT>(count), stride, stride * static_cast<UINT>(count),
                           rows.data());
    if (FAILED(written)) return written;
  }
  return S_OK;
}

// The encoder's whole output: the bytes the memory stream holds.
HRESULT StreamBytes(IStream* stream, std::string& bytes) {
  STATSTG stat{};
  HRESULT result = stream->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(result)) return result;
  HGLOBAL memory = nullptr;
  result = GetHGlobalFromStream(stream, &memory);
  if (FAILED(result)) return result;
  const void* data = GlobalLock(memory);
  if (data == nullptr) return E_OUTOFMEMORY;
  bytes.assign(static_cast<const char*>(data), static_cast<std::size_t>(stat.cbSize.QuadPart));
  GlobalUnlock(memory);
  return S_OK;
}

}  // namespace

bool EncodePngWic(const std::uint32_t* pixels, int width, int height, std::string& png,
                  std::string& error) {
  if (pixels == nullptr || width <= 0 || height <= 0) {
    error = "no picture to encode";
    return false;
  }
  const ComScope com;
  ComRef<IWICImagingFactory> factory;
  ComRef<IStream> stream;
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  const auto fail = [&error](const char* step, HRESULT result) {
    error = Failure(step, result);
    return false;
  };
  HRESULT r = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()));
  if (FAILED(r)) return fail("no imaging codecs", r);
  if (FAILED(r = CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()))) return fail("memory", r);
  if (FAILED(r = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out()))) {
    return fail("no PNG encoder", r);
  }
  if (FAILED(r = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(r = encoder->CreateNewFrame(frame.Out(), nullptr)) ||
      FAILED(r = frame->Initialize(nullptr)) ||
      FAILED(r = frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) ||
      FAILED(r = frame->SetPixelFormat(&format))) {
    return fail("set-up", r);
  }
  // The encoder may answer with another layout than the one asked for.
  if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
    return fail("24-bit pixels not taken", WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
  }
  if (FAILED(r = WriteRows(frame.Get(), pixels, width, height))) return fail("pixels", r);
  if (FAILED(r = frame->Commit()) || FAILED(r = encoder->Commit())) return fail("commit", r);
  if (FAILED(r = StreamBytes(stream.Get(), png))) return fail("memory", r);
  return true;
}

}  // namespace lobrix
