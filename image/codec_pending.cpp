// Codecs not wired yet: every call fails clearly.
#include "image/codecs.h"

namespace mb::codec {

namespace {
bool Pending(std::string& error) {
  error = "this picture format is not available yet";
  return false;
}
}  // namespace

bool DecodeBmp(const DecodeRequest&, PictureData&, std::string& error) { return Pending(error); }
bool DecodeJpeg(const DecodeRequest&, PictureData&, std::string& error) { return Pending(error); }
bool DecodePng(const DecodeRequest&, PictureData&, std::string& error) { return Pending(error); }
bool DecodeGif(const DecodeRequest&, PictureData&, std::string& error) { return Pending(error); }
bool EncodeBmp(const PictureData&, std::string&, std::string& error) { return Pending(error); }
bool EncodeJpeg(const PictureData&, int, std::string&, std::string& error) { return Pending(error); }
bool EncodePng(const PictureData&, std::string&, std::string& error) { return Pending(error); }
bool EncodeGif(const PictureData&, std::string&, std::string& error) { return Pending(error); }
bool ReadJpegSize(const std::uint8_t*, std::size_t, int&, int&, std::string& error) { return Pending(error); }

}  // namespace mb::codec
