# Run by ctest (tests/install/CMakeLists.txt passes the variables): installs the build into a
# scratch prefix, checks the installed files, and builds and runs use_lobrix.c against it once
# through pkg-config and once through find_package(Lobrix).
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(lib ${prefix}/${LIBDIR})
foreach(file bin/lobrix include/lobrix.h ${LIBDIR}/liblobrix.so.${VERSION}
        ${LIBDIR}/pkgconfig/lobrix.pc ${LIBDIR}/cmake/Lobrix/LobrixConfig.cmake
        ${LIBDIR}/cmake/Lobrix/LobrixConfigVersion.cmake)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The unversioned name is for the linker, the SONAME for the loader; both lead to the file.
foreach(link liblobrix.so liblobrix.so.${MAJOR})
  if(NOT IS_SYMLINK ${lib}/${link})
    message(FATAL_ERROR "${link} is not a link")
  endif()
endforeach()
run("objdump" objdump -p ${lib}/liblobrix.so.${VERSION})
if(NOT output MATCHES "SONAME +liblobrix\\.so\\.${MAJOR}\n")
  message(FATAL_ERROR "no SONAME liblobrix.so.${MAJOR}:\n${output}")
endif()
run("lobrix --version" ${prefix}/bin/lobrix --version)
if(NOT output STREQUAL "lobrix ${VERSION}")
  message(FATAL_ERROR "lobrix --version printed '${output}'")
endif()

# pkg-config, as a user's makefile would call it.
set(ENV{PKG_CONFIG_PATH} ${lib}/pkgconfig)
run("pkg-config --modversion" pkg-config --modversion lobrix)
if(NOT output STREQUAL VERSION)
  message(FATAL_ERROR "pkg-config gives the version '${output}'")
endif()
run("pkg-config --cflags --libs" pkg-config --cflags --libs lobrix)
separate_arguments(flags UNIX_COMMAND "${output}")
run("cc with pkg-config" ${C_COMPILER} ${SOURCE_DIR}/use_lobrix.c ${flags} -lm
    -o ${WORK_DIR}/use_lobrix_pkg_config)
set(ENV{LD_LIBRARY_PATH} ${lib})
run("the program built with pkg-config" ${WORK_DIR}/use_lobrix_pkg_config)
message(STATUS "pkg-config: ${output}")
unset(ENV{LD_LIBRARY_PATH})

# A CMake project with find_package(Lobrix); the imported target carries the include folder,
# and CMake puts the library's folder in the program's run path.
run("configure with find_package" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/consumer
    -B ${WORK_DIR}/consumer -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DLOBRIX_EXPECTED_VERSION=${VERSION})
run("build with find_package" ${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
run("the program built with CMake" ${WORK_DIR}/consumer/use_lobrix)
message(STATUS "find_package: ${output}")
