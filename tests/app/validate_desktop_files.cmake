# cmake -DDESKTOP_ENTRY=... -DMETAINFO=... -P validate_desktop_files.cmake: the desktop entry and the
# AppStream description as the validators that desktops and software centres follow read them.
# Hints are allowed, anything more is a failure.
cmake_minimum_required(VERSION 3.25)
find_program(desktop_file_validate desktop-file-validate REQUIRED)
find_program(appstreamcli appstreamcli REQUIRED)

execute_process(COMMAND ${desktop_file_validate} ${DESKTOP_ENTRY}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
string(REGEX REPLACE "[^\n]*: hint: [^\n]*\n?" "" complaints "${report}")
if(NOT result EQUAL 0 OR NOT complaints STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate rejects ${DESKTOP_ENTRY}:\n${report}")
endif()

# --strict fails on warnings and infos too; pedantic notes (an upper-case letter in the id, no
# release history) are not failures.
execute_process(COMMAND ${appstreamcli} validate --no-net --strict --explain ${METAINFO}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "appstreamcli rejects ${METAINFO}:\n${report}")
endif()
