# Writes a C++ source that holds the bytes of INPUT as kEnglishLanguageFile.
# Run as: cmake -DINPUT=<file or empty> -DOUTPUT=<file.cpp> -P embed_file.cmake
# With an empty or missing INPUT the array is empty (size 0).
set(bytes "")
set(size 0)
if(INPUT AND EXISTS "${INPUT}")
  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
endif()
set(text "// Generated from lang/English.lng by builder/embed_file.cmake.\n#include \"builder/embedded_english.h\"\n\nconst uint8_t kEnglishLanguageFile[] = {${bytes}0};\nconst size_t kEnglishLanguageFileSize = ${size};\n")
# Rewrite only on change, so that an unchanged file does not relink.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
