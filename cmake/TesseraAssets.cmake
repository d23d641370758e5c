# SPDX-License-Identifier: GPL-3.0-or-later
# tessera_add_assets(TARGET target FILES file... [OPTIONS option...] [PALETTE file]
#                    [DESTINATION folder])
#
# Converts each picture or sound of FILES with Tessera::cli into a pair of C files, NAME.c (the
# arrays) and NAME.h (their declarations), NAME being the file's name without its extension, in
# DESTINATION (default: a folder of the current build folder named after the target). The .c
# files become sources of the target, and DESTINATION one of its include folders, so the
# program says #include "ship.h". OPTIONS go to every conversion as they stand (--colors 16,
# --fill 0, --rate 22050 ...); PALETTE maps every picture onto that file's palette
# (--palette-of), and each picture is converted again when it changes.
#
# Where the generator reads dependency files, each conversion writes one (--depfile), so the
# build also knows the files a conversion reads beyond the ones named here.
function(tessera_add_assets)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET;PALETTE;DESTINATION" "FILES;OPTIONS")
    if(NOT arg_TARGET OR NOT arg_FILES)
        message(FATAL_ERROR "tessera_add_assets: TARGET and FILES are needed")
    endif()
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "tessera_add_assets: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    set(folder ${arg_DESTINATION})
    if(NOT folder)
        set(folder ${CMAKE_CURRENT_BINARY_DIR}/${arg_TARGET}_assets)
    endif()
    get_filename_component(folder ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
    file(MAKE_DIRECTORY ${folder})

    set(palette_args "")
    set(palette_file "")
    if(arg_PALETTE)
        get_filename_component(palette_file ${arg_PALETTE} ABSOLUTE
                               BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        set(palette_args --palette-of ${palette_file})
    endif()

    set(sources "")
    foreach(file IN LISTS arg_FILES)
        get_filename_component(input ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        get_filename_component(name ${file} NAME_WLE)
        set(c_file ${folder}/${name}.c)
        set(h_file ${folder}/${name}.h)
        set(depfile_args "")
        set(depfile_option "")
        if(CMAKE_GENERATOR MATCHES "Ninja|Makefiles|Xcode|Visual Studio")
            set(depfile_args DEPFILE ${folder}/${name}.d)
            set(depfile_option --depfile ${folder}/${name}.d)
        endif()
        add_custom_command(
            OUTPUT ${c_file} ${h_file}
            COMMAND Tessera::cli -q ${arg_OPTIONS} ${palette_args}
                    ${depfile_option}
                    ${input} ${c_file} --header ${h_file}
            DEPENDS ${input} ${palette_file}
            ${depfile_args}
            COMMENT "Tessera: ${file}"
            VERBATIM)
        list(APPEND sources ${c_file} ${h_file})
    endforeach()
    target_sources(${arg_TARGET} PRIVATE ${sources})
    target_include_directories(${arg_TARGET} PRIVATE ${folder})
endfunction()
