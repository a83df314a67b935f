# Windows test executables, run under wine64 through the cross-compiling emulator.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SRC_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB TEST_COMMON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/common/*.cpp)
if(TEST_COMMON_SOURCES)
  add_library(qvx_test_common STATIC ${TEST_COMMON_SOURCES})
  target_include_directories(qvx_test_common PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(qvx_test_common PUBLIC gtest oleacc oleaut32 ole32 shell32 user32 kernel32)
  target_compile_definitions(qvx_test_common PUBLIC
    QVX_SOURCE_DIR="${CMAKE_SOURCE_DIR}" QVX_BINARY_DIR="${CMAKE_BINARY_DIR}")
endif()

# One GoogleTest exe per test folder. Tests that change prefix-wide state (registry,
# reported Windows version, named mutexes, the desktop) take the "wineprefix" lock.
function(qvx_cross_test name dir)
  cmake_parse_arguments(T "SERIAL;ALONE" "CTEST_DIR" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE qvx_xp_imports ${T_LIBS} gtest)
  if(TARGET qvx_test_common)
    target_link_libraries(${name} PRIVATE qvx_test_common)
  else()
    target_link_libraries(${name} PRIVATE gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${STB_INCLUDE_DIR})
  target_compile_definitions(${name} PRIVATE
    QVX_SOURCE_DIR="${CMAKE_SOURCE_DIR}" QVX_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(TARGET qvx_fixtures)
    add_dependencies(${name} qvx_fixtures)
  endif()
  add_dependencies(${name} TavrelStart)
  # cmake/wine-run gives each test's verdict (QVX_TEST_VERDICT): a pass needs exit code 0 and
  # GoogleTest's pass line, a skip its skip line and exit code 0; it then says "test skipped".
  # Neither CTest's exit-code rule nor a pass expression (which hides the exit code) is enough
  # under Wine. One value per property: gtest_discover_tests hands the list on flattened.
  set(props TIMEOUT 240 ENVIRONMENT "QVX_BINARY_DIR=${CMAKE_BINARY_DIR}"
      ENVIRONMENT_MODIFICATION "QVX_TEST_VERDICT=set:gtest"
      SKIP_REGULAR_EXPRESSION "wine-run: test skipped")
  if(T_SERIAL OR T_ALONE)
    list(APPEND props RESOURCE_LOCK wineprefix)
  endif()
  # ALONE: the tests change what every process of the prefix sees (display DPI):
  # nothing else may run meanwhile.
  if(T_ALONE)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120 PROPERTIES ${props})
  # CTEST_DIR: the tests leave this directory's run for a CTest directory of their own, with the
  # same discovery and properties (the harness's probes, which fail on purpose).
  if(T_CTEST_DIR)
    get_property(includes DIRECTORY PROPERTY TEST_INCLUDE_FILES)
    list(POP_BACK includes own)
    set_property(DIRECTORY PROPERTY TEST_INCLUDE_FILES ${includes})
    file(WRITE ${T_CTEST_DIR}/CTestTestfile.cmake "include(\"${own}\")\n")
  endif()
endfunction()

# The launcher as Windows XP's loader runs it: no search restriction (launcher/main.cpp).
add_executable(TavrelStart_xploader WIN32 launcher/main.cpp launcher/quiet_terminate.cpp ${QVX_LAUNCHER_RC})
target_compile_definitions(TavrelStart_xploader PRIVATE QVX_LOADER_UNRESTRICTED)
target_link_options(TavrelStart_xploader PRIVATE -municode -s)
target_link_libraries(TavrelStart_xploader PRIVATE qvx_xp_imports qvx_launcher_lib)
add_dependencies(TavrelStart_xploader qvx_resources)

qvx_cross_test(test_launcher tests/launcher SERIAL LIBS qvx_launcher_lib msi version)
add_dependencies(test_launcher TavrelStart_xploader)
qvx_cross_test(test_launcher_dpi tests/launcher_dpi ALONE LIBS qvx_launcher_lib)
target_compile_definitions(test_launcher PRIVATE QVX_PROJECT_VERSION="${PROJECT_VERSION}")
qvx_cross_test(test_support tests/support SERIAL LIBS qvx_support)
qvx_cross_test(test_ui_core tests/ui/core LIBS skinui ${QVX_FLOAT_ECHO_DELAY})
if(TARGET test_ui_core)
  add_dependencies(test_ui_core qvx_float_echo_delay)
endif()
include(${CMAKE_SOURCE_DIR}/tests/ui/core/fixtures.cmake OPTIONAL)
qvx_cross_test(test_ui_controls tests/ui/controls LIBS skinui)

# The harness itself: probe tests that end in each way a test can end, run through the settings
# above in their own CTest directory; harness.verdicts checks what CTest reports for each.
qvx_cross_test(harness_probe tests/harness CTEST_DIR ${CMAKE_BINARY_DIR}/harness-probes)
add_test(NAME harness.verdicts COMMAND bash ${CMAKE_SOURCE_DIR}/tests/harness/verdicts_test.sh
  ${CMAKE_CTEST_COMMAND} ${CMAKE_BINARY_DIR}/harness-probes)
set_tests_properties(harness.verdicts PROPERTIES TIMEOUT 300)
qvx_cross_test(test_ui_widgets tests/ui/widgets LIBS skinui_widgets)

# Scripted end-to-end scenarios (real launcher exe, real windows) live in tests/e2e.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
