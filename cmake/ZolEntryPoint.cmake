# zol_export_entry_point(<target> <file name of the Windows DLL>)
#
# Makes the shared library <target> export DoZolFunction and nothing else, as
# every build of the entry point does (the library itself, the tracing shim,
# test libraries that stand in for it):
# - 32-bit Windows: the plain, undecorated name through a module-definition
#   file (__stdcall unless ZOL_WIN32_CDECL), the DLL named as given, and an
#   import library <target>_import for MinGW hosts that link it;
# - elsewhere: hidden symbols and the version script cmake/zolutilities.map.
include(${CMAKE_CURRENT_LIST_DIR}/ZolImportLibrary.cmake)

function(zol_export_entry_point target dll)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    set(convention STDCALL)
    if(ZOL_WIN32_CDECL)
      set(convention "")
    endif()
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    set(implib_def ${CMAKE_CURRENT_BINARY_DIR}/${target}.implib.def)
    zol_write_def_files(LINK_DEF ${def} IMPLIB_DEF ${implib_def} LIBRARY ${dll} ${convention}
                        FUNCTIONS DoZolFunction:16)
    target_sources(${target} PRIVATE ${def})
    get_filename_component(name ${dll} NAME_WE)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name} PREFIX "")
    zol_add_import_library(${target}_import DEF ${implib_def} DLL ${target})
    target_include_directories(${target}_import INTERFACE ${PROJECT_SOURCE_DIR}/include)
    if(ZOL_WIN32_CDECL)
      target_compile_definitions(${target} INTERFACE ZOL_USE_CDECL)
      target_compile_definitions(${target}_import INTERFACE ZOL_USE_CDECL)
    endif()
  else()
    target_link_options(${target} PRIVATE
      -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/zolutilities.map ${ZOL_LINK_NO_UNDEFINED})
    set_target_properties(${target} PROPERTIES
      LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/zolutilities.map)
  endif()
endfunction()
