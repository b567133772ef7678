# What `cmake --install` puts where, and the Debian package CPack builds from
# it (`make package`). Included by the top CMakeLists.txt once the programs'
# targets exist and before the tests, which check the installed tree.
include(GNUInstallDirs)

# The engine library goes into the prefix's library folder, for programs of
# others too; the Debian package, which carries no headers, keeps it in a
# folder of the program's own instead.
option(ORVANE_PRIVATE_ENGINE
       "Install the engine library in lib/.../pellum instead of the library folder" OFF)
if(ORVANE_PRIVATE_ENGINE)
    set(engine_libdir ${CMAKE_INSTALL_LIBDIR}/pellum)
else()
    set(engine_libdir ${CMAKE_INSTALL_LIBDIR})
endif()
# Where the dynamic linker looks anyway the programs need no search path;
# elsewhere they find the engine from their own folder.
cmake_path(ABSOLUTE_PATH engine_libdir BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
           OUTPUT_VARIABLE engine_full_libdir)
list(FIND CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES "${engine_full_libdir}" system_libdir)
if(system_libdir EQUAL -1)
    set(program_rpath "$ORIGIN/../${engine_libdir}")
else()
    set(program_rpath "")
endif()

# The man pages and the changelog go into the package compressed, as Debian
# wants them; the version comes from the project.
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
function(pellum_compressed_file source name)
    set(plain ${packaging_dir}/${name})
    if(source MATCHES "\\.in$")
        configure_file(${source} ${plain} @ONLY)
    else()
        configure_file(${source} ${plain} COPYONLY)
    endif()
    add_custom_command(OUTPUT ${plain}.gz
                       COMMAND gzip -9nf -k ${plain}
                       DEPENDS ${plain}
                       COMMENT "Compressing ${name}")
    set_property(GLOBAL APPEND PROPERTY PELLUM_COMPRESSED_FILES ${plain}.gz)
endfunction()

# The engine: the library, its tool and, for programs of others, its headers.
set_target_properties(quib_tool PROPERTIES INSTALL_RPATH "${program_rpath}")
install(TARGETS quib
        LIBRARY DESTINATION ${engine_libdir} COMPONENT Runtime NAMELINK_COMPONENT Development)
install(TARGETS quib_tool RUNTIME COMPONENT Runtime)
install(DIRECTORY engine/include/quib DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT Development)
pellum_compressed_file(${CMAKE_SOURCE_DIR}/engine/doc/quib.1.in quib.1)
install(FILES ${packaging_dir}/quib.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT Runtime)

if(NOT ORVANE_ENGINE_ONLY)
    set(desktop ${CMAKE_SOURCE_DIR}/app/install)
    set_target_properties(pellum PROPERTIES INSTALL_RPATH "${program_rpath}")
    install(TARGETS pellum RUNTIME COMPONENT Runtime)
    install(FILES ${desktop}/pellum.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
            COMPONENT Runtime)
    install(FILES ${desktop}/pellum-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
            RENAME pellum.xml COMPONENT Runtime)
    install(FILES ${desktop}/example.orvane.pellum.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Runtime)
    install(FILES ${desktop}/pellum.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)
    foreach(size 16 22 24 32 48 64 128 256)
        install(FILES ${desktop}/icons/${size}/pellum.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                COMPONENT Runtime)
    endforeach()
    pellum_compressed_file(${desktop}/pellum.1.in pellum.1)
    install(FILES ${packaging_dir}/pellum.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
            COMPONENT Runtime)
endif()

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/pellum)
pellum_compressed_file(${CMAKE_SOURCE_DIR}/app/install/changelog changelog)
install(FILES ${CMAKE_SOURCE_DIR}/app/install/copyright ${packaging_dir}/changelog.gz
        DESTINATION ${doc_dir} COMPONENT Runtime)
get_property(compressed GLOBAL PROPERTY PELLUM_COMPRESSED_FILES)
add_custom_target(pellum_compressed_files ALL DEPENDS ${compressed})

# Everything the installation takes, without the tests: what `make package`
# builds.
add_custom_target(pellum_installed)
add_dependencies(pellum_installed quib_tool pellum_compressed_files)
if(NOT ORVANE_ENGINE_ONLY)
    add_dependencies(pellum_installed pellum)
endif()

# --- The Debian package -----------------------------------------------------------
# One package for users: everything but the engine's headers and link name,
# with the engine as the program's private library. `make package` configures
# it so (ORVANE_PRIVATE_ENGINE, the prefix /usr); a library in the system's
# folder would want a package of its own, with ldconfig triggers.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_CONTACT "Orvane <contacts@orvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "contacts manager keeping the address book in one file")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvane Contacts keeps an address book in a single database file and shows one
contact at a time as a card of home and work fields, or all contacts as an
editable table. It finds contacts by text or by a query of field conditions,
sorts by several columns, prints chosen contacts through text templates and
exchanges contacts with CSV and vCard files. The user interface speaks English
and Czech.
.
The package also holds the table-database engine Quib and its command-line
tool quib.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Unspecified)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.orvane.example")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not name: Qt's platform plugins, without which no
# window opens, and Qt's own Czech texts (standard buttons and dialogs).
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
