# The warnings every target of this project is built with, in one place. Only our
# own sources get them: Qt and the other dependencies come in as system headers.
option(TAVQ_WERROR "Treat warnings in the project's own code as errors" OFF)

# Turns the project's warnings on for `target` (and makes them errors with TAVQ_WERROR).
function(tavq_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(TAVQ_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
