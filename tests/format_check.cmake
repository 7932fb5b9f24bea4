# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when any source file differs from the project's clang-format style.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14 REQUIRED)
file(GLOB_RECURSE sources
    ${SOURCE_DIR}/runtime/*.cpp ${SOURCE_DIR}/runtime/*.h
    ${SOURCE_DIR}/controls/*.cpp ${SOURCE_DIR}/controls/*.h
    ${SOURCE_DIR}/problems/*.cpp ${SOURCE_DIR}/problems/*.h
    ${SOURCE_DIR}/quiz/*.cpp ${SOURCE_DIR}/quiz/*.h
    ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h
    ${SOURCE_DIR}/assets/*.cpp ${SOURCE_DIR}/assets/*.h
    ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.cpp
    ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-format: some files are not formatted")
endif()
