# Writes the first-run settings file, but only where none exists yet: a
# rebuild or a reinstall must never reset the user's settings.
#   cmake -DVTL_INI_FILE=<path> -P VtlDefaultIni.cmake
if(NOT VTL_INI_FILE)
    message(FATAL_ERROR "VtlDefaultIni.cmake: set VTL_INI_FILE to the file to create")
endif()

if(NOT EXISTS "${VTL_INI_FILE}")
    get_filename_component(_vtl_ini_dir "${VTL_INI_FILE}" DIRECTORY)
    file(MAKE_DIRECTORY "${_vtl_ini_dir}")
    # The program reads it as a Windows profile file: CR LF line ends.
    file(CONFIGURE OUTPUT "${VTL_INI_FILE}" CONTENT "[Vantorel]\nfirst=yes\n"
         @ONLY NEWLINE_STYLE CRLF)
endif()
