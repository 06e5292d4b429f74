# The ZIP for Windows users (cmake --build <build> --target package): both servers, the type
# library, the registration scripts, the examples and the guide:
#   x64/Quorvantix.dll  x86/Quorvantix.dll  Quorvantix.tlb  register.cmd  unregister.cmd
#   register-user.cmd  unregister-user.cmd  examples/  activex.md
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QV_ARCH x64)
    set(QV_OTHER_ARCH x86)
    set(QV_OTHER_TOOLCHAIN ${QV_ROOT}/cmake/mingw-w64-i686.cmake)
else()
    set(QV_ARCH x86)
    set(QV_OTHER_ARCH x64)
    set(QV_OTHER_TOOLCHAIN ${QV_ROOT}/cmake/mingw-w64-x86_64.cmake)
endif()
set(QV_OTHER_BUILD "" CACHE PATH
    "A build folder of the other bitness whose Quorvantix.dll the package takes; empty: built here")

install(TARGETS Quorvantix RUNTIME DESTINATION ${QV_ARCH} LIBRARY DESTINATION ${QV_ARCH})
if(QV_OTHER_BUILD)
    install(FILES ${QV_OTHER_BUILD}/Quorvantix.dll DESTINATION ${QV_OTHER_ARCH})
else()
    include(ExternalProject)
    ExternalProject_Add(quorvantix_${QV_OTHER_ARCH}
        SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}
        BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/${QV_OTHER_ARCH}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${QV_OTHER_TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release
                   -DQV_BUILD_TESTS=OFF -DQV_OTHER_BUILD=${CMAKE_CURRENT_BINARY_DIR}
                   -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
                   -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
        BUILD_COMMAND ${CMAKE_COMMAND} --build . --target Quorvantix
        INSTALL_COMMAND "")
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QV_OTHER_ARCH}/Quorvantix.dll
            DESTINATION ${QV_OTHER_ARCH})
endif()
install(FILES ${QV_GEN}/Quorvantix.tlb ${CMAKE_CURRENT_SOURCE_DIR}/package/register.cmd
              ${CMAKE_CURRENT_SOURCE_DIR}/package/unregister.cmd
              ${CMAKE_CURRENT_SOURCE_DIR}/package/register-user.cmd
              ${CMAKE_CURRENT_SOURCE_DIR}/package/unregister-user.cmd
              ${QV_ROOT}/docs/activex.md
        DESTINATION .)
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/package/examples/ DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quorvantix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quorvantix-${PROJECT_VERSION}-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
