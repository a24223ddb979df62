# Header-only libraries from the system's /usr/include, for every toolchain.
#
# zol_add_header_only(<target> <folder>...) creates an INTERFACE target whose
# include path is a private folder in the build tree holding one symlink per
# named header folder (e.g. CLI, nlohmann). A cross build can then use those
# headers without putting all of /usr/include, with its native C library
# headers, on its include path. The folder is a SYSTEM include, so the
# project's warning flags do not apply to it.
function(zol_add_header_only target)
  set(dir ${CMAKE_BINARY_DIR}/header-only/${target})
  file(MAKE_DIRECTORY ${dir})
  foreach(folder IN LISTS ARGN)
    find_path(ZOL_HEADERS_${folder} ${folder} PATHS /usr/include NO_DEFAULT_PATH
              NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    file(CREATE_LINK ${ZOL_HEADERS_${folder}}/${folder} ${dir}/${folder} SYMBOLIC)
  endforeach()
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${dir})
endfunction()
