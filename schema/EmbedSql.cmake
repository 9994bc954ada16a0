# Turns one .sql file into a .cpp that defines it as a string constant, so the library carries
# the exact text of the file it was built from.
#   cmake -DINPUT=data.sql -DOUTPUT=data_sql.cpp -DSYMBOL=kMainSql -P EmbedSql.cmake
# The text goes into a raw string literal; the delimiter must not occur in the SQL.
foreach(var INPUT OUTPUT SYMBOL)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedSql.cmake: ${var} not given")
    endif()
endforeach()

file(READ "${INPUT}" sql)
string(FIND "${sql}" ")tvsql\"" clash)
if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} contains the raw string delimiter )tvsql\"")
endif()
# A C++ compiler must accept string literals of 65536 characters; -Wpedantic warns beyond.
string(LENGTH "${sql}" length)
if(length GREATER 60000)
    message(FATAL_ERROR "${INPUT} is too long to embed as one literal (${length} bytes)")
endif()

get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Generated from schema/${name} by schema/EmbedSql.cmake at build time. Edit the .sql file.
#include \"schema/SqlText.h\"

namespace tv::schema::sql {
const char ${SYMBOL}[] = R\"tvsql(${sql})tvsql\";
} // namespace tv::schema::sql
")
