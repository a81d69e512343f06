# Warnings every target of ours gets; VORNAK_WERROR turns them into errors (CI).
option(VORNAK_WERROR "Treat compiler warnings as errors" OFF)

function(vornak_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion)
  if(VORNAK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
