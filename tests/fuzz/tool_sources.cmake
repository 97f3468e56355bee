# The tools' own sources, less their main.cpp, for the fuzz targets that run
# them in process: dictcheck and dictdump whole, and mkdict's description
# reader (lexer and parser).
set(tools_dir ${PROJECT_SOURCE_DIR}/tools)
file(GLOB dictcheck_sources CONFIGURE_DEPENDS ${tools_dir}/dictcheck/*.cpp)
file(GLOB dictdump_sources CONFIGURE_DEPENDS ${tools_dir}/dictdump/*.cpp)
list(FILTER dictcheck_sources EXCLUDE REGEX "/main\\.cpp$")
list(FILTER dictdump_sources EXCLUDE REGEX "/main\\.cpp$")
set(description_reader_sources ${tools_dir}/mkdict/lexer.cpp ${tools_dir}/mkdict/parser.cpp)
set(tool_include_dirs ${tools_dir}/dictcheck ${tools_dir}/dictdump ${tools_dir}/mkdict)
