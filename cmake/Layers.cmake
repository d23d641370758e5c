# The layers, lowest first. A layer's sources see their own headers and those of the layers
# below, through a folder of links made for that layer alone: an upward include is a missing
# file, and the build stops there.
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
        set(seen ${TESSERA_LAYERS} gui cli)
    endif()
    set(dir ${TESSERA_LAYER_ROOT}/${layer})
    file(MAKE_DIRECTORY ${dir})
    foreach(name IN LISTS seen)
        if(NOT EXISTS ${dir}/${name})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${dir}/${name} SYMBOLIC)
        endif()
    endforeach()
    set(${out} ${dir} PARENT_SCOPE)
endfunction()

# A library of one layer: its include folder is PUBLIC, so whatever links it sees it too.
function(tessera_layer_library target layer)
    add_library(${target} STATIC ${ARGN})
    tessera_layer_includes(${layer} dir)
    target_include_directories(${target} PUBLIC ${dir})
    target_link_libraries(${target} PUBLIC tessera_flags)
endfunction()

# The build's own check of the rule: a file of a lower layer that includes a header of a higher
# one does not compile, while its own and lower headers do.
function(tessera_layer_tests)
    foreach(pair "platform;formats/Gp32.h" "formats;app/Form1.h")
        list(GET pair 0 layer)
        list(GET pair 1 header)
        add_test(NAME Layers.${layer}_cannot_include_${header}
                 COMMAND sh -c "echo '#include \"${header}\"' | ${CMAKE_CXX_COMPILER} -std=c++20 -fsyntax-only -I${TESSERA_LAYER_ROOT}/${layer} -x c++ -")
        set_tests_properties(Layers.${layer}_cannot_include_${header} PROPERTIES
                             PASS_REGULAR_EXPRESSION "${header}: No such file or directory")
    endforeach()
endfunction()
