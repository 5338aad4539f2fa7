# Shared by siblings/strings and siblings/images: where the generator and the
# tables live, and how a resource-only library is linked.

set(QVSSD_GEN_RC ${CMAKE_CURRENT_LIST_DIR}/gen_rc.cmake)
set(QVSSD_IMAGES_TABLE ${CMAKE_CURRENT_LIST_DIR}/../../images/images.txt)
set(QVSSD_IMAGE_DIR ${CMAKE_CURRENT_LIST_DIR}/../../images/bmp)
cmake_path(NORMAL_PATH QVSSD_IMAGES_TABLE)
cmake_path(NORMAL_PATH QVSSD_IMAGE_DIR)
file(GLOB QVSSD_IMAGE_FILES CONFIGURE_DEPENDS ${QVSSD_IMAGE_DIR}/*.bmp ${QVSSD_IMAGE_DIR}/*.ico)

# Resources only: no code and no C runtime; entry point 0, so the loader calls
# nothing when the library is loaded for its resources.
function(qvssd_resource_library target rc)
    add_library(${target} SHARED ${rc})
    set_source_files_properties(${rc} PROPERTIES
        GENERATED TRUE
        OBJECT_DEPENDS "${QVSSD_IMAGES_TABLE};${QVSSD_IMAGE_FILES}")
    # windres runs the C preprocessor; "??" in format codes is text, not a trigraph.
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:RC>:--preprocessor-arg=-Wno-trigraphs>)
    set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
    target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=0 -s)
    qvssd_app_binary(${target})
    if(NOT TARGET qvssd_resources)
        add_custom_target(qvssd_resources)
    endif()
    add_dependencies(qvssd_resources ${target})
endfunction()
