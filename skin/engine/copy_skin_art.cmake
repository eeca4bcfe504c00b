# cmake -DART_DIR=<drawn skin files> -DBIN_DIR=<program folder> -P copy_skin_art.cmake
# Copies the skin pictures, configurations and waiting animations of the three layouts; when the
# art tool has not drawn them, says so and leaves the programs to run unskinned.
set(missing)
foreach(suffix "" 2 3)
  foreach(name default${suffix}.bmp default${suffix}.config waitting${suffix}.gif)
    if(EXISTS ${ART_DIR}/${name})
      file(COPY_FILE ${ART_DIR}/${name} ${BIN_DIR}/${name} ONLY_IF_DIFFERENT)
    else()
      list(APPEND missing ${name})
    endif()
  endforeach()
endforeach()
if(missing)
  message(WARNING "Skin files not found in ${ART_DIR}: ${missing}. Build the native tree first "
                  "(tools/build.sh does) or pass -DMB_SKIN_ART_DIR; without them the programs run unskinned.")
endif()
