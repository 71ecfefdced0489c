# cmake -DCPACK_CONFIG=... -DWORK=... -DAPP_ID=... -P check_package.cmake: makes the Debian package
# as `cmake --build build --target package` does (from the built tree, into WORK), then checks its
# control fields and contents the way dpkg reads them, unpacks it with dpkg -x and checks what it
# installs: every file and no other, a calculator that runs, an AppStream description that finds
# its desktop entry.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
find_program(dpkg_deb dpkg-deb REQUIRED)
find_program(dpkg dpkg REQUIRED)
find_program(dpkg_query dpkg-query REQUIRED)
find_program(appstreamcli appstreamcli REQUIRED)

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

# run(VARIABLE command...): the command's standard output; its failure fails the test.
function(run variable)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0)
    fail("${ARGN} failed (${result}):\n${out}\n${err}")
  endif()
  set(${variable} "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
run(cpack_log ${CMAKE_CPACK_COMMAND} --config ${CPACK_CONFIG} -B ${WORK})
file(GLOB packages ${WORK}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  fail("expected one .deb in ${WORK}, found ${count}:\n${cpack_log}")
endif()
set(deb ${packages})

# Unpacked, it holds the program's files and nothing more; the calculator in it runs and tells
# the version the package must carry.
set(root ${WORK}/root)
run(ignored ${dpkg} -x ${deb} ${root})
vorelin_check_installed_files(${root} usr/ ${APP_ID})
run(version_line ${root}/usr/bin/vorelin-calc --version)
if(NOT version_line MATCHES "Version ([0-9.]+)$")
  fail("the packaged vorelin-calc --version says: ${version_line}")
endif()
set(version ${CMAKE_MATCH_1})

run(architecture ${dpkg} --print-architecture)
foreach(field_and_value "Package=vorelin" "Version=${version}" "Architecture=${architecture}")
  string(REPLACE "=" ";" field_and_value ${field_and_value})
  list(GET field_and_value 0 field)
  list(GET field_and_value 1 expected)
  run(value ${dpkg_deb} --field ${deb} ${field})
  if(NOT value STREQUAL expected)
    fail("the package's ${field} is '${value}', not '${expected}'")
  endif()
endforeach()
foreach(field Maintainer Description Section Installed-Size)
  run(value ${dpkg_deb} --field ${deb} ${field})
  if(value STREQUAL "")
    fail("the package has no ${field}")
  endif()
endforeach()

# The dependencies come from the libraries the programs link (dpkg-shlibdeps gives each a least
# version), plus the fonts the layout is measured in; each is satisfied on this machine, where
# the programs were built and run.
run(depends ${dpkg_deb} --field ${deb} Depends)
string(REPLACE ", " ";" depends "${depends}")
set(names)
foreach(dependency ${depends})
  if(NOT dependency MATCHES "^([a-z0-9][a-z0-9.+-]*)( \\(>= ([^)]+)\\))?$")
    fail("unexpected dependency '${dependency}'")
  endif()
  set(name ${CMAKE_MATCH_1})
  set(least ${CMAKE_MATCH_3})
  list(APPEND names ${name})
  if(name MATCHES "-dev$" OR (name MATCHES "^lib" AND least STREQUAL ""))
    fail("'${dependency}' is not what the programs need at run time")
  endif()
  run(installed ${dpkg_query} -W -f=\${Version} ${name})
  if(least)
    execute_process(COMMAND ${dpkg} --compare-versions ${installed} ge ${least} RESULT_VARIABLE older)
    if(NOT older EQUAL 0)
      fail("${name} ${installed} is installed, the package asks for ${least}")
    endif()
  endif()
endforeach()
foreach(needed libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 fonts-liberation2)
  if(NOT needed IN_LIST names)
    fail("the package does not depend on ${needed}: ${depends}")
  endif()
endforeach()

# Installed by dpkg, the files belong to root; the programs can be run by everyone, nothing else
# is executable and nothing is writable by others.
run(listing ${dpkg_deb} --contents ${deb})
string(REPLACE "\n" ";" listing "${listing}")
foreach(line ${listing})
  if(NOT line MATCHES "^([-dl][-rwxsStT]+) ([^ ]+) +[0-9]+ [0-9-]+ [0-9:]+ \\./(.*)$")
    fail("cannot read the listing line '${line}'")
  endif()
  set(mode ${CMAKE_MATCH_1})
  set(owner ${CMAKE_MATCH_2})
  set(path ${CMAKE_MATCH_3})
  if(path MATCHES "^usr/bin/.")
    set(expected_mode -rwxr-xr-x)
  elseif(path MATCHES "/$")
    set(expected_mode drwxr-xr-x)
  else()
    set(expected_mode -rw-r--r--)
  endif()
  if(NOT owner STREQUAL "root/root" OR NOT mode STREQUAL expected_mode)
    fail("${path} is ${mode} ${owner}, not ${expected_mode} root/root")
  endif()
endforeach()

# The AppStream description, read as a software centre reads an installed tree: its id names
# a desktop entry that is there.
execute_process(COMMAND ${appstreamcli} validate-tree --no-net --strict ${root}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  fail("appstreamcli rejects the unpacked package:\n${report}")
endif()
