# Our own code builds without a single warning; third-party headers come in as
# system includes and are not held to this.
function(lookwell_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wnon-virtual-dtor
        -Wold-style-cast -Woverloaded-virtual -Wnull-dereference -Werror)
endfunction()
