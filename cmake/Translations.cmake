# The catalogues are built into <bin>/locale/<lang>/LC_MESSAGES/default.mo, the
# layout the program looks for beside its own file.
file(GLOB VORN_PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
set(VORN_MO_FILES)
foreach(po ${VORN_PO_FILES})
    get_filename_component(lang ${po} NAME_WE)
    set(mo ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/${lang}/LC_MESSAGES/default.mo)
    add_custom_command(OUTPUT ${mo}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale/${lang}/LC_MESSAGES
        COMMAND ${MSGFMT_EXECUTABLE} -c -o ${mo} ${po}
        DEPENDS ${po} VERBATIM)
    list(APPEND VORN_MO_FILES ${mo})
endforeach()
add_custom_target(vorn_catalogues ALL DEPENDS ${VORN_MO_FILES})
