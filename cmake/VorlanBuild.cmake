# Settings shared by every target of our own, and the include folders that keep the layers apart.

option(VORLAN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# On in the tests' own build (scripts/test); a packager's compiler may warn where ours does not.
option(VORLAN_WERROR "Treat every compiler warning as an error" OFF)

get_filename_component(VORLAN_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# Our own code: every warning.
function(vorlan_target_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                           $<$<BOOL:${VORLAN_WERROR}>:-Werror>)
    # Hardened as Debian builds its packages.
    target_compile_options(${target} PRIVATE -fstack-protector-strong
                           $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
    if(VORLAN_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# vorlan_include_root(TARGET FOLDER): the target and those that link it include the headers of
# FOLDER (relative to the repository) as "FOLDER/name.h". The include folder holds a link to
# FOLDER and nothing else, so no layer reaches another that it does not link: a form cannot
# include app/, nor the runtime a form.
function(vorlan_include_root target folder)
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${VORLAN_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
endfunction()
