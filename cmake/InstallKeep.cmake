# install_keeping_existing(FILE DESTINATION): installs FILE unless the destination already
# has one of that name. For files the user changes (settings, catalogue), which a
# reinstall must not throw away. file(INSTALL) adds DESTDIR itself; the check must add it.
function(install_keeping_existing file destination)
    get_filename_component(name "${file}" NAME)
    install(CODE "
        set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${name}\")
        if(EXISTS \"\${target}\")
            message(STATUS \"Keeping: \${target}\")
        else()
            file(INSTALL \"${file}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${destination}\")
        endif()
    ")
endfunction()
