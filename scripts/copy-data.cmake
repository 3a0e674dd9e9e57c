# Copies the shipped data beside the executable. Language files follow the repository; an edition file
# already there is the user's (it holds the scores they saved) and is never replaced.
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
