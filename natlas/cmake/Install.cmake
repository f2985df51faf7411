# Installed: the header, the library with its soname links, a pkg-config file
# and a CMake package (find_package(natlas) gives natlas::natlas).
include(CMakePackageConfigHelpers)

set(natlas_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/natlas)
set(natlas_pkgconfig_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS natlas EXPORT natlasTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT natlas
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT natlas NAMELINK_COMPONENT natlas
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT natlas)
install(FILES include/natlas.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT natlas)

install(EXPORT natlasTargets NAMESPACE natlas:: DESTINATION ${natlas_cmake_dir}
    COMPONENT natlas)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/natlasConfigVersion.cmake
    VERSION ${natlas_version} COMPATIBILITY SameMajorVersion)
install(FILES cmake/natlasConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/natlasConfigVersion.cmake
    DESTINATION ${natlas_cmake_dir} COMPONENT natlas)

# pkg-config paths: an absolute install dir is used as it is, a relative one is
# joined to the prefix. With a relative library dir the prefix is found from
# the .pc file's own place, so the installed tree can be moved (or installed
# with --prefix at install time) and still be found.
function(natlas_pc_path out base dir)
    if(IS_ABSOLUTE "${dir}")
        set(${out} "${dir}" PARENT_SCOPE)
    else()
        set(${out} "\${${base}}/${dir}" PARENT_SCOPE)
    endif()
endfunction()

if(IS_ABSOLUTE "${natlas_pkgconfig_dir}")
    set(natlas_pc_prefix "${CMAKE_INSTALL_PREFIX}")
else()
    file(RELATIVE_PATH natlas_pc_up "/${natlas_pkgconfig_dir}" "/")
    string(REGEX REPLACE "/$" "" natlas_pc_up "${natlas_pc_up}")
    set(natlas_pc_prefix "\${pcfiledir}/${natlas_pc_up}")
endif()
natlas_pc_path(natlas_pc_libdir exec_prefix "${CMAKE_INSTALL_LIBDIR}")
natlas_pc_path(natlas_pc_includedir prefix "${CMAKE_INSTALL_INCLUDEDIR}")
configure_file(cmake/natlas.pc.in ${CMAKE_CURRENT_BINARY_DIR}/natlas.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/natlas.pc DESTINATION ${natlas_pkgconfig_dir}
    COMPONENT natlas)
