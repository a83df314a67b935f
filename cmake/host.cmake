# Native (Linux) part of the build: host tools and the portable unit tests.
set(QVX_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer)
target_compile_options(qvx_portable PRIVATE ${QVX_SANITIZE})

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/config_cipher/CMakeLists.txt)
  add_subdirectory(tools/config_cipher)
endif()

file(GLOB PORTABLE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/portable/*.cpp)
if(PORTABLE_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SRC_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_executable(test_portable ${PORTABLE_TESTS})
  target_compile_options(test_portable PRIVATE ${QVX_WARNINGS} ${QVX_SANITIZE})
  target_link_options(test_portable PRIVATE ${QVX_SANITIZE})
  target_link_libraries(test_portable PRIVATE qvx_portable gtest gtest_main)
  target_compile_definitions(test_portable PRIVATE QVX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  include(GoogleTest)
  gtest_discover_tests(test_portable TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)
endif()

# The set-up scripts' decisions (the 32-bit Wine's install and probe), driven with fake package tools.
add_test(NAME scripts.wine32_install COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/wine32_install_test.sh)
# scripts/release: which directories it may empty, and that the build never sees the signing password.
add_test(NAME scripts.release_guard COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/release_guard_test.sh)
