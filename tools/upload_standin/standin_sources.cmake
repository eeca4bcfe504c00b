# Sources of the stand-in upload servers, relative to the repository root. The native tree builds
# them as a library; the windows tree compiles them with the host compiler for its Wine tests.
set(MB_UPLOAD_STANDIN_SOURCES
  tools/upload_standin/standin_main.cpp
  tools/upload_standin/upload_standin.cpp
  tools/upload_standin/packet_server.cpp
  tools/upload_standin/server_behaviour.cpp
  tools/upload_standin/upload_store.cpp
  upload/core/block_packet.cpp
  upload/core/image_info.cpp
  common/gbk_text.cpp
)

# The native reference sender of the upload benchmark.
set(MB_UPLOAD_NATIVE_SENDER_SOURCES
  tools/upload_standin/native_sender_main.cpp
  tools/upload_standin/native_block_client.cpp
  upload/core/block_packet.cpp
  upload/core/block_plan.cpp
  upload/core/remote_name.cpp
  common/gbk_text.cpp
  common/atomic_file.cpp
  common/replace_file_posix.cpp
)
