# Common compile settings and helpers for every target of the project.

add_library(dazed_options INTERFACE)
target_compile_options(dazed_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wimplicit-fallthrough -Wcast-qual -Wformat=2)
if(DAZED_WERROR)
  target_compile_options(dazed_options INTERFACE -Werror)
endif()
if(DAZED_SANITIZE)
  target_compile_options(dazed_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(dazed_options INTERFACE -fsanitize=address,undefined)
endif()

# A target shows only its own headers: they are linked into an include folder of its own, under
# the name of its source folder, so that "link/EcuFrame.h" is found by what links dazed_link (and by
# dazed_link itself) and an include that goes against the layers does not build. Its headers are
# those listed and the one beside each listed .cpp.
function(dazed_own_headers name scope)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(include_root "${PROJECT_BINARY_DIR}/include/${name}")
  file(REMOVE_RECURSE "${include_root}")
  foreach(file IN LISTS ARGN)
    string(REGEX REPLACE "\\.cpp$" ".h" header "${file}")
    if(header MATCHES "\\.h$" AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${header}")
      get_filename_component(header_folder "${include_root}/${folder}/${header}" DIRECTORY)
      file(MAKE_DIRECTORY "${header_folder}")
      file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}/${header}" "${include_root}/${folder}/${header}" SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${name} ${scope} "${include_root}")
endfunction()

# dazed_library(NAME SOURCES... [HEADERS headers...] [LIBS libs...])
function(dazed_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES} ${ARG_HEADERS})
  dazed_own_headers(${name} PUBLIC ${ARG_SOURCES} ${ARG_HEADERS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE dazed_options)
endfunction()

# dazed_executable(NAME SOURCES... [LIBS libs...])
function(dazed_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  dazed_own_headers(${name} PRIVATE ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} dazed_options)
endfunction()

# dazed_gtest(NAME LABEL unit|gui|e2e SOURCES... LIBS... [GUI] [LOCK resource])
# GUI tests use the shared main() that forces the offscreen platform.
function(dazed_gtest name)
  cmake_parse_arguments(ARG "GUI" "LABEL;LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE dazed_gui_test_main ${ARG_LIBS} GTest::gtest GTest::gmock dazed_options)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock dazed_options)
  endif()
  set(properties LABELS ${ARG_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties})
endfunction()

# dazed_benchmark(NAME SOURCES... LIBS...)
function(dazed_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark dazed_options)
endfunction()
