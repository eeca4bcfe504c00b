# The portable sources of the image layer, relative to the repository root: image/CMakeLists.txt
# builds them as mb_image; the thumbnail benchmark compiles them with the host compiler as well.
set(MB_IMAGE_SOURCES
  image/picture.cpp
  image/picture_transform.cpp
  image/thumbnail.cpp
  image/codec_common.cpp
  image/bmp_codec.cpp
  image/jpeg_codec.cpp
  image/png_codec.cpp
  image/gif_codec.cpp
)
