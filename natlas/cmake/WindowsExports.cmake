# 32-bit Windows: names from the string-table resource, and exports that keep
# the full __stdcall decoration ("_NatlasGetVersion@0"). dllexport would drop
# the leading underscore and --kill-at the whole decoration, so the definitions
# carry no dllexport and the .def maps each internal symbol to its export name.
target_sources(natlas PRIVATE src/natlas_windows.cpp)
target_link_libraries(natlas PRIVATE user32)
set_target_properties(natlas PROPERTIES PREFIX "" RUNTIME_OUTPUT_NAME natlas)

set(natlas_def_block "")
foreach(name IN LISTS natlas_exports)
    string(APPEND natlas_def_block "    ${name} == _${name}\n")
endforeach()
set(natlas_def ${CMAKE_CURRENT_BINARY_DIR}/natlas.def)
file(CONFIGURE OUTPUT ${natlas_def} CONTENT
"LIBRARY natlas.dll
EXPORTS
${natlas_def_block}")
target_sources(natlas PRIVATE ${natlas_def})

# The resources get their own object library: the resource compiler takes none
# of the C++ compiler's options.
enable_language(RC)
add_library(natlas_resources OBJECT src/natlas.rc)
target_include_directories(natlas_resources PRIVATE src ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_sources(natlas PRIVATE $<TARGET_OBJECTS:natlas_resources>)
