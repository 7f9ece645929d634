# The compiler's own runtime DLLs, which every program built with MinGW-w64's g++ and
# linked dynamically loads: the C++ library, the unwinder it throws exceptions with, and
# the threads library under both. Sets SORVANTO_MINGW_RUNTIME_DLLS to their paths.
set(SORVANTO_MINGW_RUNTIME_DLLS)
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${runtime} is")
  endif()
  get_filename_component(runtime_path "${runtime_path}" REALPATH)
  list(APPEND SORVANTO_MINGW_RUNTIME_DLLS "${runtime_path}")
endforeach()
