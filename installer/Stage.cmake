# Gathers the files of the package into one folder, exactly as they are installed, and
# lists them in a manifest (one name relative to the folder a line, backslashes, UTF-8):
# the setup program installs the folder and names the manifest's files in the uninstall
# script; the zip holds the same folder. Run at build time, so that the programs and
# skins present then are the ones packaged:
#
#   cmake -DSTAGE=<folder> -DMANIFEST=<file> -DPROGRAMS=<exe;...> -DSHIPPED=<folder>
#         -DSKINS=<folder> -DVERSION_TEXT=<file> -P Stage.cmake
#
# PROGRAMS must exist. SHIPPED holds the registry files and the sample skin; the *.she
# files of SKINS go into the package's "skins" folder, where the skin changer lists them.

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
set(names "")

function(stage_file source name)
    get_filename_component(folder "${STAGE}/${name}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${source}" "${STAGE}/${name}" ONLY_IF_DIFFERENT)
    string(REPLACE "/" "\\" listed "${name}")
    set(names "${names}${listed}\n" PARENT_SCOPE)
endfunction()

foreach(program IN LISTS PROGRAMS)
    if(NOT EXISTS "${program}")
        message(FATAL_ERROR "missing program of the package: ${program}")
    endif()
    get_filename_component(name "${program}" NAME)
    stage_file("${program}" "${name}")
endforeach()

file(GLOB shipped LIST_DIRECTORIES false "${SHIPPED}/*.reg" "${SHIPPED}/*.she")
list(APPEND shipped "${VERSION_TEXT}")
list(SORT shipped)
foreach(file IN LISTS shipped)
    get_filename_component(name "${file}" NAME)
    stage_file("${file}" "${name}")
endforeach()
file(GLOB skins LIST_DIRECTORIES false "${SKINS}/*.she")
list(SORT skins)
foreach(file IN LISTS skins)
    get_filename_component(name "${file}" NAME)
    stage_file("${file}" "skins/${name}")
endforeach()

file(WRITE "${MANIFEST}" "${names}")
