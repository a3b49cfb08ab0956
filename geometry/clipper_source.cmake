# Clipper for the page: compiled with Emscripten from Debian's source package
# libpolyclipping, the version the desktop build links, fetched with
# apt-get source into this build folder on the first configure and reused
# from there. Its source never enters the repository. tools/install-deps
# (groups web and test) lets apt fetch it.
set(CLIPPER_VERSION 6.4.2)
set(CLIPPER_FETCH_DIR ${CMAKE_BINARY_DIR}/clipper-source)
set(CLIPPER_SOURCE_DIR ${CLIPPER_FETCH_DIR}/libpolyclipping-${CLIPPER_VERSION}/cpp)
if(NOT EXISTS ${CLIPPER_SOURCE_DIR}/clipper.cpp)
  message(STATUS "Fetching Clipper ${CLIPPER_VERSION}: apt-get source libpolyclipping")
  file(REMOVE_RECURSE ${CLIPPER_FETCH_DIR})
  file(MAKE_DIRECTORY ${CLIPPER_FETCH_DIR})
  execute_process(COMMAND apt-get source -qq libpolyclipping
                  WORKING_DIRECTORY ${CLIPPER_FETCH_DIR}
                  RESULT_VARIABLE CLIPPER_FETCH_STATUS
                  OUTPUT_VARIABLE CLIPPER_FETCH_LOG ERROR_VARIABLE CLIPPER_FETCH_LOG)
  if(NOT EXISTS ${CLIPPER_SOURCE_DIR}/clipper.cpp)
    file(REMOVE_RECURSE ${CLIPPER_FETCH_DIR})
    message(FATAL_ERROR
      "apt-get source libpolyclipping did not give Clipper ${CLIPPER_VERSION} "
      "(status ${CLIPPER_FETCH_STATUS}):\n${CLIPPER_FETCH_LOG}\n"
      "tools/install-deps web adds the deb-src entry it needs.")
  endif()
  # The unpacked tree is all the build reads.
  file(GLOB CLIPPER_ARCHIVES ${CLIPPER_FETCH_DIR}/libpolyclipping_*)
  file(REMOVE ${CLIPPER_ARCHIVES})
endif()

# The header where the exact outline includes it from, <polyclipping/clipper.hpp>.
set(CLIPPER_INCLUDE_DIR ${CMAKE_BINARY_DIR}/clipper-include)
configure_file(${CLIPPER_SOURCE_DIR}/clipper.hpp ${CLIPPER_INCLUDE_DIR}/polyclipping/clipper.hpp
               COPYONLY)
add_library(gear_clipper STATIC ${CLIPPER_SOURCE_DIR}/clipper.cpp)
target_include_directories(gear_clipper SYSTEM PUBLIC ${CLIPPER_INCLUDE_DIR})
# Debian's source as it is, which this project does not change: our warning
# options are not for it.
target_compile_options(gear_clipper PRIVATE -w)
