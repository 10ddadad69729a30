# The Debian package (cpack -G DEB): everything `cmake --install` puts in
# place, under /usr, with the libraries it needs found by dpkg-shlibdeps.
# The desktop, MIME and icon caches are brought up to date by the dpkg
# triggers of desktop-file-utils, shared-mime-info and the icon cache, so
# the package needs no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME okap)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "OKAP developers <okap@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop mapping program with map translator and command-line tool")
set(CPACK_PACKAGE_DESCRIPTION
    "OKAP builds map documents from vector map layers (coastlines, borders,
rivers) and point data layers (values at places, drawn as graded symbols
with labels and a legend) in one of eight projections, and views, zooms,
measures, prints, previews and copies the map. Its translator turns text
map files into projected binary ones, and it imports and exports GIS
datasets through GDAL. okaptool does the same from the command line.
A sample world comes with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts that stand in for the documents' Windows fonts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
