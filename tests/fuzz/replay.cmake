# The fuzz targets' code without libFuzzer, in the normal and sanitizer
# builds: a driver feeds it the committed seeds and every input that once
# made it fail (<target>/regressions). Included by tests/CMakeLists.txt.
set(fuzz_dir ${CMAKE_CURRENT_LIST_DIR})

add_executable(replay_engine_reader ${fuzz_dir}/replay_main.cpp ${fuzz_dir}/engine_reader_harness.cpp)
target_include_directories(replay_engine_reader PRIVATE ${PROJECT_SOURCE_DIR}/engine/src)
# The writer library brings the page checksum the harness reseals with.
target_link_libraries(replay_engine_reader PRIVATE morvel2_shared recmgr recmgr_writer)
add_test(NAME fuzz.engine_reader.replay
  COMMAND replay_engine_reader ${fuzz_dir}/fuzz_engine_reader ${fuzz_dir}/fuzz_engine_reader/regressions)

add_library(report_answers STATIC ${fuzz_dir}/report_runs.cpp ${fuzz_dir}/answer_stream.cpp)
target_link_libraries(report_answers PUBLIC morvel2_core)

add_executable(replay_report ${fuzz_dir}/replay_main.cpp ${fuzz_dir}/report_harness.cpp)
target_link_libraries(replay_report PRIVATE report_answers)
add_test(NAME fuzz.report.replay
  COMMAND replay_report ${fuzz_dir}/fuzz_report ${fuzz_dir}/fuzz_report/regressions)

include(${fuzz_dir}/tool_sources.cmake)

# The engine is linked, not loaded, and serves as the tools' entry; the
# writer library brings the page checksum.
add_executable(replay_dictionary_tools ${fuzz_dir}/replay_main.cpp ${fuzz_dir}/dictionary_tools_harness.cpp
  ${dictcheck_sources} ${dictdump_sources})
target_include_directories(replay_dictionary_tools PRIVATE ${PROJECT_SOURCE_DIR}/engine/src ${tool_include_dirs})
target_compile_definitions(replay_dictionary_tools PRIVATE MORVEL2_VERSION="${PROJECT_VERSION}")
target_link_libraries(replay_dictionary_tools PRIVATE morvel2_shared recmgr recmgr_writer)
add_test(NAME fuzz.dictionary_tools.replay
  COMMAND replay_dictionary_tools ${fuzz_dir}/fuzz_dictionary_tools ${fuzz_dir}/fuzz_dictionary_tools/regressions)

add_executable(replay_description_reader ${fuzz_dir}/replay_main.cpp ${fuzz_dir}/description_reader_harness.cpp
  ${description_reader_sources})
target_include_directories(replay_description_reader PRIVATE ${tool_include_dirs})
target_link_libraries(replay_description_reader PRIVATE morvel2_shared)
add_test(NAME fuzz.description_reader.replay
  COMMAND replay_description_reader ${fuzz_dir}/fuzz_description_reader
          ${fuzz_dir}/fuzz_description_reader/regressions)

# Makes the report target's seeds from real dictionaries (tests/fuzz/make-seeds).
add_executable(record_report_answers ${fuzz_dir}/record_report_answers.cpp)
target_link_libraries(record_report_answers PRIVATE report_answers recmgr)
