# Installation, the CMake package, pkg-config files and CPack (a relocatable
# .tar.gz on Linux, a zip and its symbols zip on 32-bit Windows). The Debian
# packages are built from debian/ with Debian's own tools.
include(CMakePackageConfigHelpers)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME runtime)

set(ZOL_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZolUtilities)
set_target_properties(qordata PROPERTIES EXPORT_NAME QorData)

install(FILES ${PROJECT_SOURCE_DIR}/include/zolutilities.h
              ${PROJECT_SOURCE_DIR}/qordata/include/QorData.h
              ${PROJECT_SOURCE_DIR}/qordata/include/QorDataHost.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

if(WIN32)
  # The zip is flat: DLLs, zolhost.exe and the README at the top, so that the
  # program finds the DLLs beside it. Import libraries (MinGW, MSVC) go to lib/.
  include(${PROJECT_SOURCE_DIR}/cmake/ZolWindowsRelease.cmake)
  install(FILES ${CMAKE_BINARY_DIR}/src/libzolutilities_import.dll.a
                ${CMAKE_BINARY_DIR}/qordata/libqordata_import.dll.a
          DESTINATION lib OPTIONAL)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples)
else()
  install(TARGETS zolutilities qordata EXPORT ZolUtilitiesTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT ZolUtilitiesTargets NAMESPACE ZolUtilities::
          DESTINATION ${ZOL_CMAKE_PACKAGE_DIR})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ZolUtilitiesConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/ZolUtilitiesConfig.cmake
    INSTALL_DESTINATION ${ZOL_CMAKE_PACKAGE_DIR})
  write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/ZolUtilitiesConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ZolUtilitiesConfig.cmake
                ${CMAKE_CURRENT_BINARY_DIR}/ZolUtilitiesConfigVersion.cmake
          DESTINATION ${ZOL_CMAKE_PACKAGE_DIR})

  # pkg-config files locate their prefix from where they are installed, so an
  # unpacked package works from any folder.
  file(RELATIVE_PATH ZOL_PC_PREFIX_FROM_PCDIR
       ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  foreach(pc zolutilities qordata)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${pc}.pc @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
endif()
# The tracing shim: beside the DLLs in the zip (a stripped copy, from
# ZolWindowsRelease.cmake), in the library folder on Linux.
if(NOT WIN32)
  install(TARGETS zoltrace LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()

set(CPACK_PACKAGE_NAME zolutilities)
set(CPACK_PACKAGE_VENDOR "ZolUtilities maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Eighteen numbered utility operations behind one C entry point, with a host program")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  # One folder, usable wherever it is unpacked: zolhost finds the libraries
  # through $ORIGIN, the CMake and pkg-config files find their prefix from
  # where they lie.
  set(CPACK_GENERATOR TGZ)
  string(TOLOWER ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR} ZOL_PACKAGE_SYSTEM)
  set(CPACK_PACKAGE_FILE_NAME zolutilities-${PROJECT_VERSION}-${ZOL_PACKAGE_SYSTEM})
  set(CPACK_STRIP_FILES ON)
endif()
include(CPack)
