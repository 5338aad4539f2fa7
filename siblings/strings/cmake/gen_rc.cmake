# Generates the resource scripts of the resource-only libraries, and the C++
# table the resource tests compare against, from the text tables in this
# folder. Run with `cmake -P`:
#
#   -DMODE=strings -DTABLE=<table> -DLANG=E|L -DOUT=<rc> [-DLOCAL_TABLE=<table>]
#        [-DIMAGES=<images table> -DLIBRARY=<name without .dll> -DIMAGE_DIR=<dir>]
#       A string table in English (E) or local language (L), plus the images
#       that the images table assigns to LIBRARY. LOCAL_TABLE is the
#       translation table of the local language (hi/<table>, ta/<table>).
#   -DMODE=images -DIMAGES=<images table> -DLIBRARY=<name> -DIMAGE_DIR=<dir> -DOUT=<rc>
#       The bitmaps and icons of an image library.
#   -DMODE=testinc -DOUT=<inc> -DIMAGES=<images table>
#        -DTABLE_<Name>=<table> [-DLOCAL_TABLE_<Name>=<table>] ...
#        -DTABLE_NAMES=<Name,Name,...> [-DLOCAL_LANGUAGE=<code>]
#       A C++ include listing every string (English and local text, and
#       whether the local text is the English one on purpose) and every
#       image, for the resource tests.
#
# String table format (UTF-8, ASCII only in the English tables; one entry per line):
#   id<TAB>English text[<TAB>local text]
# Lines that are empty or start with "#" are comments. The local text is
# "~" followed by the English text unless a third column gives it; in the
# third column "@same" means the English text unchanged. "@none" in either
# column leaves the string out of that library.
#
# Translation table format (UTF-8, one per local language and table):
#   id<TAB>local text
# A translation replaces the local text of its id (a third column of the
# English table included); "@same" keeps the English text on purpose, "@none"
# leaves the string out of the local library. Ids that the English table
# lacks (yet) are left out.
#
# Images table format:
#   libraries<TAB>id<TAB>BITMAP|ICON<TAB>file<TAB>width<TAB>height[<TAB>note]
# where libraries is a comma-separated list of library names (no ".dll").

cmake_minimum_required(VERSION 3.25)

set(LOCAL_MARKER "~")

# Characters that CMake's list handling would misread are carried through as
# control characters and restored when written out.
string(ASCII 1 PH_SEMI)
string(ASCII 2 PH_LSQB)
string(ASCII 3 PH_RSQB)
string(ASCII 4 PH_BSL)
string(ASCII 9 TAB)

function(protect var)
    set(s "${${var}}")
    string(REPLACE "\\" "${PH_BSL}" s "${s}")
    string(REPLACE ";" "${PH_SEMI}" s "${s}")
    string(REPLACE "[" "${PH_LSQB}" s "${s}")
    string(REPLACE "]" "${PH_RSQB}" s "${s}")
    set(${var} "${s}" PARENT_SCOPE)
endfunction()

function(unprotect var)
    set(s "${${var}}")
    string(REPLACE "${PH_SEMI}" ";" s "${s}")
    string(REPLACE "${PH_LSQB}" "[" s "${s}")
    string(REPLACE "${PH_RSQB}" "]" s "${s}")
    string(REPLACE "${PH_BSL}" "\\" s "${s}")
    set(${var} "${s}" PARENT_SCOPE)
endfunction()

# Reads a file into a list of protected lines (comments and blank lines dropped).
function(read_lines path out)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "gen_rc: no such table: ${path}")
    endif()
    file(READ "${path}" content)
    protect(content)
    string(REPLACE "\r" "" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")
    set(result "")
    foreach(line IN LISTS lines)
        if(line STREQUAL "" OR line MATCHES "^#")
            continue()
        endif()
        list(APPEND result "${line}")
    endforeach()
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Splits a protected line at tabs into a list.
function(split_tabs line out)
    string(REPLACE "${TAB}" ";" fields "${line}")
    set(${out} "${fields}" PARENT_SCOPE)
endfunction()

# Reads a translation table: sets <prefix>_T_<id> per id.
macro(read_translation_table path prefix)
    read_lines("${path}" _rtt_lines)
    foreach(_rtt_line IN LISTS _rtt_lines)
        split_tabs("${_rtt_line}" _rtt_f)
        list(LENGTH _rtt_f _rtt_n)
        list(GET _rtt_f 0 _rtt_id)
        if(NOT _rtt_id MATCHES "^[0-9]+$" OR NOT _rtt_n EQUAL 2)
            unprotect(_rtt_line)
            message(FATAL_ERROR "gen_rc: ${path}: bad line: ${_rtt_line}")
        endif()
        if(DEFINED ${prefix}_T_${_rtt_id})
            message(FATAL_ERROR "gen_rc: ${path}: id ${_rtt_id} appears twice")
        endif()
        list(GET _rtt_f 1 _rtt_text)
        if(_rtt_text STREQUAL "")
            message(FATAL_ERROR "gen_rc: ${path}: id ${_rtt_id} has an empty text")
        endif()
        set(${prefix}_T_${_rtt_id} "${_rtt_text}")
    endforeach()
endmacro()

# Reads a string table and, when `local` is not empty, its translation table.
# Sets <prefix>_IDS (in file order) and, per id, <prefix>_E_<id> and
# <prefix>_L_<id> (protected texts; "@none" = absent) and <prefix>_S_<id>
# (1 when the local text is the English one on purpose).
macro(read_string_table path prefix local)
    if(NOT "${local}" STREQUAL "")
        read_translation_table("${local}" ${prefix})
    endif()
    read_lines("${path}" _rst_lines)
    set(${prefix}_IDS "")
    foreach(_rst_line IN LISTS _rst_lines)
        split_tabs("${_rst_line}" _rst_f)
        list(LENGTH _rst_f _rst_n)
        list(GET _rst_f 0 _rst_id)
        if(NOT _rst_id MATCHES "^[0-9]+$" OR _rst_n LESS 2 OR _rst_n GREATER 3)
            unprotect(_rst_line)
            message(FATAL_ERROR "gen_rc: ${path}: bad line: ${_rst_line}")
        endif()
        if(_rst_id GREATER 65535)
            message(FATAL_ERROR "gen_rc: ${path}: id ${_rst_id} is above 65535")
        endif()
        if(DEFINED ${prefix}_E_${_rst_id})
            message(FATAL_ERROR "gen_rc: ${path}: id ${_rst_id} appears twice")
        endif()
        list(GET _rst_f 1 _rst_en)
        if(_rst_en STREQUAL "")
            message(FATAL_ERROR "gen_rc: ${path}: id ${_rst_id} has an empty English text")
        endif()
        set(${prefix}_S_${_rst_id} 0)
        if(DEFINED ${prefix}_T_${_rst_id})
            set(_rst_lo "${${prefix}_T_${_rst_id}}")
            if(_rst_lo STREQUAL "@same")
                set(_rst_lo "${_rst_en}")
                set(${prefix}_S_${_rst_id} 1)
            endif()
            unset(${prefix}_T_${_rst_id})
        elseif(_rst_n EQUAL 3)
            list(GET _rst_f 2 _rst_lo)
            if(_rst_lo STREQUAL "@same")
                set(_rst_lo "${_rst_en}")
                set(${prefix}_S_${_rst_id} 1)
            elseif(_rst_lo STREQUAL "")
                message(FATAL_ERROR "gen_rc: ${path}: id ${_rst_id} has an empty local text")
            endif()
        elseif(_rst_en STREQUAL "@none")
            message(FATAL_ERROR "gen_rc: ${path}: id ${_rst_id} is in neither library")
        else()
            set(_rst_lo "${LOCAL_MARKER}${_rst_en}")
        endif()
        set(${prefix}_E_${_rst_id} "${_rst_en}")
        set(${prefix}_L_${_rst_id} "${_rst_lo}")
        list(APPEND ${prefix}_IDS "${_rst_id}")
    endforeach()
    # A translation of an id the English table does not have (yet: a dialog
    # being built adds it) is left out; a mistyped id leaves its real id
    # untranslated, which the strings test reports.
    get_cmake_property(_rst_vars VARIABLES)
    foreach(_rst_var IN LISTS _rst_vars)
        if(_rst_var MATCHES "^${prefix}_T_[0-9]+$")
            unset(${_rst_var})
        endif()
    endforeach()
endmacro()

# Escapes a protected text for a resource-script string literal.
function(rc_quote var)
    set(s "${${var}}")
    unprotect(s)
    string(REPLACE "\\" "\\\\" s "${s}")
    string(REPLACE "\"" "\"\"" s "${s}")
    set(${var} "\"${s}\"" PARENT_SCOPE)
endfunction()

# Escapes a protected text for a C++ string literal.
function(cpp_quote var)
    set(s "${${var}}")
    unprotect(s)
    string(REPLACE "\\" "\\\\" s "${s}")
    string(REPLACE "\"" "\\\"" s "${s}")
    string(REPLACE "?" "\\?" s "${s}")
    set(${var} "\"${s}\"" PARENT_SCOPE)
endfunction()

# Appends the image resources that the images table assigns to a library to
# the variable named by out_var.
function(image_lines images_table library image_dir out_var)
    read_lines("${images_table}" lines)
    set(text "")
    foreach(line IN LISTS lines)
        split_tabs("${line}" f)
        list(LENGTH f n)
        if(n LESS 6)
            unprotect(line)
            message(FATAL_ERROR "gen_rc: ${images_table}: bad line: ${line}")
        endif()
        list(GET f 0 libs)
        list(GET f 1 id)
        list(GET f 2 type)
        list(GET f 3 file)
        string(REPLACE "," ";" libs "${libs}")
        if(NOT library IN_LIST libs)
            continue()
        endif()
        if(NOT type MATCHES "^(BITMAP|ICON)$")
            message(FATAL_ERROR "gen_rc: ${images_table}: id ${id}: unknown type ${type}")
        endif()
        if(NOT EXISTS "${image_dir}/${file}")
            message(FATAL_ERROR "gen_rc: ${images_table}: missing image file ${image_dir}/${file}")
        endif()
        string(APPEND text "${id} ${type} \"${image_dir}/${file}\"\n")
    endforeach()
    set(${out_var} "${${out_var}}${text}" PARENT_SCOPE)
endfunction()

# Writes OUT only when its content changes, so that unchanged tables do not
# relink the libraries.
function(write_if_changed path content)
    if(EXISTS "${path}")
        file(READ "${path}" old)
        if(old STREQUAL content)
            return()
        endif()
    endif()
    file(WRITE "${path}" "${content}")
endfunction()

set(HEADER "// Generated by siblings/strings/cmake/gen_rc.cmake; do not edit.\n")

if(MODE STREQUAL "strings")
    if(NOT LANG MATCHES "^(E|L)$")
        message(FATAL_ERROR "gen_rc: LANG must be E or L")
    endif()
    if(NOT DEFINED LOCAL_TABLE OR LANG STREQUAL "E")
        set(LOCAL_TABLE "")
    endif()
    read_string_table("${TABLE}" T "${LOCAL_TABLE}")
    # The tables are UTF-8; the resource compiler stores UTF-16.
    set(rc "${HEADER}#pragma code_page(65001)\nLANGUAGE 0, 0\n\nSTRINGTABLE\nBEGIN\n")
    foreach(id IN LISTS T_IDS)
        set(text "${T_${LANG}_${id}}")
        if(text STREQUAL "@none")
            continue()
        endif()
        rc_quote(text)
        string(APPEND rc "    ${id}, ${text}\n")
    endforeach()
    string(APPEND rc "END\n")
    if(DEFINED IMAGES AND DEFINED LIBRARY)
        set(images "")
        image_lines("${IMAGES}" "${LIBRARY}" "${IMAGE_DIR}" images)
        if(NOT images STREQUAL "")
            string(APPEND rc "\n${images}")
        endif()
    endif()
    write_if_changed("${OUT}" "${rc}")

elseif(MODE STREQUAL "images")
    set(images "")
    image_lines("${IMAGES}" "${LIBRARY}" "${IMAGE_DIR}" images)
    if(images STREQUAL "")
        message(FATAL_ERROR "gen_rc: ${IMAGES} lists no image for ${LIBRARY}")
    endif()
    write_if_changed("${OUT}" "${HEADER}LANGUAGE 0, 0\n\n${images}")

elseif(MODE STREQUAL "testinc")
    set(inc "${HEADER}// Every string and image of the resource-only libraries.\n\n")
    string(APPEND inc "static const char kLocalLanguage[] = \"${LOCAL_LANGUAGE}\";\n\n")
    string(REPLACE "," ";" names "${TABLE_NAMES}")
    foreach(name IN LISTS names)
        if(NOT DEFINED LOCAL_TABLE_${name})
            set(LOCAL_TABLE_${name} "")
        endif()
        read_string_table("${TABLE_${name}}" T_${name} "${LOCAL_TABLE_${name}}")
        string(APPEND inc "static const ResString k${name}[] = {\n")
        foreach(id IN LISTS T_${name}_IDS)
            set(en "${T_${name}_E_${id}}")
            set(lo "${T_${name}_L_${id}}")
            if(en STREQUAL "@none")
                set(en "nullptr")
            else()
                cpp_quote(en)
            endif()
            if(lo STREQUAL "@none")
                set(lo "nullptr")
            else()
                cpp_quote(lo)
            endif()
            if(T_${name}_S_${id})
                set(same "true")
            else()
                set(same "false")
            endif()
            string(APPEND inc "    {${id}, ${en}, ${lo}, ${same}},\n")
        endforeach()
        string(APPEND inc "};\n\n")
    endforeach()
    read_lines("${IMAGES}" lines)
    string(APPEND inc "static const ResImage kImages[] = {\n")
    foreach(line IN LISTS lines)
        split_tabs("${line}" f)
        list(GET f 0 libs)
        list(GET f 1 id)
        list(GET f 2 type)
        list(GET f 4 width)
        list(GET f 5 height)
        string(REPLACE "," ";" libs "${libs}")
        if(type STREQUAL "ICON")
            set(kind "ResImage::kIcon")
        else()
            set(kind "ResImage::kBitmap")
        endif()
        foreach(lib IN LISTS libs)
            string(APPEND inc "    {\"${lib}.dll\", ${id}, ${kind}, ${width}, ${height}},\n")
        endforeach()
    endforeach()
    string(APPEND inc "};\n")
    write_if_changed("${OUT}" "${inc}")

else()
    message(FATAL_ERROR "gen_rc: unknown MODE '${MODE}'")
endif()
