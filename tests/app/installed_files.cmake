# What an installation holds: included by the scripts that check `cmake --install` and the package.

# vorelin_check_installed_files(ROOT PREFIX APP_ID): the regular files under ROOT are exactly the
# program's files under PREFIX ("" or "usr/"), none missing and none more.
function(vorelin_check_installed_files root prefix app_id)
  set(expected bin/vorelin bin/vorelin-calc
      share/applications/${app_id}.desktop
      share/metainfo/${app_id}.metainfo.xml
      share/man/man1/vorelin.1.gz share/man/man1/vorelin-calc.1.gz)
  foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/vorelin.png)
  endforeach()
  list(TRANSFORM expected PREPEND "${prefix}")
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${found})
  set(extra ${found})
  list(REMOVE_ITEM extra ${expected})
  if(missing OR extra)
    message(FATAL_ERROR "installed files differ under ${root}\n  missing: ${missing}\n  not expected: ${extra}")
  endif()
endfunction()
