# Writes the text file IN as a C++ string constant into OUT.
file(READ ${IN} content)
string(REPLACE "\\" "\\\\" content "${content}")
string(REPLACE "\"" "\\\"" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" "\\n\"\n\"" content "${content}")
file(WRITE ${OUT} "// Generated from ${IN}; do not edit.\n#include <string_view>\nnamespace korvelin {\nextern const std::string_view builtinReservedWords;\nconst std::string_view builtinReservedWords = \"${content}\";\n}\n")
