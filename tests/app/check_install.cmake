# cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -P check_install.cmake: installs the build into
# PREFIX and checks that it holds every file a desktop needs and no other, and that the desktop
# entry names the program and its icon.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
vorelin_check_installed_files(${PREFIX} "" ${APP_ID})

file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop entry)
foreach(line "Exec=vorelin" "Icon=vorelin" "Type=Application")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
