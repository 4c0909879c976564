# Writes the header that names the build in the About box: the commit of the
# checkout and the build type. Run at every build; the header changes (and the
# About box is recompiled) only when the commit does.
#   cmake -DSOURCE_DIR=... -DOUT=.../KalvoraBuildId.h -DBUILD_TYPE=... -P BuildId.cmake
execute_process(COMMAND git rev-parse --short=12 HEAD WORKING_DIRECTORY "${SOURCE_DIR}"
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT commit)
  set(commit "unknown")
endif()
string(STRIP "${commit} ${BUILD_TYPE}" build)
set(text "// Written by cmake/BuildId.cmake at build time.\n#define KALVORA_BUILD \"${build}\"\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
