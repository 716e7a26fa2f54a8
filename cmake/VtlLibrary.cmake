# vtl_library(<name> <sources...> [PUBLIC <targets...>] [PRIVATE <targets...>])
#
# One static library of the program. Its headers, and those the build writes,
# are included by their folder: "core/NameEditing.h", "sheets/SheetList.h".
function(vtl_library name)
    cmake_parse_arguments(LIB "" "" "PUBLIC;PRIVATE" ${ARGN})
    add_library(${name} STATIC ${LIB_UNPARSED_ARGUMENTS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${VTL_GENERATED_DIR})
    target_link_libraries(${name} PUBLIC ${LIB_PUBLIC} PRIVATE ${LIB_PRIVATE})
endfunction()
