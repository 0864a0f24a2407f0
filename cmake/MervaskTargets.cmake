# Stops the configuration when a source of library `name` includes a header
# outside `ALLOWED` (folders of src, or single headers). Every include is
# read however it is written: "folder/x.h" and <folder/x.h> alike, where the
# folder is one of src; a bare "x.h" as the header beside the file, which must
# be there. A path through "." or ".." is refused: it would hide the folder it
# reaches. Other angle includes (<QString>, <sqlite3.h>) are the toolchain's.
function(mervask_check_includes name)
  cmake_parse_arguments(ARG "" "" "SOURCES;ALLOWED" ${ARGN})
  file(GLOB _tops RELATIVE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/src/*")
  foreach(_src ${ARG_SOURCES})
    if(NOT _src MATCHES "\\.(cpp|h)$")
      continue()
    endif()
    get_filename_component(_path "${_src}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(_dir "${_path}" DIRECTORY)
    file(RELATIVE_PATH _where "${PROJECT_SOURCE_DIR}/src" "${_path}")
    file(STRINGS "${_path}" _includes REGEX "^[ \t]*#[ \t]*include")
    foreach(_line ${_includes})
      if(NOT _line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
        message(FATAL_ERROR "${_where}: \"${_line}\" names no header the check can follow")
      endif()
      set(_quoted FALSE)
      if(CMAKE_MATCH_1 STREQUAL "\"")
        set(_quoted TRUE)
      endif()
      set(_header "${CMAKE_MATCH_2}")
      if(_header MATCHES "(^|/)\\.\\.?(/|$)")
        message(FATAL_ERROR "${_where} includes ${_header}: name the header from src "
                            "(\"folder/x.h\"), so that the folder it reaches is checked")
      endif()
      if(_header MATCHES "^([^/]+)/")
        list(FIND _tops "${CMAKE_MATCH_1}" _top)
        if(NOT _quoted AND _top LESS 0)
          continue()
        endif()
      elseif(_quoted)
        file(RELATIVE_PATH _beside "${PROJECT_SOURCE_DIR}/src" "${_dir}/${_header}")
        if(NOT EXISTS "${_dir}/${_header}")
          message(FATAL_ERROR "${_where} includes \"${_header}\", which is not beside it; "
                              "name it from src (\"folder/${_header}\")")
        endif()
        set(_header "${_beside}")
      else()
        continue()
      endif()
      set(_ok FALSE)
      foreach(_prefix ${ARG_ALLOWED})
        if(_header STREQUAL _prefix OR _header MATCHES "^${_prefix}/")
          set(_ok TRUE)
          break()
        endif()
      endforeach()
      if(NOT _ok)
        message(FATAL_ERROR "${_where} includes ${_header}, which ${name} does not "
                            "link; a library includes only its folder and what it links")
      endif()
    endforeach()
  endforeach()
endfunction()

# One library of a platform folder, from the sources its folder lists. It
# knows nothing of the register; its files include only its folder and the
# folders of the platform libraries it links (LIBS), and that is also what a
# library linking it may include.
function(mervask_platform_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  file(RELATIVE_PATH _folder "${PROJECT_SOURCE_DIR}/src" "${CMAKE_CURRENT_SOURCE_DIR}")
  set(_reach "${_folder}" "platform/RuntimeError.h")
  foreach(_lib ${ARG_LIBS})
    get_property(_more GLOBAL PROPERTY MERVASK_REACH_${_lib})
    list(APPEND _reach ${_more})
  endforeach()
  list(REMOVE_DUPLICATES _reach)
  mervask_check_includes(${name} SOURCES ${ARG_SOURCES} ALLOWED ${_reach})
  set_property(GLOBAL PROPERTY MERVASK_REACH_${name} "${_reach}")
  set_property(GLOBAL PROPERTY MERVASK_LAYER_${name} 0)
endfunction()

# One library of the laboratory register, from the sources its folder lists.
# LAYER orders the libraries (platform 0, foundation_core 1, foundation 2,
# registers 3, samples 4, digestion 5, batches and reports 6, mainwindow 7):
# a library links only libraries of lower layers, and each of its files
# includes only its own folder and the folders of what it links. A file that
# reaches up, or a link upward, stops the configuration, so the folders can
# never form a cycle. With OWN_HEADERS_ONLY the library may include only the
# headers it lists itself from its folder (the core beside the windows).
function(mervask_system_library name)
  cmake_parse_arguments(ARG "OWN_HEADERS_ONLY" "LAYER" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})

  file(RELATIVE_PATH _folder "${PROJECT_SOURCE_DIR}/src" "${CMAKE_CURRENT_SOURCE_DIR}")
  set(_own "")
  if(ARG_OWN_HEADERS_ONLY)
    foreach(_src ${ARG_SOURCES})
      if(_src MATCHES "\\.h$")
        list(APPEND _own "${_folder}/${_src}")
      endif()
    endforeach()
  else()
    set(_own "${_folder}")
  endif()
  set(_allowed ${_own} "platform/RuntimeError.h")
  foreach(_lib ${ARG_LIBS})
    if(_lib MATCHES "::")
      continue()
    endif()
    get_property(_layer GLOBAL PROPERTY MERVASK_LAYER_${_lib})
    if("${_layer}" STREQUAL "" OR NOT _layer LESS ARG_LAYER)
      message(FATAL_ERROR "${name} (layer ${ARG_LAYER}) links ${_lib}: "
                          "a library links only libraries below it")
    endif()
    get_property(_more GLOBAL PROPERTY MERVASK_REACH_${_lib})
    list(APPEND _allowed ${_more})
  endforeach()
  list(REMOVE_DUPLICATES _allowed)

  mervask_check_includes(${name} SOURCES ${ARG_SOURCES} ALLOWED ${_allowed})

  set_property(GLOBAL PROPERTY MERVASK_LAYER_${name} ${ARG_LAYER})
  set_property(GLOBAL PROPERTY MERVASK_REACH_${name} "${_allowed}")
  set_property(GLOBAL APPEND PROPERTY MERVASK_SYSTEM_LIBRARIES ${name})
endfunction()

# One Qt Test executable; each test runs with the offscreen platform and its
# own drives folder. A dialog a test did not script fails only the test
# function that met it.
function(mervask_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} "${PROJECT_SOURCE_DIR}/tests/support/seam/FailUnscripted.cpp")
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests/support")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} platform_ui Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=pl_PL.UTF-8;TZ=Europe/Warsaw"
    TIMEOUT 600)
endfunction()
