# The AppStream data, with the release of this build. The maker's pages and the README's
# screenshots are named only when Vesk is built with a web origin: AppStream takes web
# addresses only, and without an origin Vesk has none. The origin then serves the pictures of
# docs/screenshots/ under /screenshots/.
function(vesk_configure_metainfo template output)
    set(web "")
    if(VESK_WEB_ORIGIN)
        string(APPEND web "  <url type=\"homepage\">${VESK_WEB_ORIGIN}/vesk.html</url>\n"
                          "  <url type=\"help\">${VESK_WEB_ORIGIN}/vesk-support.html</url>\n"
                          "  <screenshots>\n")
        # The README's pictures with their captions; one named NAME-LOCALE.png shows NAME in
        # that language.
        file(STRINGS ${PROJECT_SOURCE_DIR}/README.md pictures
             REGEX "^!\\[[^]]+\\]\\(docs/screenshots/[^)]+\\.png\\)$")
        set(type " type=\"default\"")
        foreach(picture IN LISTS pictures)
            string(REGEX REPLACE "^!\\[([^]]+)\\]\\(docs/screenshots/([^)]+)\\)$" "\\1;\\2"
                   parts "${picture}")
            list(GET parts 0 caption)
            list(GET parts 1 file)
            if(file MATCHES "-[a-z][a-z]_[A-Z][A-Z]\\.png$")
                continue()
            endif()
            string(REPLACE "&" "&amp;" caption "${caption}")
            string(REPLACE "<" "&lt;" caption "${caption}")
            string(APPEND web "    <screenshot${type}>\n"
                              "      <caption>${caption}</caption>\n"
                              "      <image>${VESK_WEB_ORIGIN}/screenshots/${file}</image>\n")
            string(REGEX REPLACE "\\.png$" "" name "${file}")
            foreach(other IN LISTS pictures)
                if(other MATCHES "\\(docs/screenshots/${name}-([a-z][a-z]_[A-Z][A-Z])\\.png\\)$")
                    string(APPEND web "      <image xml:lang=\"${CMAKE_MATCH_1}\">"
                                      "${VESK_WEB_ORIGIN}/screenshots/${name}-${CMAKE_MATCH_1}.png"
                                      "</image>\n")
                endif()
            endforeach()
            string(APPEND web "    </screenshot>\n")
            set(type "")
        endforeach()
        string(APPEND web "  </screenshots>\n")
    endif()
    set(VESK_METAINFO_WEB "${web}")
    configure_file(${template} ${output} @ONLY)
endfunction()

# As a script, for the install check: cmake -D VESK_WEB_ORIGIN=… -D PROJECT_SOURCE_DIR=…
# -D PROJECT_VERSION=… -D VESK_RELEASE_DATE=… -D OUTPUT=… -P Metainfo.cmake
if(CMAKE_SCRIPT_MODE_FILE)
    vesk_configure_metainfo(${PROJECT_SOURCE_DIR}/data/app.vesk.Vesk.metainfo.xml.in ${OUTPUT})
endif()
