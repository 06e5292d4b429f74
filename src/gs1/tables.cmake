# The GS1 tables are generated at build time from the data files, so that a newer syntax
# dictionary (or ISO 3166 list) is a one-file update; the library never reads them at run time.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QV_GS1_DICTIONARY ${PROJECT_SOURCE_DIR}/data/gs1-syntax-dictionary.txt)
set(QV_GS1_COUNTRIES ${PROJECT_SOURCE_DIR}/data/iso3166-countries.txt)
set(QV_GS1_GENERATED ${PROJECT_BINARY_DIR}/generated/gs1/generated_tables.h)
add_custom_command(
    OUTPUT ${QV_GS1_GENERATED}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/generated/gs1
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/src/gs1/generate_tables.py
            ${QV_GS1_DICTIONARY} ${QV_GS1_COUNTRIES} ${QV_GS1_GENERATED}
    DEPENDS ${PROJECT_SOURCE_DIR}/src/gs1/generate_tables.py ${QV_GS1_DICTIONARY} ${QV_GS1_COUNTRIES}
    COMMENT "Generating the GS1 tables from the syntax dictionary")
target_sources(qv_gs1 PRIVATE ${QV_GS1_GENERATED})
target_include_directories(qv_gs1 PRIVATE ${PROJECT_BINARY_DIR}/generated)
