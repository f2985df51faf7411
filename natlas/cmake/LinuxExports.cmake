# Linux: names from the compiled-in table, and exactly the public operations in
# the dynamic symbol table. The version block is unnamed on purpose: a named
# one would tag every symbol with a version node.
target_sources(natlas PRIVATE src/country_names.cpp)

list(TRANSFORM natlas_exports REPLACE "@[0-9]+$" "" OUTPUT_VARIABLE natlas_global_names)
list(JOIN natlas_global_names ";\n        " natlas_global_block)
set(natlas_version_script ${CMAKE_CURRENT_BINARY_DIR}/natlas.map)
file(CONFIGURE OUTPUT ${natlas_version_script} CONTENT
"{
    global:
        ${natlas_global_block};
    local: *;
};
")
target_link_options(natlas PRIVATE
    "LINKER:--version-script=${natlas_version_script}"
    "LINKER:--as-needed")
set_property(TARGET natlas APPEND PROPERTY LINK_DEPENDS ${natlas_version_script})
