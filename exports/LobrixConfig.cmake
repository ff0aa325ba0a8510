# find_package(Lobrix): the imported target Lobrix::lobrix (liblobrix.so and lobrix.h).
include(${CMAKE_CURRENT_LIST_DIR}/LobrixTargets.cmake)
