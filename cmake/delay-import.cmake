# Delay-loaded system libraries. A library made here resolves its DLL on the first
# call into it, not when the process starts: the launcher's usual run (straight to
# the game) never loads GDI+ or the accessibility libraries, and a run with a window
# loads them only when the window is made. The DLLs and functions are the same as
# those of the plain import library, so the exe still loads on every Windows it did.
#
#   qvx_delay_import(<out-var> <name>)   e.g. qvx_delay_import(GDIPLUS_DELAY gdiplus)
# sets <out-var> to lib<name>_delayed.a in the build tree, made from lib<name>.a. Its
# descriptor is the symbol __DELAY_IMPORT_DESCRIPTOR_lib<name>_delayed_a (dlltool names it
# after the output file, which is therefore given without a directory): the framework
# readies the library through it before the first call.
find_program(QVX_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)

function(qvx_delay_import out name)
  set(dir ${CMAKE_BINARY_DIR}/delay-import)
  set(lib ${dir}/lib${name}_delayed.a)
  if(NOT EXISTS ${lib})
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${name}.a
      OUTPUT_VARIABLE implib OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${CMAKE_NM} ${implib} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "cannot read the import library ${implib}")
    endif()
    # "__imp_<name>" on x86_64; "__imp__<name>@<bytes>" on i686, whose C names carry
    # one more underscore.
    string(REGEX MATCHALL " I __imp_[^\n]+" imports "${symbols}")
    set(def "LIBRARY ${name}.dll\nEXPORTS\n")
    foreach(import IN LISTS imports)
      string(REGEX REPLACE "^ I __imp_" "" import "${import}")
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        string(REGEX REPLACE "^_" "" import "${import}")
      endif()
      string(APPEND def "${import}\n")
    endforeach()
    file(MAKE_DIRECTORY ${dir})
    file(WRITE ${dir}/${name}.def "${def}")
    execute_process(COMMAND ${QVX_DLLTOOL} --kill-at --input-def ${name}.def --dllname ${name}.dll
      --output-delaylib lib${name}_delayed.a WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0 OR NOT EXISTS ${lib})
      message(FATAL_ERROR "cannot make the delay-load library for ${name}.dll")
    endif()
  endif()
  set(${out} ${lib} PARENT_SCOPE)
endfunction()
