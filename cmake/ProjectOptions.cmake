# SPDX-License-Identifier: GPL-3.0-or-later
# One place for the language standard, the warnings and the Qt safety defines;
# every target of the project links tavo_options.
add_library(tavo_options INTERFACE)
target_compile_features(tavo_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(tavo_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor
  $<$<BOOL:${TAVO_WERROR}>:-Werror>)

target_compile_definitions(tavo_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  QT_STRICT_ITERATORS)

if(TAVO_SANITIZE)
  target_compile_options(tavo_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tavo_options INTERFACE -fsanitize=address,undefined)
endif()

if(TAVO_HARDEN)
  # _FORTIFY_SOURCE replaces the functions the sanitizers intercept.
  if(TAVO_SANITIZE OR TAVO_FUZZ)
    message(FATAL_ERROR "TAVO_HARDEN cannot be combined with TAVO_SANITIZE or TAVO_FUZZ.")
  endif()
  # The flags a Debian package build gets: fortified functions, stack protector, read-only
  # relocations bound at start; the compiler makes position-independent executables by default.
  # Run from the source folder, so that its -ffile-prefix-map keeps the path out of the binaries.
  find_program(TAVO_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${TAVO_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(tavo_${kind} UNIX_COMMAND "${flags}")
  endforeach()
  target_compile_options(tavo_options INTERFACE ${tavo_CPPFLAGS} ${tavo_CXXFLAGS})
  target_link_options(tavo_options INTERFACE ${tavo_LDFLAGS})
endif()

if(TAVO_FUZZ)
  # Coverage for the fuzzers in every library they link; the fuzz targets add the driver.
  target_compile_options(tavo_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
