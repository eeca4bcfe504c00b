# cmake -DART_DIR=<drawn pictures> -DBIN_DIR=<program folder> -P copy_tabvane_art.cmake
# Places the panel's pictures: Res\watermark, Res\frame and defaultwatermark.gif beside the programs.
foreach(name watermark/watermark1.png watermark/watermark2.png frame/frame1.png frame/frame2.gif)
  if(EXISTS ${ART_DIR}/${name})
    get_filename_component(folder ${BIN_DIR}/Res/${name} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${ART_DIR}/${name} ${BIN_DIR}/Res/${name} ONLY_IF_DIFFERENT)
  else()
    message(WARNING "${ART_DIR}/${name} is missing: build the native tree first (tools/build.sh does)")
  endif()
endforeach()
if(EXISTS ${ART_DIR}/defaultwatermark.gif)
  file(COPY_FILE ${ART_DIR}/defaultwatermark.gif ${BIN_DIR}/defaultwatermark.gif ONLY_IF_DIFFERENT)
endif()
