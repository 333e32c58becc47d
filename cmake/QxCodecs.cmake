# The codec libraries under the imaging toolkit, as imported targets with the
# same names in every lane:
#   QxCodec::zlib QxCodec::png QxCodec::jpeg QxCodec::turbojpeg
#   QxCodec::tiff QxCodec::exif QxCodec::gif
# The native lane finds Debian's -dev packages. The Windows lanes find the
# static libraries that tools/third-party/build-codecs cross-built into
# QX_WIN32_PREFIX (the toolchain file puts that prefix on the find root path,
# so find_library looks there and in the mingw sysroot only).
#
# A lane that lacks one of them stops at configure time: the toolkit is never
# left out of a build silently.

function(qx_find_codec target)
  cmake_parse_arguments(C "" "HEADER" "NAMES;WIN32_NAMES;DEPENDS" ${ARGN})
  if(TARGET QxCodec::${target})
    return()
  endif()
  set(_names ${C_NAMES})
  if(QX_WIN32)
    # Static archives first: the modules link their codecs in.
    set(_names)
    foreach(_n ${C_WIN32_NAMES} ${C_NAMES})
      list(APPEND _names lib${_n}.a ${_n})
    endforeach()
  endif()
  find_path(QX_CODEC_${target}_INCLUDE ${C_HEADER})
  find_library(QX_CODEC_${target}_LIBRARY NAMES ${_names})
  if(NOT QX_CODEC_${target}_INCLUDE OR NOT QX_CODEC_${target}_LIBRARY)
    if(QX_WIN32)
      set(_how "run tools/third-party/build-codecs (prefix ${QX_WIN32_PREFIX})")
    else()
      set(_how "run tools/setup-packages")
    endif()
    message(FATAL_ERROR "codec library ${target} (${C_HEADER}) not found: ${_how}")
  endif()
  add_library(QxCodec::${target} UNKNOWN IMPORTED GLOBAL)
  set_target_properties(QxCodec::${target} PROPERTIES
    IMPORTED_LOCATION "${QX_CODEC_${target}_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${QX_CODEC_${target}_INCLUDE}")
  if(C_DEPENDS)
    set_property(TARGET QxCodec::${target} APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${C_DEPENDS})
  endif()
endfunction()

qx_find_codec(zlib HEADER zlib.h NAMES z zlib)
qx_find_codec(png HEADER png.h NAMES png16 png DEPENDS QxCodec::zlib)
qx_find_codec(jpeg HEADER jpeglib.h NAMES jpeg)
qx_find_codec(turbojpeg HEADER turbojpeg.h NAMES turbojpeg)
qx_find_codec(tiff HEADER tiffio.h NAMES tiff DEPENDS QxCodec::jpeg QxCodec::zlib)
qx_find_codec(exif HEADER libexif/exif-data.h NAMES exif)
qx_find_codec(gif HEADER gif_lib.h NAMES gif)
