# Installs the build into a scratch prefix and checks that every piece a desktop user needs is
# there, and that the installed command-line tool finds the installed tables on a first start.
# Run by ctest: cmake -DBUILD_DIR=... -DWORK_DIR=... -DCORE_ONLY=ON|OFF -P install_tree.cmake

set(prefix "${WORK_DIR}/prefix")
set(home "${WORK_DIR}/home")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${home}")

execute_process(COMMAND "${CMAKE_COMMAND}" -E env DESTDIR=
                        "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(expected
    bin/kelvor-cli
    share/kelvor/data/bfprof.dat share/kelvor/data/fprof.dat share/kelvor/data/lprof.dat
    share/kelvor/data/tprof.dat share/kelvor/data/Kvmat.csv share/kelvor/data/dummy.kvi)
if(NOT CORE_ONLY)
    list(APPEND expected
        bin/kelvor
        "share/kelvor/Help/Kelvor Theory Manual.pdf" "share/kelvor/Help/Kelvor Database.pdf"
        share/applications/kelvor.desktop
        share/icons/hicolor/scalable/apps/kelvor.svg
        share/mime/packages/kelvor.xml)
endif()
set(missing)
foreach(f IN LISTS expected)
    if(NOT EXISTS "${prefix}/${f}")
        list(APPEND missing "${f}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "missing from the install tree: ${missing}")
endif()

if(NOT CORE_ONLY)
    # The pieces must name each other: the entry opens the MIME type, the MIME type has the glob.
    file(READ "${prefix}/share/applications/kelvor.desktop" entry)
    foreach(line "Exec=kelvor %f" "Icon=kelvor" "MimeType=application/x-kelvor-project;")
        string(FIND "${entry}" "${line}" at)
        if(at LESS 0)
            message(FATAL_ERROR "kelvor.desktop lacks '${line}'")
        endif()
    endforeach()
    file(READ "${prefix}/share/mime/packages/kelvor.xml" mime)
    foreach(text [[type="application/x-kelvor-project"]] [[pattern="*.kelvo"]])
        string(FIND "${mime}" "${text}" at)
        if(at LESS 0)
            message(FATAL_ERROR "kelvor.xml lacks '${text}'")
        endif()
    endforeach()
endif()

# A first start of the installed tool with an empty home: the tables come from share/kelvor/data.
set(env "${CMAKE_COMMAND}" -E env "HOME=${home}" --unset=XDG_DATA_HOME --unset=KELVOR_DATA_DIR)
execute_process(COMMAND ${env} "${prefix}/bin/kelvor-cli" new -o "${WORK_DIR}/x.kelvo"
                RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "installed kelvor-cli new: exit ${rc}: ${err}")
endif()
execute_process(COMMAND ${env} "${prefix}/bin/kelvor-cli" calc "${WORK_DIR}/x.kelvo"
                RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR out STREQUAL "")
    message(FATAL_ERROR "installed kelvor-cli calc: exit ${rc}: ${err}")
endif()
# The installed tool finds its Qt module in the library folder for the commands that draw.
if(NOT CORE_ONLY)
    execute_process(COMMAND ${env} "${prefix}/bin/kelvor-cli" report "${WORK_DIR}/x.kelvo"
                            --mode 1 -o "${WORK_DIR}/x.pdf"
                    RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
    if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK_DIR}/x.pdf")
        message(FATAL_ERROR "installed kelvor-cli report: exit ${rc}: ${err}")
    endif()
endif()
if(NOT EXISTS "${home}/.local/share/Kelvor/Kvmat.csv")
    message(FATAL_ERROR "the data folder was not seeded from the installed tables")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
