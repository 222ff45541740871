# vorn_add_version_data(<target>): gives the program its version data (see
# about/uVersionBlock.h) in the ELF section .vorn_version.
#
# The block is compiled into a source of the program's own (not into the
# static library, whose members the linker would leave out as unreferenced),
# as a constant marked used and retained: the compiler keeps it, the linker
# keeps it even under --gc-sections, and strip keeps it because it is an
# allocated section like any other constant data. Adding the section with
# objcopy after the link would also work, but would be a post-build step for
# every program and a non-allocated section that strip tools may treat as
# removable.

if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "The program's version must have four parts (major.minor.patch.build), not \"${PROJECT_VERSION}\"")
endif()

# The texts of the version data, quoted for a C++ string literal.
function(vorn_version_literal out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

function(vorn_add_version_data target)
    get_target_property(output_name ${target} OUTPUT_NAME)
    if(NOT output_name)
        set(output_name ${target})
    endif()
    vorn_version_literal(VORN_VD_COMPANY "vorn")
    vorn_version_literal(VORN_VD_DESCRIPTION "${PROJECT_DESCRIPTION}")
    vorn_version_literal(VORN_VD_VERSION "${PROJECT_VERSION}")
    vorn_version_literal(VORN_VD_INTERNAL "${target}")
    vorn_version_literal(VORN_VD_COPYRIGHT "Copyright © 2026 vorn")
    vorn_version_literal(VORN_VD_ORIGINAL "${output_name}${CMAKE_EXECUTABLE_SUFFIX}")
    vorn_version_literal(VORN_VD_PRODUCT "${PROJECT_NAME}")
    vorn_version_literal(VORN_VD_COMMENTS "Loads firmware into vorn label printers")
    set(source ${CMAKE_BINARY_DIR}/version_data/${target}_version.cpp)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/VersionData.cpp.in ${source} @ONLY)
    target_sources(${target} PRIVATE ${source})
endfunction()
