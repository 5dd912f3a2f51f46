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

# dazed_library(NAME SOURCES... [LIBS libs...])
function(dazed_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}/..")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE dazed_options)
endfunction()

# dazed_executable(NAME SOURCES... [LIBS libs...])
function(dazed_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
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
