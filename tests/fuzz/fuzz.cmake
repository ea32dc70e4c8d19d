# Fuzz targets: tests/fuzz/<target>_fuzz.cpp, each one LLVMFuzzerTestOneInput
# over a real reader of outside input.
#  - VELMO_FUZZ=ON (scripts/fuzz, clang): one libFuzzer program per target in
#    <build>/fuzz/<target>.
#  - otherwise: one replay program with every target linked in under its own
#    name; CTest runs each file of corpus/<target>/ and regress/<target>/
#    once (label `fuzz`).
option(VELMO_FUZZ "Build the libFuzzer programs of tests/fuzz (clang only)" OFF)
set(VELMO_FUZZ_DIR ${PROJECT_SOURCE_DIR}/tests/fuzz)
file(GLOB velmo_fuzz_srcs CONFIGURE_DEPENDS ${VELMO_FUZZ_DIR}/*_fuzz.cpp)
# platform_gtk: the desktop backend's clipboard conversions (no display used).
set(velmo_fuzz_libs frame velmo_rc_program platform_gtk)

if(VELMO_FUZZ)
  # qpdf's JSON header does not compile as C++20 with clang 14.
  file(GLOB velmo_qpdf_srcs ${PROJECT_SOURCE_DIR}/platform/pdfbib*.cpp ${PROJECT_SOURCE_DIR}/platform/qpdf/*.cpp)
  set_source_files_properties(${velmo_qpdf_srcs} PROPERTIES COMPILE_OPTIONS -std=c++17)
  foreach(src ${velmo_fuzz_srcs})
    get_filename_component(n ${src} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" t ${n})
    add_executable(fuzz_${t} ${src})
    target_link_libraries(fuzz_${t} PRIVATE ${velmo_fuzz_libs})
    target_link_options(fuzz_${t} PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_${t} PROPERTIES OUTPUT_NAME ${t}
      RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz)
    list(APPEND velmo_fuzz_all fuzz_${t})
  endforeach()
  add_custom_target(fuzz_alle DEPENDS ${velmo_fuzz_all})
elseif(velmo_fuzz_srcs)
  set(tabelle "")
  set(dekl "")
  set(namen "")
  foreach(src ${velmo_fuzz_srcs})
    get_filename_component(n ${src} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" t ${n})
    set_source_files_properties(${src} PROPERTIES COMPILE_DEFINITIONS "LLVMFuzzerTestOneInput=fuzz_ziel_${t}")
    string(APPEND dekl "extern \"C\" int fuzz_ziel_${t}(const uint8_t*, size_t);\n")
    string(APPEND tabelle "    {\"${t}\", fuzz_ziel_${t}},\n")
    list(APPEND namen ${t})
  endforeach()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/fuzz/fuzz_ziele.h CONTENT
"#pragma once
#include <cstddef>
#include <cstdint>
${dekl}struct FuzzZiel { const char* name; int (*fn)(const uint8_t*, size_t); };
inline constexpr FuzzZiel kFuzzZiele[] = {
${tabelle}};
")
  add_executable(fuzz_replay ${VELMO_FUZZ_DIR}/replay.cpp ${velmo_fuzz_srcs})
  target_include_directories(fuzz_replay PRIVATE ${PROJECT_BINARY_DIR}/fuzz)
  target_link_libraries(fuzz_replay PRIVATE ${velmo_fuzz_libs})
  foreach(t ${namen})
    add_test(NAME fuzz.${t} COMMAND fuzz_replay ${t} ${VELMO_FUZZ_DIR}/corpus/${t} ${VELMO_FUZZ_DIR}/regress/${t})
    set_tests_properties(fuzz.${t} PROPERTIES LABELS fuzz TIMEOUT 120 WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
      ENVIRONMENT "VELMO_BACKEND=headless")
  endforeach()

  # A project folder of damaged files opened by the real program.
  add_executable(fuzz_projekt_tests ${VELMO_FUZZ_DIR}/projekt_test.cpp)
  target_link_libraries(fuzz_projekt_tests PRIVATE GTest::gtest GTest::gtest_main)
  target_compile_definitions(fuzz_projekt_tests PRIVATE VELMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VELMO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  add_dependencies(fuzz_projekt_tests velmo)
  add_test(NAME fuzz.projekt COMMAND fuzz_projekt_tests)
  set_tests_properties(fuzz.projekt PROPERTIES LABELS fuzz TIMEOUT 120 WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
endif()
