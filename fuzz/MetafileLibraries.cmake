# The metafile libraries compiled from their Debian sources with the fuzz build's
# instrumentation, so the picture harness sees and checks their code rather than
# Debian's uninstrumented copies. tools/fetch-fuzz-sources.sh fetches the sources.
set(NATALORY_FUZZ_SOURCES "${CMAKE_BINARY_DIR}/debian-sources/src" CACHE PATH
    "Unpacked Debian sources of libuemf and libemf2svg for the fuzz build")
file(GLOB _uemf_dir LIST_DIRECTORIES true CONFIGURE_DEPENDS "${NATALORY_FUZZ_SOURCES}/libuemf-*")
file(GLOB _emf2svg_dir LIST_DIRECTORIES true CONFIGURE_DEPENDS "${NATALORY_FUZZ_SOURCES}/libemf2svg-*")
file(GLOB _wmf_dir LIST_DIRECTORIES true CONFIGURE_DEPENDS "${NATALORY_FUZZ_SOURCES}/libwmf-*")
if(NOT IS_DIRECTORY "${_uemf_dir}" OR NOT IS_DIRECTORY "${_emf2svg_dir}" OR NOT IS_DIRECTORY "${_wmf_dir}")
    message(STATUS "Metafile library sources not found in ${NATALORY_FUZZ_SOURCES}: "
                   "the fuzz build uses Debian's uninstrumented libraries")
    return()
endif()

# The libraries are C, built with the C compiler beside the C++ one (clang).
enable_language(C)
if(NOT CMAKE_C_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz build needs clang for C as well: configure with CC=clang")
endif()
add_library(natalory_fuzz_uemf STATIC
    ${_uemf_dir}/uemf.c ${_uemf_dir}/uemf_print.c ${_uemf_dir}/uemf_endian.c ${_uemf_dir}/uemf_safe.c
    ${_uemf_dir}/uemf_utf.c ${_uemf_dir}/uwmf.c ${_uemf_dir}/uwmf_print.c ${_uemf_dir}/uwmf_endian.c
    ${_uemf_dir}/upmf.c ${_uemf_dir}/upmf_print.c)
target_include_directories(natalory_fuzz_uemf PUBLIC ${_uemf_dir})
target_compile_options(natalory_fuzz_uemf PRIVATE -w)
# libwmf, linked beside it, has a wmf_free of its own.
target_compile_definitions(natalory_fuzz_uemf PRIVATE wmf_free=natalory_uemf_wmf_free)
target_link_libraries(natalory_fuzz_uemf PUBLIC m)

find_package(PNG REQUIRED)
find_package(Freetype REQUIRED)
find_package(Fontconfig REQUIRED)
file(GLOB _emf2svg_sources ${_emf2svg_dir}/src/lib/*.c)
add_library(natalory_fuzz_emf2svg STATIC ${_emf2svg_sources})
target_include_directories(natalory_fuzz_emf2svg PUBLIC ${_emf2svg_dir}/inc)
target_compile_definitions(natalory_fuzz_emf2svg PRIVATE E2S_VERSION="1.1.0")
target_compile_options(natalory_fuzz_emf2svg PRIVATE -w)
target_link_libraries(natalory_fuzz_emf2svg PUBLIC natalory_fuzz_uemf PNG::PNG Freetype::Freetype
                      Fontconfig::Fontconfig)

# libwmf with its own configure, the same compiler and instrumentation. Its PNG writer
# reaches into libpng's private struct, which libpng 1.6 no longer shows: png_jmpbuf()
# is the public way to the same field.
include(ExternalProject)
find_package(ZLIB REQUIRED)
# Its headers define a flag as 1<<31, shifted on every call whatever the input: that one
# check is left out so the fuzzer can reach the code that reads the file.
set(_wmf_flags "-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=shift-base -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1")
set(_wmf_prefix ${CMAKE_BINARY_DIR}/libwmf-fuzz)
ExternalProject_Add(libwmf_fuzz_build
    SOURCE_DIR ${_wmf_dir}
    BUILD_IN_SOURCE TRUE
    PATCH_COMMAND sed -i "s/png_ptr->jmpbuf/png_jmpbuf (png_ptr)/" src/ipa/ipa/bmp.h
    CONFIGURE_COMMAND env CC=${CMAKE_C_COMPILER} "CFLAGS=${_wmf_flags}" "CPPFLAGS=-I${FREETYPE_INCLUDE_DIR_ft2build}"
        "LDFLAGS=-fsanitize=address,undefined" ./configure --prefix=${_wmf_prefix} --disable-shared
        --enable-static --without-x --without-expat --without-libxml2 --without-jpeg --disable-gd -q
    BUILD_COMMAND make ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true
    INSTALL_COMMAND make install ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true
    BUILD_BYPRODUCTS ${_wmf_prefix}/lib/libwmf.a ${_wmf_prefix}/lib/libwmflite.a
    LOG_CONFIGURE TRUE LOG_BUILD TRUE LOG_INSTALL TRUE)
file(MAKE_DIRECTORY ${_wmf_prefix}/include)
add_library(natalory_fuzz_wmf INTERFACE)
add_dependencies(natalory_fuzz_wmf libwmf_fuzz_build)
target_include_directories(natalory_fuzz_wmf INTERFACE ${_wmf_prefix}/include)
target_link_libraries(natalory_fuzz_wmf INTERFACE ${_wmf_prefix}/lib/libwmf.a ${_wmf_prefix}/lib/libwmflite.a
                      Freetype::Freetype PNG::PNG ZLIB::ZLIB m)

set(NATALORY_FUZZ_METAFILE_LIBRARIES natalory_fuzz_emf2svg natalory_fuzz_uemf natalory_fuzz_wmf)
