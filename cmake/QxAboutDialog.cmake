# Writes the about box (dialog resource 2) as raw template bytes. The resource
# compiler would drop the icon control's size (it writes 0 x 0 for any
# SS_ICON static), and the template must hold every field as designed, so it
# is laid out here word by word.

# Appends the UTF-16 words of `text` and its terminating NUL.
function(_qx_wide_words text out_words out_bytes)
  set(words "")
  string(LENGTH "${text}" n)
  if(n GREATER 0)
    math(EXPR last "${n} - 1")
    foreach(i RANGE ${last})
      string(SUBSTRING "${text}" ${i} 1 c)
      string(HEX "${c}" h)
      list(APPEND words "0x${h}")
    endforeach()
  endif()
  list(APPEND words "0x0000")
  math(EXPR bytes "(${n} + 1) * 2")
  set(${out_words} "${words}" PARENT_SCOPE)
  set(${out_bytes} ${bytes} PARENT_SCOPE)
endfunction()

function(qx_write_about_dialog out title icon_id)
  set(WS_CHILD_VISIBLE 0x50000000)
  set(words "0x00C0" "0x80C8" "0x0000" "0x0000" "5" "0" "0" "154" "106" "0" "0")
  set(offset 22)
  _qx_wide_words("About" w b)
  list(APPEND words ${w})
  math(EXPR offset "${offset} + ${b}")
  list(APPEND words "8")
  _qx_wide_words("MS Sans Serif" w b)
  list(APPEND words ${w})
  math(EXPR offset "${offset} + 2 + ${b}")

  # style (hex, 8 digits), x, y, cx, cy, id, class atom, text (or #ordinal)
  set(controls
    "50010001|51|85|50|14|1|0x0080|OK"
    "50000007|7|7|140|72|0xFFFF|0x0080|${title}"
    "50000003|66|23|20|20|0xFFFF|0x0082|#${icon_id}"
    "50020000|37|69|82|8|0xFFFF|0x0082|Copyright Tarnwell"
    "50020000|63|47|36|8|0xFFFF|0x0082|Version 1.0")
  foreach(control ${controls})
    string(REPLACE "|" ";" f "${control}")
    list(GET f 0 style)
    list(GET f 1 x)
    list(GET f 2 y)
    list(GET f 3 cx)
    list(GET f 4 cy)
    list(GET f 5 id)
    list(GET f 6 atom)
    list(GET f 7 text)
    math(EXPR pad "${offset} % 4")
    if(pad EQUAL 2)
      list(APPEND words "0")
      math(EXPR offset "${offset} + 2")
    endif()
    string(SUBSTRING "${style}" 4 4 style_low)
    string(SUBSTRING "${style}" 0 4 style_high)
    list(APPEND words "0x${style_low}" "0x${style_high}" "0" "0" ${x} ${y} ${cx} ${cy} ${id} "0xFFFF" ${atom})
    math(EXPR offset "${offset} + 22")
    if(text MATCHES "^#([0-9]+)$")
      list(APPEND words "0xFFFF" ${CMAKE_MATCH_1})
      math(EXPR offset "${offset} + 4")
    else()
      _qx_wide_words("${text}" w b)
      list(APPEND words ${w})
      math(EXPR offset "${offset} + ${b}")
    endif()
    list(APPEND words "0")  # no creation data
    math(EXPR offset "${offset} + 2")
  endforeach()

  list(JOIN words ", " data)
  file(WRITE "${out}.tmp"
    "// Generated at configure time from cmake/QxAboutDialog.cmake.\n"
    "2 5\nBEGIN\n    ${data}\nEND\n")
  file(COPY_FILE "${out}.tmp" "${out}" ONLY_IF_DIFFERENT)
endfunction()
