# What makes the program a Windows program, when cross-built with MinGW-w64
# (`make windows`): the icon and version resource, a console twin for the
# command line, the DLLs beside the executable, the portable zip and the
# installer. Included from the top-level CMakeLists.txt after the targets.
#
# VTL_WINDOWS_DEPS: the libraries scripts/build-windows-deps.sh built.
# VTL_HOST_BUILD:   a native build folder; its tools draw the icon and the
#                   sheets, so the pictures are the very bytes Linux gets.

enable_language(RC)

# Both programs get the version resource and the icon.
set(VTL_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/vantorel.ico)
set(VTL_ICON_DIR ${CMAKE_BINARY_DIR}/src/icon/hicolor)
set(icon_pngs "")
foreach(size IN ITEMS 16 32 48 256)
    list(APPEND icon_pngs ${VTL_ICON_DIR}/${size}x${size}/apps/${VTL_APP_ID}.png)
endforeach()
find_program(VTL_MAGICK convert REQUIRED)
add_custom_command(
    OUTPUT ${VTL_WINDOWS_ICON}
    COMMAND ${VTL_MAGICK} ${icon_pngs} ${VTL_WINDOWS_ICON}
    DEPENDS ${icon_pngs}
    COMMENT "Making the Windows icon from the drawn sizes"
    VERBATIM)
set(VTL_VERSION_COMMA ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/vantorel.rc.in ${CMAKE_BINARY_DIR}/windows/vantorel.rc
               @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/windows/vantorel.rc PROPERTIES
    OBJECT_DEPENDS ${VTL_WINDOWS_ICON})
# The PNGs come from src/icon, the icon goes to src/app: targets order that.
add_custom_target(vtl_windows_icon DEPENDS ${VTL_WINDOWS_ICON})
add_dependencies(vtl_windows_icon vtl_icon)

# The program users start has no console window. Typed at a prompt,
# "vantorel --check ..." finds vantorel.com first (Windows tries .com before
# .exe): the same program built for the console, so the prompt waits for it,
# its output lands there and its exit code is kept.
set_target_properties(vantorel PROPERTIES WIN32_EXECUTABLE ON)
target_sources(vantorel PRIVATE ${CMAKE_BINARY_DIR}/windows/vantorel.rc)
add_executable(vantorel_console ${CMAKE_SOURCE_DIR}/src/app/main.cpp
                                ${CMAKE_BINARY_DIR}/windows/vantorel.rc)
target_link_libraries(vantorel_console PRIVATE vtl_app vtl_check)
add_dependencies(vantorel vtl_windows_icon)
add_dependencies(vantorel_console vtl_windows_icon)
set_target_properties(vantorel_console PROPERTIES
    OUTPUT_NAME vantorel SUFFIX .com RUNTIME_OUTPUT_DIRECTORY ${VTL_APP_DIR})

# The DLLs the programs load, beside them: Qt, its plugins, LittleCMS (opened
# when colours are first compared), the C++ runtime.
# (Qt is shared: one copy for the program, its plugins and every test program,
# and replaceable, as its licence, the LGPL, expects.)
set(VTL_WINDOWS_DLLS
    ${VTL_WINDOWS_DEPS}/bin/Qt6Core.dll
    ${VTL_WINDOWS_DEPS}/bin/Qt6Gui.dll
    ${VTL_WINDOWS_DEPS}/bin/Qt6Widgets.dll
    ${VTL_WINDOWS_DEPS}/bin/lcms2.dll)
set(VTL_WINDOWS_PLUGINS
    platforms/qwindows.dll
    imageformats/qgif.dll imageformats/qjpeg.dll imageformats/qtga.dll
    styles/qwindowsvistastyle.dll)
# zlib1.dll: libzip's compression (libz-mingw-w64).
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}")
        find_file(found_${dll} ${dll} PATHS /usr/${VTL_MINGW}/lib /usr/${VTL_MINGW}/bin
                  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
        set(found ${found_${dll}})
    endif()
    list(APPEND VTL_WINDOWS_DLLS ${found})
endforeach()
set(copy_plugins "")
foreach(plugin IN LISTS VTL_WINDOWS_PLUGINS)
    get_filename_component(dir ${plugin} DIRECTORY)
    list(APPEND copy_plugins COMMAND ${CMAKE_COMMAND} -E make_directory ${VTL_APP_DIR}/${dir}
         COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VTL_WINDOWS_DEPS}/plugins/${plugin}
                 ${VTL_APP_DIR}/${dir})
endforeach()
add_custom_target(vtl_windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VTL_APP_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VTL_WINDOWS_DLLS} ${VTL_APP_DIR}
    ${copy_plugins}
    COMMENT "Copying Qt and the C++ runtime beside the program"
    VERBATIM)

# build-windows/Vantorel-G2-<version>-win64.zip and -setup.exe.
set(VTL_WINDOWS_PACKAGE_NAME Vantorel-G2-${PROJECT_VERSION}-win64)
get_property(sheet_files GLOBAL PROPERTY VTL_SHEET_FILES)
find_program(VTL_MAKENSIS makensis)
# Lists travel to the script joined by "|": a ";" would split the -D argument.
string(REPLACE ";" "|" sheets_arg "${sheet_files}")
string(REPLACE ";" "|" plugins_arg "${VTL_WINDOWS_PLUGINS}")
add_custom_target(windows-package
    COMMAND ${CMAKE_COMMAND}
            -DAPP_DIR=${VTL_APP_DIR}
            -DOUT_DIR=${CMAKE_BINARY_DIR}
            -DNAME=${VTL_WINDOWS_PACKAGE_NAME}
            -DVERSION=${PROJECT_VERSION}
            -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DDEPS_DIR=${VTL_WINDOWS_DEPS}
            -DSHEETS=${sheets_arg}
            -DPLUGINS=${plugins_arg}
            -DMAKENSIS=${VTL_MAKENSIS}
            -DICON=${VTL_WINDOWS_ICON}
            -DINI_SCRIPT=${VTL_DEFAULT_INI_SCRIPT}
            -P ${CMAKE_SOURCE_DIR}/cmake/VtlWindowsPackage.cmake
    DEPENDS vantorel vantorel_console vtl_windows_runtime vtl_sheets vtl_docs
    COMMENT "Writing the portable zip and the installer"
    VERBATIM)
