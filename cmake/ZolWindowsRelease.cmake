# The Windows binaries as they are released: each carries a version resource,
# and the zip gets stripped copies whose debug information goes to a separate
# symbols zip (each copy names its .debug file in a .gnu_debuglink section, so
# a debugger finds the symbols unpacked beside it). The build tree keeps the
# unstripped binaries the tests run.
set(ZOL_RELEASE_DIR ${PROJECT_BINARY_DIR}/release)

# zol_release_binary(<target> FILE <name> TYPE VFT_DLL|VFT_APP DESCRIPTION <text>)
function(zol_release_binary target)
  cmake_parse_arguments(ARG "" "FILE;TYPE;DESCRIPTION" "" ${ARGN})
  set(ZOL_RC_FILE ${ARG_FILE})
  set(ZOL_RC_FILETYPE ${ARG_TYPE})
  set(ZOL_RC_DESCRIPTION ${ARG_DESCRIPTION})
  get_filename_component(ZOL_RC_INTERNAL_NAME ${ARG_FILE} NAME_WE)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${ZOL_RELEASE_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${ZOL_RELEASE_DIR}/${target}.rc)

  set(stripped ${ZOL_RELEASE_DIR}/bin/${ARG_FILE})
  set(symbols ${ZOL_RELEASE_DIR}/symbols/${ARG_FILE}.debug)
  add_custom_command(OUTPUT ${stripped} ${symbols}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZOL_RELEASE_DIR}/bin ${ZOL_RELEASE_DIR}/symbols
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${symbols}
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${symbols} $<TARGET_FILE:${target}>
            ${stripped}
    DEPENDS ${target}
    COMMENT "Stripped ${ARG_FILE} and its symbols"
    VERBATIM)
  add_custom_target(${target}_release ALL DEPENDS ${stripped} ${symbols})
  install(PROGRAMS ${stripped} DESTINATION .)
  install(FILES ${symbols} DESTINATION . COMPONENT symbols)
endfunction()

zol_release_binary(zolutilities FILE ZolUtilities.dll TYPE VFT_DLL
  DESCRIPTION "ZolUtilities: numbered utility operations behind DoZolFunction")
zol_release_binary(qordata FILE QorData.dll TYPE VFT_DLL
  DESCRIPTION "QorData stand-in: numbered array store")
zol_release_binary(zolhost FILE zolhost.exe TYPE VFT_APP
  DESCRIPTION "zolhost: calls the ZolUtilities operations")
zol_release_binary(zoltrace FILE ZolTrace.dll TYPE VFT_DLL
  DESCRIPTION "ZolTrace: records the calls a host makes to ZolUtilities")

# Export lists for other toolchains (each plain name and the __stdcall symbol
# it stands for), and import libraries in MSVC's own short-import format made
# from them: each __stdcall symbol (_Name@N) imports the plain name the DLL
# exports. MSVC's lib cannot make these from a .def file alone, as it cannot
# learn the decoration there; llvm-dlltool can.
find_program(ZOL_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 PATHS /usr/lib/llvm-14/bin
             REQUIRED)
foreach(entry zolutilities:src/zolutilities:ZolUtilities qordata:qordata/qordata:QorData)
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 target)
  list(GET parts 1 def)
  list(GET parts 2 name)
  set(msvc_lib ${ZOL_RELEASE_DIR}/lib/${name}.lib)
  add_custom_command(OUTPUT ${msvc_lib}
    COMMAND ${ZOL_LLVM_DLLTOOL} -m i386 -k -d ${PROJECT_BINARY_DIR}/${def}.implib.def -l ${msvc_lib}
    DEPENDS ${PROJECT_BINARY_DIR}/${def}.implib.def
    COMMENT "MSVC import library ${name}.lib"
    VERBATIM)
  add_custom_target(${target}_msvc_lib ALL DEPENDS ${msvc_lib})
  install(FILES ${PROJECT_BINARY_DIR}/${def}.def RENAME ${name}.def DESTINATION .)
  install(FILES ${msvc_lib} DESTINATION lib)
endforeach()

# Two zips from one cpack run: the release and its symbols.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime symbols)
set(CPACK_ARCHIVE_RUNTIME_FILE_NAME ZolUtilities-${PROJECT_VERSION}-win32)
set(CPACK_ARCHIVE_SYMBOLS_FILE_NAME ZolUtilities-${PROJECT_VERSION}-win32-symbols)
