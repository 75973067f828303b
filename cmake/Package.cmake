# The Debian package that scripts/package.sh builds: what `cmake --install` puts in place, as
# vesk_<version>_<arch>.deb. dpkg-shlibdeps finds the libraries the binaries link; the Qt
# plugins they load at run time are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vesk developers")
set(CPACK_PACKAGE_CONTACT "The Vesk developers <developers@vesk.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SVG plugins draw the icon; the MIME database classifies names. QtKeychain, which keeps the
# model service's key, is linked, and named here as well so the package says so outright.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, shared-mime-info, libqt6keychain1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
if(VESK_WEB_ORIGIN)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VESK_WEB_ORIGIN}/vesk.html")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps your Downloads and Desktop tidy")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "For every file that has waited in your Downloads or on your Desktop for a few"
    "days, Vesk suggests where it belongs among your own existing folders, shows you"
    "the suggestions, moves what you accept, and can undo the last tidy. It never"
    "invents folders, never overwrites a file, and nothing leaves your computer."
    "It lives in the system tray; vesk-cli does the same work in a terminal.")
include(CPack)

