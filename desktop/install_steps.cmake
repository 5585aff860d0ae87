# Runs at install time, after the program folder's files are copied; the variables come from desktop/CMakeLists.txt.

function(installed_path variable path)
    if(IS_ABSOLUTE "${path}")
        set(${variable} "${path}" PARENT_SCOPE)
    else()
        set(${variable} "${CMAKE_INSTALL_PREFIX}/${path}" PARENT_SCOPE)
    endif()
endfunction()

installed_path(program_folder "${PELLIMO_PROGRAM_DIR}")
installed_path(bin_folder "${PELLIMO_BIN_DIR}")
installed_path(applications_folder "${PELLIMO_APPLICATIONS_DIR}")
set(staged "$ENV{DESTDIR}")

# The catalogue holds the user's collection: the tool makes an empty one only where none is, so a reinstall
# or an upgrade never replaces it.
set(catalogue "${staged}${program_folder}/Pellimo.mdb")
if(NOT EXISTS "${catalogue}")
    message(STATUS "Making the empty catalogue: ${catalogue}")
endif()
execute_process(COMMAND "${PELLIMO_MAKE_CATALOGUE}" "${PELLIMO_SCHEMA}" "${catalogue}" RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "The empty catalogue ${program_folder}/Pellimo.mdb could not be made.")
endif()

# The command is a link, not a copy: the program folder stays the folder of the real executable.
file(RELATIVE_PATH executable "${bin_folder}" "${program_folder}/pellimo")
file(MAKE_DIRECTORY "${staged}${bin_folder}")
file(CREATE_LINK "${executable}" "${staged}${bin_folder}/pellimo" SYMBOLIC)

# The menu entry names the installed executable itself, as ~/.local/bin may not be on the desktop's PATH.
# Exec quoting: \ " ` $ take a backslash inside the quotes, % doubles; then the entry's own escaping doubles
# every backslash.
string(REGEX REPLACE "([\\\"`$])" "\\\\\\1" exec "${program_folder}/pellimo")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
file(READ "${PELLIMO_DESKTOP_TEMPLATE}" entry)
string(CONFIGURE "${entry}" entry @ONLY)
file(WRITE "${staged}${applications_folder}/pellimo.desktop" "${entry}")
