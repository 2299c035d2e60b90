# Fails when a library file includes a header of a layer above its own, or a
# public header includes a private one (*_p.h).
# The layers, bottom first: base, resources, core, controls. A file may include
# headers of its own layer and of those below; "name.h" without a folder must be
# a file of its own folder (or the generated export header).
#   cmake -DLIB=<lib folder> -P check_layers.cmake
if(NOT LIB)
    message(FATAL_ERROR "LIB (the library's source folder) is not set")
endif()
set(layers base resources core controls)
set(violations 0)
foreach(layer ${layers})
    list(FIND layers ${layer} rank)
    file(GLOB files ${LIB}/${layer}/*.h ${LIB}/${layer}/*.cpp)
    foreach(file ${files})
        file(STRINGS ${file} lines REGEX "^#include \"")
        foreach(line ${lines})
            string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
            # The installed headers are the API: none of them may pull in a private one.
            if(header MATCHES "_p\\.h$" AND file MATCHES "\\.h$" AND NOT file MATCHES "_p\\.h$")
                message(SEND_ERROR "${file}: a public header includes the private ${header}")
                math(EXPR violations "${violations} + 1")
            endif()
            if(header MATCHES "^([a-z]+)/")
                list(FIND layers ${CMAKE_MATCH_1} included)
                if(included EQUAL -1 OR included GREATER rank)
                    message(SEND_ERROR "${file}: ${layer} includes ${header}, a header above its layer")
                    math(EXPR violations "${violations} + 1")
                endif()
            elseif(NOT header STREQUAL "tavqtlib_export.h" AND NOT EXISTS ${LIB}/${layer}/${header})
                message(SEND_ERROR "${file}: ${header} is not a file of ${layer}")
                math(EXPR violations "${violations} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()
if(violations GREATER 0)
    message(FATAL_ERROR "${violations} include(s) run against the layers")
endif()
