# kb_logic_library(<name> SOURCES ... [LIBS ...])
#   A logic library: QtCore/QtGui only, never QtWidgets. Joins kronoblatt_logic.
# kb_window_library(<name> SOURCES ... [LIBS ...])
#   Window code of one folder: may use QtWidgets and QtPrintSupport. Joins kronoblatt_windows.
function(kb_logic_library name)
  kb_library(${name} LOGIC ${ARGN})
endfunction()

function(kb_window_library name)
  kb_library(${name} WINDOW ${ARGN})
endfunction()

# kb_library(<name> LOGIC|WINDOW SOURCES ... [LIBS ...]): what both kinds share; the kind
# chooses the Qt modules and the aggregate library the programs link.
function(kb_library name kind)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(kind STREQUAL "LOGIC")
    set(qt Qt6::Core Qt6::Gui)
  elseif(kind STREQUAL "WINDOW")
    set(qt Qt6::Widgets Qt6::PrintSupport)
  else()
    message(FATAL_ERROR "kb_library(${name}): kind must be LOGIC or WINDOW, not ${kind}")
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${qt} ${ARG_LIBS})
  set_property(GLOBAL APPEND PROPERTY KB_${kind}_LIBS ${name})
endfunction()

# kb_test(<name> SOURCES ... LIBS ...)
#   One GoogleTest binary per folder; cases are discovered when ctest runs.
function(kb_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE kb_testsupport ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE KB_BIN_DIR="${KB_BIN_DIR}"
                             KB_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kb_bench(<name> SOURCES ... LIBS ...)
function(kb_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE KB_BIN_DIR="${KB_BIN_DIR}")
endfunction()

# kb_subdirectories(<folder> ...)
#   Adds the folders in the order given (dependency order). Every folder beside them with a
#   CMakeLists.txt must be listed: one left out stops the configuration instead of silently
#   leaving its code or its tests out of the build.
function(kb_subdirectories)
  file(GLOB present CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(file ${present})
    get_filename_component(dir ${file} DIRECTORY)
    if(NOT dir IN_LIST ARGN)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${dir} has a CMakeLists.txt but is not "
                          "listed in ${CMAKE_CURRENT_LIST_FILE}")
    endif()
  endforeach()
  foreach(dir ${ARGN})
    add_subdirectory(${dir})
  endforeach()
endfunction()
