# Copies the shipped data beside the executable, the build tree's installation. Language files follow
# the repository; an edition file already there may hold scores saved by an older program, which used
# this folder as its own, and is never replaced: it is copied into the user's folder at the first save.
file(GLOB files "${SRC}/*")
foreach(f ${files})
    get_filename_component(name "${f}" NAME)
    if(name STREQUAL "site")
        continue()  # the web site's data, compiled into zenkor-site
    endif()
    if(name MATCHES "\\.ini$" AND EXISTS "${DST}/${name}")
        continue()
    endif()
    file(COPY "${f}" DESTINATION "${DST}")
endforeach()
