# Stages the Windows program as a user gets it and writes the portable zip and
# the installer (cmake -P; the variables come from VtlWindows.cmake):
#   <OUT_DIR>/<NAME>/            the folder the zip holds
#   <OUT_DIR>/<NAME>.zip
#   <OUT_DIR>/Vantorel-G2-<VERSION>-setup.exe
# The folder is staged afresh from the build's program folder, so settings a
# test or a trial run left there never ship; vtl.ini is the default one.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" PLUGINS "${PLUGINS}")
string(REPLACE "|" ";" SHEETS "${SHEETS}")
set(stage ${OUT_DIR}/${NAME})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage})

file(GLOB binaries ${APP_DIR}/*.exe ${APP_DIR}/*.com ${APP_DIR}/*.dll)
file(COPY ${binaries} DESTINATION ${stage})
foreach(file IN LISTS PLUGINS SHEETS)
    get_filename_component(dir ${file} DIRECTORY)
    if(NOT EXISTS ${APP_DIR}/${file})
        message(FATAL_ERROR "${APP_DIR}/${file} is missing: build the program first")
    endif()
    file(COPY ${APP_DIR}/${file} DESTINATION ${stage}/${dir})
endforeach()
file(COPY ${SOURCE_DIR}/docs DESTINATION ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} -DVTL_INI_FILE=${stage}/vtl.ini -P ${INI_SCRIPT}
                COMMAND_ERROR_IS_FATAL ANY)

# Texts a Windows user can open with Notepad: CR LF line ends.
file(READ ${SOURCE_DIR}/dist/windows/readme.txt readme)
file(CONFIGURE OUTPUT ${stage}/README.txt CONTENT "${readme}" @ONLY NEWLINE_STYLE CRLF)
# The licence as plain text, from the package's copyright file: its
# "Copyright:" line and the text of its "License:" paragraph.
file(STRINGS ${SOURCE_DIR}/dist/copyright copyright_lines)
set(licence "Vantorel G2 ${VERSION}\n\n")
set(in_licence OFF)
foreach(line IN LISTS copyright_lines)
    if(line MATCHES "^Copyright: (.*)")
        string(APPEND licence "Copyright ${CMAKE_MATCH_1}\n\n")
    elseif(line MATCHES "^License:")
        set(in_licence ON)
    elseif(in_licence AND line MATCHES "^ (.*)")
        string(APPEND licence "${CMAKE_MATCH_1}\n")
    else()
        set(in_licence OFF)
    endif()
endforeach()
file(CONFIGURE OUTPUT ${stage}/LICENSE.txt CONTENT "${licence}" @ONLY NEWLINE_STYLE CRLF)
# The licences of the libraries beside the program, as the library cache
# keeps them (Qt's LGPL asks for its text to travel with it).
file(GLOB licence_files ${DEPS_DIR}/licences/*.txt)
if(NOT licence_files)
    message(FATAL_ERROR "${DEPS_DIR}/licences is empty: run scripts/build-windows-deps.sh")
endif()
foreach(file IN LISTS licence_files)
    get_filename_component(name ${file} NAME)
    file(READ ${file} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${stage}/licences/${name} "${text}")
endforeach()

set(zip ${OUT_DIR}/${NAME}.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${NAME}
                WORKING_DIRECTORY ${OUT_DIR} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Portable zip: ${zip}")

if(NOT MAKENSIS)
    message(FATAL_ERROR "makensis is missing: run scripts/build-windows-deps.sh")
endif()
# What the uninstaller removes: the staged files, then their folders, deepest first.
file(GLOB_RECURSE staged RELATIVE ${stage} ${stage}/*)
set(uninstall_list ${OUT_DIR}/windows-uninstall.nsh)
set(lines "")
set(dirs "")
foreach(file IN LISTS staged)
    string(REPLACE "/" "\\" native "${file}")
    string(APPEND lines "    Delete \"$INSTDIR\\${native}\"\n")
    get_filename_component(dir ${file} DIRECTORY)
    while(dir)
        list(APPEND dirs ${dir})
        get_filename_component(dir ${dir} DIRECTORY)
    endwhile()
endforeach()
list(REMOVE_DUPLICATES dirs)
list(SORT dirs ORDER DESCENDING)
foreach(dir IN LISTS dirs)
    string(REPLACE "/" "\\" native "${dir}")
    string(APPEND lines "    RMDir \"$INSTDIR\\${native}\"\n")
endforeach()
file(WRITE ${uninstall_list} "${lines}")

set(setup ${OUT_DIR}/Vantorel-G2-${VERSION}-setup.exe)
execute_process(
    COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DSTAGE=${stage} -DOUTFILE=${setup}
            -DICON=${ICON} -DUNINSTALL_LIST=${uninstall_list} ${SOURCE_DIR}/dist/windows/installer.nsi
    COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Installer: ${setup}")
