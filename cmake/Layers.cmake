# SPDX-License-Identifier: GPL-3.0-or-later
# The layers, lowest first. A layer's sources see their own headers and those of the layers
# below, through a folder of links made for that layer alone: an upward include is a missing
# file, and the build stops there.
#
# The drivers (the window and the command line) see the model alone: their folder links app/,
# gui/ and cli/, so a driver that reaches for formats/ or platform/ does not compile. The model's
# headers include what they need of the layers below by paths relative to themselves, which
# still resolve when a driver includes them. A driver's main.cpp also sees platform/, to set up
# the process. Tests see every layer.
set(TESSERA_LAYERS platform formats app)
set(TESSERA_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)

function(tessera_layer_includes layer out)
    set(seen "")
    foreach(name IN LISTS TESSERA_LAYERS)
        list(APPEND seen ${name})
        if(name STREQUAL layer)
            break()
        endif()
    endforeach()
    if(layer STREQUAL "drivers")
        set(seen app gui cli)
    elseif(layer STREQUAL "tests")
        set(seen ${TESSERA_LAYERS} gui cli)
    endif()
    set(dir ${TESSERA_LAYER_ROOT}/${layer})
    file(MAKE_DIRECTORY ${dir})
    # A build folder made before a layer lost a link loses it too.
    file(GLOB present RELATIVE ${dir} ${dir}/*)
    foreach(name IN LISTS present)
        if(NOT name IN_LIST seen)
            file(REMOVE ${dir}/${name})
        endif()
    endforeach()
    foreach(name IN LISTS seen)
        if(NOT EXISTS ${dir}/${name})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${dir}/${name} SYMBOLIC)
        endif()
    endforeach()
    set(${out} ${dir} PARENT_SCOPE)
endfunction()

# A library of one layer: its include folder is its own; what links it chooses its folder.
function(tessera_layer_library target layer)
    add_library(${target} STATIC ${ARGN})
    tessera_layer_includes(${layer} dir)
    target_include_directories(${target} PRIVATE ${dir})
    target_link_libraries(${target} PUBLIC tessera_flags)
endfunction()

# The build's own check of the rule: a file of a lower layer that includes a header of a higher
# one does not compile, nor a driver that includes a layer below the model, while a driver that
# includes the model's headers does.
function(tessera_layer_tests)
    foreach(pair "platform;formats/Gp32.h" "formats;app/Form1.h" "drivers;formats/Gp32.h"
                 "drivers;platform/Errors.h")
        list(GET pair 0 layer)
        list(GET pair 1 header)
        add_test(NAME Layers.${layer}_cannot_include_${header}
                 COMMAND sh -c "echo '#include \"${header}\"' | ${CMAKE_CXX_COMPILER} -std=c++20 -fsyntax-only -I${TESSERA_LAYER_ROOT}/${layer} -x c++ -")
        set_tests_properties(Layers.${layer}_cannot_include_${header} PROPERTIES
                             PASS_REGULAR_EXPRESSION "${header}: No such file or directory")
    endforeach()
    add_test(NAME Layers.drivers_include_the_model
             COMMAND sh -c "echo '#include \"app/Form1.h\"' | ${CMAKE_CXX_COMPILER} -std=c++20 -fsyntax-only -I${TESSERA_LAYER_ROOT}/drivers -I${CMAKE_BINARY_DIR}/generated -x c++ -")
    # Nor may a driver walk around its folder by a relative path.
    add_test(NAME Layers.drivers_use_no_relative_include
             COMMAND sh -c "! grep -rn '#include \"[.][.]/' ${CMAKE_SOURCE_DIR}/src/gui ${CMAKE_SOURCE_DIR}/src/cli")
endfunction()
