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

# vtl_host_tool(<name> <folder>)
#
# In a cross build, the build-time tool <name> as the native build folder
# VTL_HOST_BUILD made it (<folder> is its place there); commands naming <name>
# run it directly, without the emulator that runs the cross-built programs.
function(vtl_host_tool name folder)
    if(NOT VTL_HOST_BUILD)
        message(FATAL_ERROR "A cross build needs VTL_HOST_BUILD, a native build folder")
    endif()
    add_executable(${name} IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
        IMPORTED_LOCATION ${VTL_HOST_BUILD}/${folder}/${name}
        CROSSCOMPILING_EMULATOR "")
endfunction()
