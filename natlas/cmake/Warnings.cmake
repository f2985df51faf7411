# natlas's own warning set. Warnings become errors only when asked for; built
# inside Lookwell, NATLAS_WERROR follows LOOKWELL_WERROR.
option(NATLAS_WERROR "Treat compiler warnings as errors" OFF)

function(natlas_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast -Wnull-dereference
        $<$<BOOL:${NATLAS_WERROR}>:-Werror>)
endfunction()
