# The tools' own sources, less their main.cpp, for the fuzz targets that run
# them in process: dictcheck and dictdump whole, and mkdict's description
# reader (lexer and parser).
file(GLOB dictcheck_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/dictcheck/*.cpp)
file(GLOB dictdump_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/dictdump/*.cpp)
list(FILTER dictcheck_sources EXCLUDE REGEX "/main\\.cpp$")
list(FILTER dictdump_sources EXCLUDE REGEX "/main\\.cpp$")
set(description_reader_sources ${PROJECT_SOURCE_DIR}/mkdict/lexer.cpp ${PROJECT_SOURCE_DIR}/mkdict/parser.cpp)
set(tool_include_dirs ${PROJECT_SOURCE_DIR}/dictcheck ${PROJECT_SOURCE_DIR}/dictdump ${PROJECT_SOURCE_DIR}/mkdict)
