# Package configuration for find_package(natlas): the imported target
# natlas::natlas carries the include directory and the library.
include("${CMAKE_CURRENT_LIST_DIR}/natlasTargets.cmake")
