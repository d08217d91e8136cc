# The .cpp files directly inside the given folders (relative to the source root).
function(zeltra_glob_sources out)
  set(sources)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Modules are folders of sources. Each library globs the .cpp files of the
# folders it owns (not their subfolders), so a new file joins its library
# without touching the build files. A library with no sources yet is an
# interface library, so dependants can already name it.
function(zeltra_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  zeltra_glob_sources(sources ${ARG_DIRS})
  # The process entry holds `main`; inside a library it would be pulled into
  # every test executable in place of the test runner's own.
  list(FILTER sources EXCLUDE REGEX "/ProcessEntry\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# One GoogleTest executable per test area, from the .cpp files of its folders.
function(zeltra_test name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  zeltra_glob_sources(sources ${ARG_DIRS})
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Tests that need the program folder's generated data find it here.
  target_compile_definitions(${name} PRIVATE ZELTRA_TEST_PROGRAM_DIR="${ZELTRA_PROGRAM_DIR}"
                                             ZELTRA_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Picture writers (run on request with ZELTRA_SCREENSHOTS) and the halves a
  # test starts on an X server of its own are not tests of their own.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300
    TEST_FILTER "-*.Screenshot:*.Screenshots:ScaledWindowChild.*")
endfunction()
