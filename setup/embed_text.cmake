# Turns a text file into a C++ source with one string constant whose lines end
# in CR LF, whatever the line ends of the file in the source tree.
#   cmake -DINPUT=file.txt -DOUTPUT=file.cpp -DNAME=identifier -DHEADER=name.h -P embed_text.cmake
file(READ "${INPUT}" text)
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "?" "\\?" text "${text}")  # no trigraphs
# Every line becomes one literal: "text\r\n"
string(REGEX REPLACE "\n$" "" text "${text}")
string(REPLACE "\n" "\\r\\n\"\n    \"" text "${text}")
file(WRITE "${OUTPUT}.new"
  "// Generated from ${INPUT} at build time; do not edit.\n"
  "#include \"${HEADER}\"\n\n"
  "const char ${NAME}[] =\n    \"${text}\\r\\n\";\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
