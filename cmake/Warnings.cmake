# Our own code builds without a single warning; third-party headers come in as
# system includes and are not held to this. Warnings become errors only when
# asked for (the presets and CI do), so a newer compiler's new warnings never
# break a packager's build.
option(LOOKWELL_WERROR "Treat compiler warnings as errors" OFF)

function(lookwell_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wnon-virtual-dtor
        -Wold-style-cast -Woverloaded-virtual -Wnull-dereference
        $<$<BOOL:${LOOKWELL_WERROR}>:-Werror>)
endfunction()
