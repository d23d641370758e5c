# SPDX-License-Identifier: GPL-3.0-or-later
# tessera_add_palette(TARGET target OUTPUT name FILES picture... [OPTIONS option...]
#                     [DESTINATION folder])
#
# Makes one palette for all the pictures of FILES (--make-palette) as OUTPUT in DESTINATION
# (see below), by OUTPUT's ending: .h or .c (a GP_PALETTEENTRY array), .gpl, .pal or .png. A .h
# or .c OUTPUT becomes a source of the target. tessera_add_assets(... PALETTE name) of the same
# target maps its pictures onto it and converts them again when it changes.
#
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
# The target's folder of converted files, made on first use.
function(_tessera_asset_folder target destination out)
    set(folder ${destination})
    if(NOT folder)
        set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}_assets)
    endif()
    get_filename_component(folder ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
    file(MAKE_DIRECTORY ${folder})
    set(${out} ${folder} PARENT_SCOPE)
endfunction()

# DEPFILE where the generator reads dependency files, with the --depfile that writes it.
function(_tessera_depfile file out_args out_option)
    if(CMAKE_GENERATOR MATCHES "Ninja|Makefiles|Xcode|Visual Studio")
        set(${out_args} DEPFILE ${file} PARENT_SCOPE)
        set(${out_option} --depfile ${file} PARENT_SCOPE)
    else()
        set(${out_args} "" PARENT_SCOPE)
        set(${out_option} "" PARENT_SCOPE)
    endif()
endfunction()

function(tessera_add_palette)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET;OUTPUT;DESTINATION" "FILES;OPTIONS")
    if(NOT arg_TARGET OR NOT arg_OUTPUT OR NOT arg_FILES OR arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "tessera_add_palette: TARGET, OUTPUT and FILES are needed")
    endif()
    _tessera_asset_folder(${arg_TARGET} "${arg_DESTINATION}" folder)
    set(output ${folder}/${arg_OUTPUT})
    set(inputs "")
    foreach(file IN LISTS arg_FILES)
        get_filename_component(input ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND inputs ${input})
    endforeach()
    _tessera_depfile(${output}.d depfile_args depfile_option)
    add_custom_command(
        OUTPUT ${output}
        COMMAND Tessera::cli -q ${arg_OPTIONS} ${depfile_option} --make-palette ${output} ${inputs}
        DEPENDS ${inputs}
        ${depfile_args}
        COMMENT "Tessera: palette ${arg_OUTPUT}"
        VERBATIM)
    target_sources(${arg_TARGET} PRIVATE ${output})
    target_include_directories(${arg_TARGET} PRIVATE ${folder})
endfunction()

function(tessera_add_assets)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET;PALETTE;DESTINATION" "FILES;OPTIONS")
    if(NOT arg_TARGET OR NOT arg_FILES)
        message(FATAL_ERROR "tessera_add_assets: TARGET and FILES are needed")
    endif()
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "tessera_add_assets: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    _tessera_asset_folder(${arg_TARGET} "${arg_DESTINATION}" folder)

    # PALETTE: a palette tessera_add_palette() makes for this target, or a file of the sources.
    set(palette_args "")
    set(palette_file "")
    if(arg_PALETTE)
        get_source_file_property(made ${folder}/${arg_PALETTE} GENERATED)
        if(made)
            set(palette_file ${folder}/${arg_PALETTE})
        else()
            get_filename_component(palette_file ${arg_PALETTE} ABSOLUTE
                                   BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        endif()
        set(palette_args --palette-of ${palette_file})
    endif()

    set(sources "")
    foreach(file IN LISTS arg_FILES)
        get_filename_component(input ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        get_filename_component(name ${file} NAME_WLE)
        set(c_file ${folder}/${name}.c)
        set(h_file ${folder}/${name}.h)
        _tessera_depfile(${folder}/${name}.d depfile_args depfile_option)
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
