# The merge benchmark runs the product's merge and, as its baseline, the
# step-by-step reference merge kept with the tests.
target_sources(bench_commissioner PRIVATE ${PROJECT_SOURCE_DIR}/tests/commissioner/reference_merge.cpp)
target_link_libraries(bench_commissioner PRIVATE bidmark_commissioner_logic)
