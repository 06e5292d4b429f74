# cmake --install: the libraries (shared and static), the public headers, a CMake package
# (find_package(Quorvantix) -> Quorvantix::quorvantix), quorvantix.pc, the command, the service it runs and the man page.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(quorvantix_shared PROPERTIES EXPORT_NAME quorvantix)
set_target_properties(quorvantix_static PROPERTIES EXPORT_NAME quorvantix_static)
# The public headers need C++20 (std::span and designated initialisers).
target_compile_features(quorvantix_shared PUBLIC cxx_std_20)
target_compile_features(quorvantix_static PUBLIC cxx_std_20)

install(TARGETS quorvantix_shared quorvantix_static EXPORT QuorvantixTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quorvantix quorvantix-serve RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/quorvantix DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/quorvantix.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(QV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvantix)
install(EXPORT QuorvantixTargets NAMESPACE Quorvantix:: DESTINATION ${QV_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuorvantixConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/QuorvantixConfig.cmake
                              INSTALL_DESTINATION ${QV_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuorvantixConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuorvantixConfig.cmake
              ${PROJECT_BINARY_DIR}/QuorvantixConfigVersion.cmake
        DESTINATION ${QV_CMAKE_DIR})

# Relative to the .pc file, so the installed tree can move.
file(RELATIVE_PATH QV_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
configure_file(${PROJECT_SOURCE_DIR}/cmake/quorvantix.pc.in ${PROJECT_BINARY_DIR}/quorvantix.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quorvantix.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
