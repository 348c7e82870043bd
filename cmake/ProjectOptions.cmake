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

if(TAVO_FUZZ)
  # Coverage for the fuzzers in every library they link; the fuzz targets add the driver.
  target_compile_options(tavo_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
