# Windows import libraries for __stdcall DLLs exported under plain names.
#
# A DLL linked with --kill-at (or with a .def alias) exports "Name", while a
# caller compiled against a __stdcall declaration references "_Name@N". The
# import library that the linker writes next to such a DLL does not bridge the
# two; one made by `dlltool -k` from a .def file listing the decorated names does.
#
# zol_add_import_library(<name> DEF <file.def> DLL <target>) creates an INTERFACE
# target <name> that links callers against the DLL <target> through that library.
function(zol_add_import_library name)
  cmake_parse_arguments(ARG "" "DEF;DLL" "" ${ARGN})
  find_program(ZOL_DLLTOOL NAMES ${CMAKE_C_COMPILER_TARGET}-dlltool i686-w64-mingw32-dlltool dlltool
               REQUIRED)
  set(implib ${CMAKE_CURRENT_BINARY_DIR}/lib${name}.dll.a)
  add_custom_command(OUTPUT ${implib}
    COMMAND ${ZOL_DLLTOOL} -k -d ${ARG_DEF} -l ${implib}
    DEPENDS ${ARG_DEF}
    COMMENT "Import library for ${ARG_DLL}")
  add_custom_target(${name}_implib DEPENDS ${implib} ${ARG_DLL})
  add_library(${name} INTERFACE)
  add_dependencies(${name} ${name}_implib)
  target_link_libraries(${name} INTERFACE ${implib})
endfunction()
