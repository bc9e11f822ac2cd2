# What the build needs from the machine, looked for all at once, so that a machine short of
# several things hears of all of them in one message, by name and with the Debian and Ubuntu
# package that has each.

set(VORLAN_MISSING "")

# vorlan_missing(WHAT PACKAGE): notes one thing the build cannot do without.
function(vorlan_missing what package)
    set_property(GLOBAL APPEND PROPERTY VORLAN_MISSING "  ${what} (Debian and Ubuntu: ${package})")
endfunction()

# vorlan_require_qt(COMPONENT...): Qt 6 and the modules named, with its build tools. A macro:
# Qt's own set-up reads the variables that finding it sets.
macro(vorlan_require_qt)
    find_package(Qt6 QUIET COMPONENTS ${ARGN})
    if(NOT Qt6_DIR OR Qt6_DIR MATCHES NOTFOUND)
        set(_vorlan_modules ${ARGN})
        list(JOIN _vorlan_modules ", " _vorlan_modules)
        vorlan_missing("Qt 6 for developers, its modules ${_vorlan_modules}" qt6-base-dev)
    else()
        foreach(_vorlan_component ${ARGN})
            if(NOT Qt6${_vorlan_component}_FOUND)
                if(Qt6${_vorlan_component}_DIR AND NOT Qt6CoreTools_FOUND)
                    vorlan_missing("Qt 6's build tools moc and rcc" qt6-base-dev-tools)
                else()
                    vorlan_missing("the Qt 6 module ${_vorlan_component}" qt6-base-dev)
                endif()
            endif()
        endforeach()
    endif()
endmacro()

# vorlan_require_program(VARIABLE PROGRAM PACKAGE)
function(vorlan_require_program variable program package)
    find_program(${variable} ${program})
    if(NOT ${variable})
        vorlan_missing("the program ${program}" ${package})
    endif()
endfunction()

# vorlan_require_pkgconfig(PREFIX MODULE WHAT PACKAGE)
function(vorlan_require_pkgconfig prefix module what package)
    find_package(PkgConfig QUIET)
    if(NOT PKG_CONFIG_FOUND)
        vorlan_missing("pkg-config" pkg-config)
        return()
    endif()
    pkg_check_modules(${prefix} QUIET IMPORTED_TARGET GLOBAL ${module})
    if(NOT ${prefix}_FOUND)
        vorlan_missing("${what} for developers (pkg-config: ${module})" ${package})
    endif()
endfunction()

# vorlan_require_done(): ends the configuration with the list of what is missing, if anything.
function(vorlan_require_done)
    get_property(missing GLOBAL PROPERTY VORLAN_MISSING)
    list(REMOVE_DUPLICATES missing)
    if(missing)
        list(JOIN missing "\n" lines)
        message(NOTICE "vorlan-cup cannot be built here; this is missing:\n${lines}")
        message(FATAL_ERROR "Install what is missing, then build again.")
    endif()
endfunction()
