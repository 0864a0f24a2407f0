# Every source folder is one library built from the files it holds, so that
# adding a window or a class needs no change to the build files.
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
