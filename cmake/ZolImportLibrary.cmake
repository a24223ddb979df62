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

# zol_write_def_files(LINK_DEF <file> [IMPLIB_DEF <file>] LIBRARY <Name.dll> [STDCALL]
#                     FUNCTIONS <name>:<argument bytes>... [CDECL_FUNCTIONS <name>...])
# Writes the module-definition files of a DLL that exports plain names:
# LINK_DEF, which the DLL is linked with (each plain name aliased to its
# __stdcall-decorated symbol when STDCALL is given), and IMPLIB_DEF, from which
# zol_add_import_library makes the import library (the decorated names, for
# `dlltool -k`). CDECL_FUNCTIONS are plain in both.
function(zol_write_def_files)
  cmake_parse_arguments(ARG "STDCALL" "LINK_DEF;IMPLIB_DEF;LIBRARY" "FUNCTIONS;CDECL_FUNCTIONS"
                        ${ARGN})
  set(link "LIBRARY ${ARG_LIBRARY}\nEXPORTS\n")
  set(implib "${link}")
  foreach(entry IN LISTS ARG_FUNCTIONS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 bytes)
    if(ARG_STDCALL)
      string(APPEND link "    ${name} = ${name}@${bytes}\n")
      string(APPEND implib "    ${name}@${bytes}\n")
    else()
      string(APPEND link "    ${name}\n")
      string(APPEND implib "    ${name}\n")
    endif()
  endforeach()
  foreach(name IN LISTS ARG_CDECL_FUNCTIONS)
    string(APPEND link "    ${name}\n")
    string(APPEND implib "    ${name}\n")
  endforeach()
  # file(CONFIGURE) rewrites a file only when its content changes.
  file(CONFIGURE OUTPUT ${ARG_LINK_DEF} CONTENT "${link}" @ONLY)
  if(ARG_IMPLIB_DEF)
    file(CONFIGURE OUTPUT ${ARG_IMPLIB_DEF} CONTENT "${implib}" @ONLY)
  endif()
endfunction()
