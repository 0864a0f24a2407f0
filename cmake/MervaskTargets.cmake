# The platform folders: each one library built from the files it holds.
function(mervask_library name dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
       "${dir}/*.cpp" "${dir}/*.h" "${dir}/*.qrc")
  list(FILTER _sources INCLUDE REGEX ".*\\.cpp$")
  if(_sources)
    file(GLOB _all CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h" "${dir}/*.qrc")
    add_library(${name} STATIC ${_all})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
  # What a library linking this one may include: its folder and its own links'.
  set(_reach "${dir}" "platform/RuntimeError.h")
  foreach(_lib ${ARG_LIBS})
    get_property(_more GLOBAL PROPERTY MERVASK_REACH_${_lib})
    list(APPEND _reach ${_more})
  endforeach()
  list(REMOVE_DUPLICATES _reach)
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

  foreach(_src ${ARG_SOURCES})
    if(NOT _src MATCHES "\\.(cpp|h)$")
      continue()
    endif()
    file(STRINGS "${CMAKE_CURRENT_SOURCE_DIR}/${_src}" _includes REGEX "^#include \"[a-z]+/")
    foreach(_line ${_includes})
      string(REGEX MATCH "\"([^\"]+)\"" _match "${_line}")
      set(_header "${CMAKE_MATCH_1}")
      set(_ok FALSE)
      foreach(_prefix ${_allowed})
        if(_header STREQUAL _prefix OR _header MATCHES "^${_prefix}/")
          set(_ok TRUE)
          break()
        endif()
      endforeach()
      if(NOT _ok)
        message(FATAL_ERROR "${_folder}/${_src} includes ${_header}, which ${name} "
                            "does not link; a library includes only what lies below it")
      endif()
    endforeach()
  endforeach()

  set_property(GLOBAL PROPERTY MERVASK_LAYER_${name} ${ARG_LAYER})
  set_property(GLOBAL PROPERTY MERVASK_REACH_${name} "${_allowed}")
  set_property(GLOBAL APPEND PROPERTY MERVASK_SYSTEM_LIBRARIES ${name})
endfunction()

# One Qt Test executable; each test runs with the offscreen platform and its
# own drives folder.
function(mervask_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests/support")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=pl_PL.UTF-8;TZ=Europe/Warsaw"
    TIMEOUT 600)
endfunction()
