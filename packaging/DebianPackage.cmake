# The Debian package (`make deb`, CPack's DEB generator): what the install rules install, under
# /usr: bin/petsim (stripped), the default data folder share/petsim/data, the menu entry and its
# icon. The runtime libraries' packages are found by dpkg-shlibdeps; the CJK font is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME petsim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "petsim")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "summoned-pet training simulator (interface in Chinese)")
set(CPACK_PACKAGE_DESCRIPTION "A desktop simulator of the summoned-pet training of a role-playing \
game: a roster of saved pets on disk, and on it creation, washing, merging, skill books, \
certification and release.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "petsim developers <petsim@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Every text of the windows and message boxes is Chinese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
include(CPack)
