# Includes run one way: each source folder may include only from itself and
# from the folders listed for it here, all of them below it. A new include
# that reaches up (a dialog into the main window, the engine into Qt code)
# fails this check. Run as: cmake -DROOT=<project> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(allowed_dictionary "")
set(allowed_dictionary_view dictionary)
set(allowed_widgets "")
set(allowed_language dictionary)
set(allowed_data_folders "")
set(allowed_clipboard "")
set(allowed_ipc "")
set(allowed_search dictionary)
set(allowed_word_forms dictionary)
set(allowed_suggestions dictionary)
set(allowed_speech "")
set(allowed_word_hints dictionary suggestions speech widgets word_forms)
set(allowed_network dictionary)
set(allowed_browser "")
set(allowed_downloads dictionary language network widgets)
set(allowed_vocabulary dictionary dictionary_view language widgets)
set(allowed_preferences data_folders dictionary dictionary_view language widgets)
set(allowed_main_window browser clipboard data_folders dictionary dictionary_view downloads language network
    preferences search speech vocabulary widgets word_hints)
set(allowed_app browser clipboard data_folders ipc main_window)
# makrel's libraries stay free of the channel to the running program; only
# its command line (makrel open) talks to it.
set(allowed_makrel dictionary)
set(allowed_makrel_cli dictionary ipc makrel suggestions word_forms)
set(allowed_makrel_window data_folders dictionary ipc makrel widgets)

set(failures "")
foreach(folder IN ITEMS dictionary dictionary_view widgets language clipboard data_folders ipc search word_forms
               suggestions speech word_hints network browser
               downloads vocabulary preferences main_window app makrel makrel_cli makrel_window)
  if(folder STREQUAL "makrel_cli")
    set(base ${ROOT}/tools/makrel/cli)
  elseif(folder MATCHES "^makrel")
    set(base ${ROOT}/tools/${folder})
  else()
    set(base ${ROOT}/src/${folder})
  endif()
  file(GLOB_RECURSE sources ${base}/*.h ${base}/*.cpp)
  if(folder STREQUAL "makrel")
    list(FILTER sources EXCLUDE REGEX "/cli/")
  endif()
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
      if(NOT target STREQUAL folder AND NOT target IN_LIST allowed_${folder} AND
         NOT (folder STREQUAL "makrel_cli" AND target STREQUAL "makrel"))
        file(RELATIVE_PATH name ${ROOT} ${source})
        list(APPEND failures "${name}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "includes that reach up a layer:\n  ${text}")
endif()
