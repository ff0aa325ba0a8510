# liblobrix.so as an installed library: versioned with its SONAME (the major version), the C
# header, a pkg-config file and a CMake package (find_package(Lobrix) gives Lobrix::lobrix).
# Both package files find the prefix from their own place, so an installed tree can be moved.
set_target_properties(lobrix_shared PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  EXPORT_NAME lobrix
  PUBLIC_HEADER ${CMAKE_CURRENT_SOURCE_DIR}/lobrix.h)
target_include_directories(lobrix_shared INTERFACE
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS lobrix_shared EXPORT LobrixTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(LOBRIX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Lobrix)
install(EXPORT LobrixTargets NAMESPACE Lobrix:: DESTINATION ${LOBRIX_CMAKE_DIR})
include(CMakePackageConfigHelpers)
# A 0.x release may change the interface from one minor version to the next; from 1.0 on the
# major version (the SONAME) says what is compatible.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(LOBRIX_COMPATIBILITY SameMinorVersion)
else()
  set(LOBRIX_COMPATIBILITY SameMajorVersion)
endif()
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/LobrixConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY ${LOBRIX_COMPATIBILITY})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LobrixConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/LobrixConfigVersion.cmake DESTINATION ${LOBRIX_CMAKE_DIR})

# lobrix.pc: the prefix is found from the file's own folder (pkg-config's pcfiledir).
file(RELATIVE_PATH LOBRIX_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(lobrix.pc.in ${CMAKE_CURRENT_BINARY_DIR}/lobrix.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/lobrix.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
