# What `cmake --install` puts where (GNU layout): the program and the tool,
# the help pages and the sample world under share/okap, and what a Linux
# desktop needs to list the program and open its files with it: the desktop
# entry, the icon (SVG and PNGs drawn from it here), the file types, the
# AppStream metainfo and the man pages.
include(GNUInstallDirs)

set(OKAP_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/okap)
set(okap_desktop_dir ${CMAKE_SOURCE_DIR}/desktop)
set(okap_icon ${CMAKE_SOURCE_DIR}/resources/icons/okap.svg)

install(TARGETS okaptool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET okap)
  install(TARGETS okap RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The same pages the program has built in, for reading without it; the
# program's first start takes this folder's parent as its program path.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${OKAP_SHARE_DIR}/help)

# The sample workspace as setup-samples.sh makes it, binary maps translated
# by the okaptool just built, with the sources' notes and licences.
set(okap_sample_workspace ${CMAKE_BINARY_DIR}/sample-workspace)
file(GLOB okap_sample_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/samples/*)
add_custom_command(
  OUTPUT ${okap_sample_workspace}.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${okap_sample_workspace}
  COMMAND ${CMAKE_COMMAND} -E env OKAPTOOL=$<TARGET_FILE:okaptool>
          LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp
          bash ${CMAKE_SOURCE_DIR}/scripts/setup-samples.sh --no-ini ${okap_sample_workspace}
  COMMAND ${CMAKE_COMMAND} -E touch ${okap_sample_workspace}.stamp
  DEPENDS okaptool ${okap_sample_sources} ${CMAKE_SOURCE_DIR}/scripts/setup-samples.sh
  COMMENT "Making the sample workspace"
  VERBATIM)
add_custom_target(okap_sample_workspace ALL DEPENDS ${okap_sample_workspace}.stamp)
install(DIRECTORY ${okap_sample_workspace}/ DESTINATION ${OKAP_SHARE_DIR}/samples)
install(FILES ${CMAKE_SOURCE_DIR}/samples/README.md DESTINATION ${OKAP_SHARE_DIR}/samples)
file(GLOB okap_sample_licences ${CMAKE_SOURCE_DIR}/samples/LICENSE-*)
install(FILES ${okap_sample_licences} DESTINATION ${OKAP_SHARE_DIR}/samples)

# The icon: the program's own SVG, and PNGs of the usual sizes drawn from it.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(okap_icon_pngs)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/okap.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${okap_icon}
    DEPENDS ${okap_icon}
    VERBATIM)
  list(APPEND okap_icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(okap_icons ALL DEPENDS ${okap_icon_pngs})
install(FILES ${okap_icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

install(FILES ${okap_desktop_dir}/okap.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${okap_desktop_dir}/okap.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${okap_desktop_dir}/org.okap.okap.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages compressed, as Debian installs them.
set(okap_man_pages)
foreach(page okap.1 okaptool.1)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${okap_desktop_dir}/${page} ${CMAKE_BINARY_DIR}/man/${page}
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${okap_desktop_dir}/${page}
    VERBATIM)
  list(APPEND okap_man_pages ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(okap_man_pages ALL DEPENDS ${okap_man_pages})
