# SPDX-License-Identifier: GPL-3.0-or-later
# Include roots: each folder of sources is reachable only through a root of its own, a folder in
# the build tree that holds one symbolic link, named after the source folder, to that folder
# (include-roots/ui/ui -> <source>/ui). A target exports the root of its own folder, so a source
# can include the headers of what its target links and nothing else, and includes are still
# written "core/...", "ui/...". Nothing exports the whole source tree.
set(TAVO_INCLUDE_ROOTS ${PROJECT_BINARY_DIR}/include-roots)

# Gives `target` the root of the source folder `folder` (e.g. "ui", "core/ports", "tests/support")
# with the scope given (PUBLIC, PRIVATE or INTERFACE).
function(tavo_include_root target scope folder)
  string(REPLACE "/" "-" name "${folder}")
  set(root "${TAVO_INCLUDE_ROOTS}/${name}")
  set(link "${root}/${folder}")
  if(NOT IS_SYMLINK "${link}")
    get_filename_component(parent "${link}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${link}" SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} "${root}")
endfunction()
