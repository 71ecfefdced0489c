# cmake -DCALC=... -DMAN_PAGE=... -P check_man_page.cmake: the manual page of vorelin-calc, as groff
# renders it without a warning, describes under OPTIONS every option that `vorelin-calc --help`
# lists, names no other anywhere, and carries the version that `vorelin-calc --version` gives.
cmake_minimum_required(VERSION 3.25)
find_program(groff groff REQUIRED)

execute_process(COMMAND ${CALC} --help RESULT_VARIABLE result OUTPUT_VARIABLE help)
execute_process(COMMAND ${CALC} --version OUTPUT_VARIABLE version_line)
if(NOT result EQUAL 0 OR NOT version_line MATCHES "Version ([0-9.]+)")
  message(FATAL_ERROR "vorelin-calc --help or --version failed:\n${help}${version_line}")
endif()
set(version ${CMAKE_MATCH_1})

# One very long line and no hyphenation, so that no option is broken across lines.
execute_process(COMMAND ${groff} -man -Tutf8 -ww -rLL=2000n -rHY=0 -P-cbou ${MAN_PAGE}
                RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff cannot render ${MAN_PAGE} cleanly:\n${warnings}")
endif()
# A minus sign or a hyphen where a typewriter would show "-".
string(REPLACE "−" "-" page "${page}")
string(REPLACE "‐" "-" page "${page}")

# The OPTIONS section runs to the next heading (a line in capitals at the margin).
string(FIND "${page}" "\nOPTIONS\n" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${MAN_PAGE} has no OPTIONS section")
endif()
string(SUBSTRING "${page}" ${start} -1 options_section)
string(SUBSTRING "${options_section}" 9 -1 options_section)
if(options_section MATCHES "\n[A-Z][A-Z ]*\n")
  string(FIND "${options_section}" "${CMAKE_MATCH_0}" end)
  string(SUBSTRING "${options_section}" 0 ${end} options_section)
endif()

set(option_pattern "--[a-z0-9][a-z0-9-]*")
string(REGEX MATCHALL "${option_pattern}" help_options "${help}")
string(REGEX MATCHALL "${option_pattern}" page_options "${page}")
string(REGEX MATCHALL "${option_pattern}" described_options "${options_section}")
list(REMOVE_DUPLICATES help_options)
list(REMOVE_DUPLICATES page_options)
set(undocumented ${help_options})
list(REMOVE_ITEM undocumented ${described_options})
set(unknown ${page_options})
list(REMOVE_ITEM unknown ${help_options})
if(undocumented OR unknown)
  message(FATAL_ERROR "${MAN_PAGE} and vorelin-calc --help list different options\n"
                      "  in --help, not under OPTIONS: ${undocumented}\n  in the page, not in --help: ${unknown}")
endif()
string(FIND "${page}" "Vorelin ${version}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${MAN_PAGE} does not carry the version ${version}")
endif()
