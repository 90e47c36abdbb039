# A Debian package of the installed tree: cpack -G DEB in the build folder.
# The libraries the programs link are found by dpkg-shlibdeps; what Qt loads
# at run time, and what the editor needs on the desktop, is listed by hand.

set(CPACK_PACKAGE_NAME kelvopad)
set(CPACK_PACKAGE_VENDOR Norvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Norvane <kelvopad@norvane.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML source editor with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION
  "Kelvopad edits web pages, style sheets and scripts as plain text. Menus and
dialogs insert, wrap, edit and remove tags, write CSS, turn text into
paragraphs and tables, check links and upload pages over FTP.

Files in Shift-JIS, JIS, EUC-JP or UTF-8 with any line end are detected and
written back in the same code and line end. The package also holds
kelvo-tool, which runs the editor's conversions and commands in scripts.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kelvopad)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The xcb platform plugin draws the windows, the Japanese fonts draw the
# text, Qt's translations put its own dialogs into the interface's language
# and xdg-open shows the manual and pages in the browser. The preview's
# engine runs pages in a helper program of its own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-noto-cjk, qt6-translations-l10n, xdg-utils, libqt6webenginecore6-bin")

include(CPack)
