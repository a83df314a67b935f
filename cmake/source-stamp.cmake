# Which sources a build comes from: the commit (QVX_SOURCE_COMMIT) and its time
# (QVX_SOURCE_DATE_EPOCH, seconds). Whatever carries a time in the shipped files takes this one,
# so two builds of one commit are alike byte for byte.
#   QVX_SOURCE_COMMIT: given with -D (scripts/release does), else asked of git.
#   SOURCE_DATE_EPOCH: taken from the environment, else the time of the last commit.
find_package(Git QUIET)
if(NOT QVX_SOURCE_COMMIT)
  set(QVX_SOURCE_COMMIT unknown)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} rev-parse HEAD
      OUTPUT_VARIABLE head OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE rc)
    if(rc EQUAL 0 AND head)
      set(QVX_SOURCE_COMMIT ${head})
    endif()
  endif()
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH} AND "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  set(QVX_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  set(QVX_SOURCE_DATE_EPOCH 0)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
      OUTPUT_VARIABLE ct OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE rc)
    if(rc EQUAL 0 AND ct MATCHES "^[0-9]+$")
      set(QVX_SOURCE_DATE_EPOCH ${ct})
    endif()
  endif()
endif()

# A development tree configures again after each commit, so its version block names the
# commit it was built from.
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${CMAKE_SOURCE_DIR} rev-parse --absolute-git-dir
    OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(git_dir AND EXISTS ${git_dir}/logs/HEAD)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
  endif()
endif()

# The copyright year of the version block, from the same time.
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${QVX_SOURCE_DATE_EPOCH})
string(TIMESTAMP QVX_SOURCE_YEAR "%Y" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")
