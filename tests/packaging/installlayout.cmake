# Installs BUILD_DIR into PREFIX and checks that each part is where the
# README says, the libraries with their SONAME links.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()
include(GNUInstallDirs)
set(lib ${CMAKE_INSTALL_LIBDIR})
foreach(file
    bin/quorbel bin/quorbel-host
    ${lib}/libquorbel.so ${lib}/libquorbel.so.1 ${lib}/libquorbel.so.1.1.0
    ${lib}/libzentrim.so ${lib}/libzentrim.so.1
    include/zentrim/probar/probar.h include/zentrim/probar/zentrim.h include/zentrim/probar/zentrim_export.h
    include/zentrim/controlhost/controlhost.h include/zentrim/controlhost/propertybag.h
    include/zentrim/controlhost/colourvalue.h include/zentrim/controlhost/twips.h
    include/quorbel/platform/addinabi.h include/quorbel/platform/vbe.h
    ${lib}/cmake/Zentrim/ZentrimConfig.cmake ${lib}/cmake/Zentrim/ZentrimConfigVersion.cmake
    ${lib}/cmake/Zentrim/ZentrimTargets.cmake
    ${lib}/cmake/Quorbel/QuorbelConfig.cmake ${lib}/cmake/Quorbel/QuorbelConfigVersion.cmake
    ${lib}/cmake/Quorbel/QuorbelTargets.cmake
    share/man/man1/quorbel.1 share/man/man1/quorbel-host.1
    share/bash-completion/completions/quorbel
    share/applications/quorbel.desktop share/applications/quorbel-host.desktop
    share/icons/hicolor/scalable/apps/quorbel.svg share/mime/packages/quorbel.xml)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "cmake --install put no ${file} into the prefix")
  endif()
endforeach()
# Nothing of the tests: no doubles, fixtures or test programs.
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
foreach(file ${installed})
  if(file MATCHES "test|fixture|support/")
    message(FATAL_ERROR "cmake --install put a test file into the prefix: ${file}")
  endif()
endforeach()
