# LOOKWELL_SANITIZE takes a comma-separated -fsanitize= list, e.g. "address,undefined".
set(LOOKWELL_SANITIZE "" CACHE STRING "Sanitizers to build every target with")
if(LOOKWELL_SANITIZE)
    add_compile_options(-fsanitize=${LOOKWELL_SANITIZE} -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${LOOKWELL_SANITIZE})
endif()
